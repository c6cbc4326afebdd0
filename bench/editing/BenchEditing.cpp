// Time per pointer move of a Ctrl anchor drag on the editor's canvas: the
// move event, the anchor written into the record, the whole redraw (previous
// frame shown beneath, both 400 x 400 sprites, the cross, the box outlines)
// and the pointer read-out. A second case also paints the canvas on screen.
// Both run at zoom 1 and 8; at 8 each figure carries its ratio to zoom 1.

#include "editor/BrowserPanel.h"
#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/FrmMain.h"
#include "browser/FileList.h"
#include "tools/GifWriter.h"
#include "zoom/ZoomControl.h"
#include "bench/ZoomRatio.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A main window holding two frames of a 400 x 400 sprite, the second one
// selected, with the previous frame drawn beneath it.
class DragSetup {
public:
    DragSetup()
    {
        const QString folder = m_dir.filePath(QStringLiteral("game/data/chars/bench"));
        if (!QDir().mkpath(folder)
            || !tools::writeGif(QDir(folder).filePath(QStringLiteral("big.gif")),
                                tools::makeSprite(QSize(400, 400), 0xffff00ff, 0xff3060a0, 40)))
            return;
        m_window = std::make_unique<animbox::FrmMain>(m_dir.filePath(QStringLiteral("settings.ini")));
        m_window->show();
        // Painting needs the window on screen.
        while (!m_window->windowHandle() || !m_window->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        m_window->Picture1()->showFolder(folder);
        browser::FileList* files = m_window->Picture1()->File1();
        const auto found = files->findItems(QStringLiteral("big.gif"), Qt::MatchExactly);
        if (found.size() != 1)
            return;
        files->setCurrentItem(found.first());
        m_window->Picture1()->cmdAddFrame()->click();
        m_window->Picture1()->cmdAddFrame()->click();
        m_window->Frame3()->cDrawLast()->setChecked(true);
        m_window->List1()->setCurrentRow(1);
        m_valid = m_window->animation().rowCount() == 2 && !m_window->animation().frames[1].picture.isNull();
    }

    bool isValid() const { return m_valid; }
    animbox::CanvasView* canvas() const { return m_window->PicEdit(); }

    void send(QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, local, canvas()->mapToGlobal(local), button, buttons, Qt::ControlModifier);
        QApplication::sendEvent(canvas(), &event);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<animbox::FrmMain> m_window;
    bool m_valid = false;
};

void anchorDrag(benchmark::State& state, bool paint)
{
    DragSetup setup;
    if (!setup.isValid()) {
        state.SkipWithError("could not set up the window with two 400 x 400 frames");
        return;
    }
    const int level = int(state.range(0));
    setup.canvas()->zoom()->setLevel(level);
    const QPointF start(150, 150);
    setup.send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    {
        const bench::ZoomRatio ratio(state, paint ? "move and paint" : "move", level);
        for (auto _ : state) {
            // Wander within a square of 40 sprite pixels so every move changes the anchor.
            const QPointF at = start + QPointF(step % 40, (step / 40) % 40) * level;
            ++step;
            setup.send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            if (paint)
                setup.canvas()->repaint();
        }
    }
    setup.send(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    state.SetItemsProcessed(state.iterations());
}

void BM_AnchorDragMove(benchmark::State& state)
{
    anchorDrag(state, false);
}

void BM_AnchorDragMoveAndPaint(benchmark::State& state)
{
    anchorDrag(state, true);
}

} // namespace

BENCHMARK(BM_AnchorDragMove)->ArgName("zoom")->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnchorDragMoveAndPaint)->ArgName("zoom")->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
