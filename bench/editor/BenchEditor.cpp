// Figures of the main window: one canvas redraw (DrawFrame) for small and
// large sprites with and without the previous frame beneath, and zoomed to 8
// (with its ratio to the same redraw at zoom 1); "加入全部帧"
// with the default scheme over 1,000 GIFs against decoding the same files one
// by one; and the start-up of the window with its settings restored.

#include "editor/BrowserPanel.h"
#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/FrameListGroup.h"
#include "editor/FrmMain.h"
#include "editor/IniSettings.h"
#include "browser/FileList.h"
#include "tools/GifWriter.h"
#include "zoom/ZoomControl.h"
#include "bench/ZoomRatio.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString spriteFolder(const QTemporaryDir& dir)
{
    return dir.filePath(QStringLiteral("game/data/chars/bench"));
}

// Writes `count` sprites of `size`, each slightly different so that the
// files are not byte-identical.
bool writeSprites(const QString& folder, int count, QSize size, const QString& prefix)
{
    if (!QDir().mkpath(folder))
        return false;
    for (int i = 0; i < count; ++i) {
        const QImage sprite = tools::makeSprite(size, 0xffff00ff, qRgb(40, 80 + i % 100, 160), 4 + i % 10);
        const QString name = QStringLiteral("%1%2.gif").arg(prefix).arg(i, 4, 10, QChar(u'0'));
        if (!tools::writeGif(QDir(folder).filePath(name), sprite))
            return false;
    }
    return true;
}

// Clicks "确定" of the scheme dialog as soon as it is shown.
void acceptSchemeSoon()
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            timer->deleteLater();
        }
    });
    timer->start(0);
}

void BM_DrawFrame(benchmark::State& state)
{
    const QSize size(int(state.range(0)), int(state.range(1)));
    const bool previous = state.range(2) != 0;
    const int level = int(state.range(3));
    QTemporaryDir dir;
    if (!writeSprites(spriteFolder(dir), 2, size, QStringLiteral("f"))) {
        state.SkipWithError("cannot write the sprites");
        return;
    }
    animbox::FrmMain window(dir.filePath(QStringLiteral("settings.ini")));
    window.setTransparentColor(0xff00ff);
    window.Picture1()->showFolder(spriteFolder(dir));
    acceptSchemeSoon();
    window.Picture1()->Command5()->click();
    window.Frame3()->cDrawLast()->setChecked(previous);
    window.List1()->setCurrentRow(1);
    window.PicEdit()->zoom()->setLevel(level);
    if (window.animation().frames.size() != 2) {
        state.SkipWithError("frames were not added");
        return;
    }
    const std::string measure = QStringLiteral("%1x%2 %3").arg(size.width()).arg(size.height()).arg(previous).toStdString();
    const bench::ZoomRatio ratio(state, measure, level);
    for (auto _ : state)
        window.DrawFrame(1, false);
}
BENCHMARK(BM_DrawFrame)
    ->ArgNames({"w", "h", "previous", "zoom"})
    ->Args({120, 140, 0, 1})
    ->Args({120, 140, 1, 1})
    ->Args({400, 400, 0, 1})
    ->Args({400, 400, 1, 1})
    ->Args({400, 400, 1, 8})
    ->Unit(benchmark::kMicrosecond);

// The 1,000 GIFs of 120 x 140 shared by the two benchmarks below.
const QTemporaryDir& manySprites()
{
    static QTemporaryDir dir;
    static const bool written = writeSprites(spriteFolder(dir), 1000, QSize(120, 140), QStringLiteral("s"));
    Q_UNUSED(written);
    return dir;
}

double decodeOneByOne(const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.gif")}, QDir::Files)) {
        QImageReader reader(QDir(folder).filePath(name));
        benchmark::DoNotOptimize(reader.read());
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

void BM_DecodeOneByOne(benchmark::State& state)
{
    const QString folder = spriteFolder(manySprites());
    for (auto _ : state)
        state.SetIterationTime(decodeOneByOne(folder) / 1e3);
}
BENCHMARK(BM_DecodeOneByOne)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddAllFrames(benchmark::State& state)
{
    const QString folder = spriteFolder(manySprites());
    QTemporaryDir settings;
    animbox::FrmMain window(settings.filePath(QStringLiteral("settings.ini")));
    window.Picture1()->showFolder(folder);
    double addAll = 0;
    double decode = 0;
    for (auto _ : state) {
        decode += decodeOneByOne(folder);
        QElapsedTimer timer;
        timer.start();
        acceptSchemeSoon();
        window.Picture1()->Command5()->click();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        addAll += ms;
        state.SetIterationTime(ms / 1e3);
        if (window.animation().frames.size() != 1000) {
            state.SkipWithError("the frames were not all added");
            return;
        }
        window.frameListGroup()->Command6()->click();
    }
    state.counters["vs_decode"] = addAll / decode;
}
BENCHMARK(BM_AddAllFrames)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// From constructing the window (settings read, browser restored on a folder
// of 40 sprites) to the window shown on screen.
void BM_StartUp(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!writeSprites(spriteFolder(dir), 40, QSize(120, 140), QStringLiteral("idle"))) {
        state.SkipWithError("cannot write the sprites");
        return;
    }
    const animbox::IniSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    settings.WriteSetting(QStringLiteral("transparentcolor"), QStringLiteral(" 16711935"));
    settings.WriteSetting(QStringLiteral("drive"), QDir::rootPath());
    settings.WriteSetting(QStringLiteral("dir"), spriteFolder(dir));
    settings.WriteSetting(QStringLiteral("pat"), QStringLiteral("idle"));
    for (auto _ : state) {
        animbox::FrmMain window(settings.filePath());
        window.show();
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
