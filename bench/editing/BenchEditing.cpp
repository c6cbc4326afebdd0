// Time per pointer move of a Ctrl anchor drag on the editor's canvas: the
// move event, the anchor written into the record, the whole redraw (previous
// frame shown beneath, both 400 x 400 sprites, the cross, the box outlines)
// and the pointer read-out. A second case also lets the window paint what the
// move changed, as the event loop does on screen, and counts the canvas's
// paint events. Both run at zoom 1 and 8; at 8 each figure carries its ratio
// to zoom 1. A redraw of another frame with its paint, and every figure's
// ratio to a plain widget of the canvas's size repainting one image in the
// same run, complete the set. The drag with its paint is also run against the
// plain repaint in paired rounds, whose median ratio is the figure with a goal.

#include "editor/panels/BrowserPanel.h"
#include "editor/canvas/CanvasView.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/window/FrmMain.h"
#include "browser/FileList.h"
#include "demo/GifWriter.h"
#include "zoom/ZoomControl.h"
#include "bench/RunRatio.h"
#include "bench/ZoomRatio.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const std::string kPlain = "plain repaint";

// Waits until `widget`'s window is on screen: only then does it paint.
bool waitExposed(QWidget& widget)
{
    widget.show();
    QElapsedTimer timer;
    timer.start();
    while (!widget.windowHandle() || !widget.windowHandle()->isExposed()) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    return true;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }

    int count() const { return m_count; }

    // Paint events per iteration, counted after the loop; an error `missing`
    // unless every iteration painted, when given.
    void report(benchmark::State& state, const char* missing) const
    {
        if (state.iterations() > 0)
            state.counters["paints"] = double(m_count) / double(state.iterations());
        if (missing && m_count < state.iterations())
            state.SkipWithError(missing);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

// The baseline: a widget that does nothing but paint one image of its size.
class PlainImageWidget : public QWidget {
public:
    explicit PlainImageWidget(QSize size)
        : m_image(size, QImage::Format_RGB32)
    {
        m_image.fill(0xff3060a0);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(size);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

// A main window holding `frames` frames of a 400 x 400 sprite, the second
// one selected, with the previous frame drawn beneath it.
class DragSetup {
public:
    explicit DragSetup(int frames = 2)
    {
        const QString folder = m_dir.filePath(QStringLiteral("game/data/chars/bench"));
        if (!QDir().mkpath(folder)
            || !tools::writeGif(QDir(folder).filePath(QStringLiteral("big.gif")),
                                tools::makeSprite(QSize(400, 400), 0xffff00ff, 0xff3060a0, 40)))
            return;
        m_window = std::make_unique<animbox::FrmMain>(m_dir.filePath(QStringLiteral("settings.ini")));
        if (!waitExposed(*m_window))
            return;
        m_window->Picture1()->showFolder(folder);
        browser::FileList* files = m_window->Picture1()->File1();
        const auto found = files->findItems(QStringLiteral("big.gif"), Qt::MatchExactly);
        if (found.size() != 1)
            return;
        files->setCurrentItem(found.first());
        for (int i = 0; i < frames; ++i)
            m_window->Picture1()->cmdAddFrame()->click();
        m_window->Frame3()->cDrawLast()->setChecked(true);
        m_window->List1()->setCurrentRow(1);
        m_valid = m_window->animation().rowCount() == frames && !m_window->animation().frames[1].picture.isNull();
    }

    bool isValid() const { return m_valid; }
    animbox::CanvasView* canvas() const { return m_window->PicEdit(); }
    animbox::FrmMain& window() const { return *m_window; }

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
    QCoreApplication::processEvents();
    const PaintCounter paints(setup.canvas());
    // The first move already leaves the press point: a move that changes
    // nothing has nothing to paint.
    int step = 1;
    {
        const std::string measure = paint ? "move and paint" : "move";
        const bench::ZoomRatio zoomRatio(state, measure, level);
        const bench::RunRatio plainRatio(state, kPlain, "vs_plain");
        for (auto _ : state) {
            // Wander within a square of 40 sprite pixels so every move changes the anchor.
            const QPointF at = start + QPointF(step % 40, (step / 40) % 40) * level;
            ++step;
            setup.send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            if (paint)
                QCoreApplication::processEvents();
        }
    }
    setup.send(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    state.SetItemsProcessed(state.iterations());
    paints.report(state, paint ? "the canvas did not paint after every move" : nullptr);
}

// The baseline of the paint figures: one update of a plain widget of the
// canvas's size and the event loop painting it.
void BM_PlainRepaint(benchmark::State& state)
{
    DragSetup setup;
    if (!setup.isValid()) {
        state.SkipWithError("could not set up the window to size the plain widget");
        return;
    }
    PlainImageWidget plain(setup.canvas()->size());
    setup.window().hide();
    if (!waitExposed(plain)) {
        state.SkipWithError("the plain widget was not shown");
        return;
    }
    const PaintCounter paints(&plain);
    {
        const bench::RunRatio baseline(state, kPlain);
        for (auto _ : state) {
            plain.update();
            QCoreApplication::processEvents();
        }
    }
    paints.report(state, "the plain widget did not paint after every update");
}

// One redraw with its paint of the second or the third frame, each over the
// one before it, in turn, as stepping through the frames shows them. The
// third frame's anchor differs, so that every redraw changes the picture
// (a redraw that changes nothing paints nothing).
void BM_DrawFrameAndPaint(benchmark::State& state)
{
    DragSetup setup(3);
    if (!setup.isValid()) {
        state.SkipWithError("could not set up the window with three 400 x 400 frames");
        return;
    }
    setup.window().animation().frames[2].offsetX += 10;
    QCoreApplication::processEvents();
    const PaintCounter paints(setup.canvas());
    // Row 1 is shown already: a redraw of it would change nothing.
    int row = 2;
    {
        const bench::RunRatio plainRatio(state, kPlain, "vs_plain");
        for (auto _ : state) {
            setup.window().DrawFrame(row, false);
            row = 3 - row;
            QCoreApplication::processEvents();
        }
    }
    paints.report(state, "the canvas did not paint after every redraw");
}

void BM_AnchorDragMove(benchmark::State& state)
{
    anchorDrag(state, false);
}

void BM_AnchorDragMoveAndPaint(benchmark::State& state)
{
    anchorDrag(state, true);
}

// The drag with its paints against the plain repaint in paired rounds: each
// round times a batch of plain repaints and a batch of drag moves with their
// paints, in an order that alternates, and the figures are the median of the
// rounds' ratios and their range. A drift of the shared machine between two
// benchmarks run one after the other cancels out this way.
void BM_AnchorDragPaintPaired(benchmark::State& state)
{
    DragSetup setup;
    PlainImageWidget plain(setup.isValid() ? setup.canvas()->size() : QSize(1, 1));
    // Side by side and wholly on the screen: the display server draws only
    // what shows of a window, so a covered canvas would cost less to flush.
    plain.move(setup.window().frameGeometry().topRight() + QPoint(1, 0));
    if (!setup.isValid() || !waitExposed(plain)) {
        state.SkipWithError("could not set up the window and the plain widget");
        return;
    }
    const QRect screen = plain.screen()->geometry();
    if (plain.frameGeometry().intersects(setup.window().frameGeometry()) || !screen.contains(plain.frameGeometry())
        || !screen.contains(setup.window().frameGeometry())) {
        state.SkipWithError("the screen cannot show the window and the plain widget side by side");
        return;
    }
    const QPointF start(150, 150);
    setup.send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    const PaintCounter canvasPaints(setup.canvas());
    const PaintCounter plainPaints(&plain);
    constexpr int kBatch = 100;
    int step = 1;
    const auto batch = [](const auto& once) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kBatch; ++i) {
            once();
            QCoreApplication::processEvents();
        }
        return double(timer.nsecsElapsed());
    };
    const auto repaint = [&plain] { plain.update(); };
    const auto move = [&] {
        setup.send(QEvent::MouseMove, start + QPointF(step % 40, (step / 40) % 40), Qt::NoButton, Qt::LeftButton);
        ++step;
    };
    std::vector<double> ratios;
    double dragTotal = 0;
    double plainTotal = 0;
    for (auto _ : state) {
        const bool plainFirst = ratios.size() % 2 == 0;
        const double first = plainFirst ? batch(repaint) : batch(move);
        const double second = plainFirst ? batch(move) : batch(repaint);
        const double drag = plainFirst ? second : first;
        const double plainTime = plainFirst ? first : second;
        ratios.push_back(drag / plainTime);
        dragTotal += drag;
        plainTotal += plainTime;
    }
    setup.send(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    std::sort(ratios.begin(), ratios.end());
    state.counters["vs_plain_median"] = ratios[ratios.size() / 2];
    state.counters["vs_plain_min"] = ratios.front();
    state.counters["vs_plain_max"] = ratios.back();
    state.counters["vs_plain_total"] = dragTotal / plainTotal;
    state.counters["goal"] = 1.2;
    const benchmark::IterationCount moves = state.iterations() * kBatch;
    if (canvasPaints.count() < moves || plainPaints.count() < moves)
        state.SkipWithError("a move or an update did not paint");
}

} // namespace

BENCHMARK(BM_PlainRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnchorDragMove)->ArgName("zoom")->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnchorDragMoveAndPaint)->ArgName("zoom")->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawFrameAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnchorDragPaintPaired)->Iterations(21)->Unit(benchmark::kMillisecond);

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
