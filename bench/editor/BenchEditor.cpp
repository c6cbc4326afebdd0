// Figures of the main window: one canvas redraw (DrawFrame) for small and
// large sprites with and without the previous frame beneath, on a sprite
// converted before (also zoomed to 8, with its ratio to the same redraw at
// zoom 1), on a frame viewed for the first time, and painted into the shown
// window; and "加入全部帧" with the default scheme over 1,000 GIFs against
// decoding the same files one by one, on a quiet machine and with one core
// held by a busy loop. Start-up is timed as a whole process in bench/startup.

#include "editor/panels/BrowserPanel.h"
#include "editor/canvas/CanvasView.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/panels/FrameListGroup.h"
#include "editor/window/FrmMain.h"
#include "browser/FileList.h"
#include "demo/GifWriter.h"
#include "zoom/ZoomControl.h"
#include "bench/ZoomRatio.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <utility>
#include <vector>

#include <sched.h>

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

// How a DrawFrame is measured: into the off-screen picture on a sprite
// converted before; the first view of a frame, its sprite not yet converted;
// or with the picture painted into the shown window. A redraw that changes
// nothing composes and paints nothing, so the converted and the painted
// redraws show the second and the third frame in turn, as stepping through
// the frames does.
enum class DrawMode { Cached, FirstView, Painted };

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void BM_DrawFrame(benchmark::State& state)
{
    const QSize size(int(state.range(0)), int(state.range(1)));
    const bool previous = state.range(2) != 0;
    const int level = int(state.range(3));
    const auto mode = DrawMode(state.range(4));
    QTemporaryDir dir;
    if (!writeSprites(spriteFolder(dir), 3, size, QStringLiteral("f"))) {
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
    if (window.animation().frames.size() != 3) {
        state.SkipWithError("frames were not added");
        return;
    }
    PaintCounter counter;
    window.PicEdit()->installEventFilter(&counter);
    if (mode == DrawMode::Painted) {
        window.show();
        while (!window.windowHandle()->isExposed())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    const int paintsBefore = counter.paints;
    QImage& sprite = window.animation().frames[1].picture;
    const std::string measure =
        QStringLiteral("%1x%2 %3 %4").arg(size.width()).arg(size.height()).arg(previous).arg(int(mode)).toStdString();
    const bench::ZoomRatio ratio(state, measure, level);
    // Row 1 is shown already: a redraw of it would change nothing.
    int row = mode == DrawMode::FirstView ? 1 : 2;
    for (auto _ : state) {
        if (mode == DrawMode::FirstView) {
            // A copy is a new image to the sprite cache, as a frame never shown.
            state.PauseTiming();
            sprite = sprite.copy();
            state.ResumeTiming();
        }
        window.DrawFrame(row, false);
        if (mode != DrawMode::FirstView)
            row = 3 - row;
        if (mode == DrawMode::Painted)
            QCoreApplication::processEvents();
    }
    if (mode == DrawMode::Painted && counter.paints - paintsBefore < state.iterations())
        state.SkipWithError("the canvas was not painted on every redraw");
    state.counters["paints"] = counter.paints - paintsBefore;
}
BENCHMARK(BM_DrawFrame)
    ->ArgNames({"w", "h", "previous", "zoom", "mode"})
    ->Args({120, 140, 0, 1, 0})
    ->Args({120, 140, 1, 1, 0})
    ->Args({400, 400, 0, 1, 0})
    ->Args({400, 400, 1, 1, 0})
    ->Args({400, 400, 1, 8, 0})
    ->Apply([](benchmark::internal::Benchmark* bench) {
        for (const auto& [w, h] : {std::pair{120, 140}, std::pair{400, 400}})
            for (int previous : {0, 1})
                for (int mode : {1, 2})
                    bench->Args({w, h, previous, 1, mode});
    })
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

// A busy loop pinned to the last core this process may use, started
// directly under taskset, for as long as the object lives.
class BusyCore {
public:
    BusyCore()
    {
        cpu_set_t cpus;
        CPU_ZERO(&cpus);
        sched_getaffinity(0, sizeof cpus, &cpus);
        int last = 0;
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
            last = CPU_ISSET(cpu, &cpus) ? cpu : last;
        m_loop.start(QStringLiteral("taskset"), {QStringLiteral("-c"), QString::number(last), QStringLiteral(BUSY_LOOP)});
        m_started = m_loop.waitForStarted();
    }
    ~BusyCore()
    {
        m_loop.kill();
        m_loop.waitForFinished();
    }
    bool isStarted() const { return m_started; }

private:
    QProcess m_loop;
    bool m_started = false;
};

// "加入全部帧" of 1,000 GIFs against decoding them one by one with
// QImageReader, in pairs whose order alternates; with range(0) set, while a
// busy loop holds one core. Reports the median of the paired ratios, their
// range and the ratio of the total times.
void BM_AddAllFrames(benchmark::State& state)
{
    const QString folder = spriteFolder(manySprites());
    std::unique_ptr<BusyCore> busy;
    if (state.range(0) != 0) {
        busy = std::make_unique<BusyCore>();
        if (!busy->isStarted()) {
            state.SkipWithError("cannot start the busy loop");
            return;
        }
    }
    QTemporaryDir settings;
    animbox::FrmMain window(settings.filePath(QStringLiteral("settings.ini")));
    window.Picture1()->showFolder(folder);
    const auto addAll = [&window] {
        QElapsedTimer timer;
        timer.start();
        acceptSchemeSoon();
        window.Picture1()->Command5()->click();
        return double(timer.nsecsElapsed()) / 1e6;
    };
    std::vector<double> addTimes;
    std::vector<double> decodeTimes;
    for (auto _ : state) {
        const bool addFirst = addTimes.size() % 2 == 0;
        const double first = addFirst ? addAll() : decodeOneByOne(folder);
        const double second = addFirst ? decodeOneByOne(folder) : addAll();
        addTimes.push_back(addFirst ? first : second);
        decodeTimes.push_back(addFirst ? second : first);
        state.SetIterationTime(addTimes.back() / 1e3);
        if (window.animation().frames.size() != 1000) {
            state.SkipWithError("the frames were not all added");
            return;
        }
        window.frameListGroup()->Command6()->click();
    }
    std::vector<double> ratios;
    for (std::size_t i = 0; i < addTimes.size(); ++i)
        ratios.push_back(addTimes[i] / decodeTimes[i]);
    std::sort(ratios.begin(), ratios.end());
    state.counters["decode_ms"] = decodeTimes[decodeTimes.size() / 2];
    state.counters["vs_decode"] = ratios[ratios.size() / 2];
    state.counters["min"] = ratios.front();
    state.counters["max"] = ratios.back();
    state.counters["total"] = std::accumulate(addTimes.begin(), addTimes.end(), 0.0)
                              / std::accumulate(decodeTimes.begin(), decodeTimes.end(), 0.0);
    state.counters["goal"] = 1.0;
}
BENCHMARK(BM_AddAllFrames)
    ->ArgName("busy_core")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9);

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
