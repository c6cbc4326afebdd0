// Undo on a 10,000-frame animation. An anchor-drag step is pushed, undone
// and redone on the document alone and through the main window (with the
// redraw a selection makes). Every figure is also printed as a ratio to a
// baseline measured in the same run: a plain copy of the records the step
// touched (memory and time), or a row selection (the window's redraw).

#include "editor/document/RecordEditCommand.h"
#include "editor/window/FrmMain.h"

#include <QAction>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <malloc.h>

namespace {

constexpr int kFrames = 10000;
constexpr int kRow = kFrames / 2;

// Ten thousand frames sharing one 400 x 400 sprite, as a long animation of
// few images does, with boxes that differ from frame to frame.
model::Animation longAnimation()
{
    QImage sprite(400, 400, QImage::Format_ARGB32);
    sprite.fill(qRgb(255, 0, 255));
    model::Animation animation;
    for (int i = 0; i < kFrames; ++i) {
        model::FrameRecord r;
        r.picture = sprite;
        r.imageWidth = r.imageHeight = 400;
        r.offsetX = 200;
        r.offsetY = 398;
        r.frameDelay = 10;
        r.attackKind = QStringLiteral("Attack");
        r.attackBox = {qint16(i % 50), 10, 40, 30};
        r.bodyBox = {10, qint16(i % 70), 50, 90};
        animation.frames.append(r);
        animation.rows.append(QStringLiteral("f%1.gif").arg(i, 5, 10, QLatin1Char('0')));
    }
    return animation;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

double nanoseconds(std::chrono::steady_clock::duration d)
{
    return double(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
}

// Nanoseconds per run of `body`, over `runs` runs.
double averageNs(int runs, const std::function<void(int)>& body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i)
        body(i);
    return nanoseconds(std::chrono::steady_clock::now() - start) / runs;
}

// Runs the benchmark loop; nanoseconds per undo of a loop that undoes and
// redoes once per iteration.
double undoNsPerIteration(benchmark::State& state, const std::function<void()>& undoAndRedo)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        undoAndRedo();
    return nanoseconds(std::chrono::steady_clock::now() - start) / double(state.iterations()) / 2;
}

// An anchor drag as the canvas makes it: the press keeps the record, the
// moves write the anchor live, the release pushes the step.
void anchorDrag(animbox::AnimationDocument& document, int dx)
{
    const model::FrameRecord pressed = document.animation().frames[kRow];
    document.animation().frames[kRow].offsetX = qint16(pressed.offsetX + dx);
    auto* step = new animbox::RecordEditCommand(document, QStringLiteral("拖动锚点"), kRow, kRow + 1, {},
                                                animbox::Refresh::Nothing);
    step->setStartingRecord(pressed);
    document.push(step);
}

// Heap and time per pushed step; baseline: keeping a copy of the one record.
void BM_AnchorDragStep(benchmark::State& state)
{
    animbox::AnimationDocument document;
    document.animation() = longAnimation();
    document.select(kRow);
    QList<model::RecordRun> copies;
    const size_t beforeCopies = heapInUse();
    const double copyNs
        = averageNs(1000, [&](int) { copies.append(model::takeRun(document.animation(), kRow, kRow + 1)); });
    const double copyBytes = double(heapInUse() - beforeCopies) / 1000;

    const size_t beforeSteps = heapInUse();
    const auto start = std::chrono::steady_clock::now();
    int dx = 0;
    for (auto _ : state)
        anchorDrag(document, ++dx % 2 ? 1 : -1);
    const double stepNs = nanoseconds(std::chrono::steady_clock::now() - start) / double(state.iterations());
    const double stepBytes = double(heapInUse() - beforeSteps) / double(state.iterations());
    state.counters["bytes_per_step"] = stepBytes;
    state.counters["copy_bytes"] = copyBytes;
    state.counters["bytes_ratio"] = stepBytes / copyBytes;
    state.counters["step_ns"] = stepNs;
    state.counters["copy_ns"] = copyNs;
    state.counters["time_ratio"] = stepNs / copyNs;
}

// Undo and redo of one drag step on the document; baseline: writing the
// kept record back over its row.
void BM_UndoRedoDocument(benchmark::State& state)
{
    animbox::AnimationDocument document;
    document.animation() = longAnimation();
    document.select(kRow);
    anchorDrag(document, 7);
    const model::RecordRun kept = model::takeRun(document.animation(), kRow, kRow + 1);
    const double copyNs = averageNs(100000, [&](int) {
        model::putRun(document.animation(), kept);
        benchmark::DoNotOptimize(document.animation().frames[kRow]);
    });
    QUndoStack* stack = document.undoStack();
    const double undoNs = undoNsPerIteration(state, [stack] {
        stack->undo();
        stack->redo();
    });
    state.counters["undo_ns"] = undoNs;
    state.counters["copy_ns"] = copyNs;
    state.counters["time_ratio"] = undoNs / copyNs;
}

// Undo and redo through the window's menu actions, the canvas and panel
// redrawn as a selection does; baseline: selecting a row.
void BM_UndoRedoWindow(benchmark::State& state)
{
    QTemporaryDir dir;
    animbox::FrmMain window(dir.filePath(QStringLiteral("settings.ini")));
    window.show();
    window.animation() = longAnimation();
    window.document().rowsEdited();
    window.List1()->setCurrentRow(kRow);
    anchorDrag(window.document(), 7);
    if (window.List1()->count() != kFrames || window.document().undoStack()->count() != 1) {
        state.SkipWithError("could not set up the window with 10,000 frames and one step");
        return;
    }
    const double selectNs = averageNs(200, [&](int i) { window.List1()->setCurrentRow(kRow + i % 2); });
    QAction* undo = window.menuAction(QStringLiteral("mundo"));
    QAction* redo = window.menuAction(QStringLiteral("mredo"));
    const double undoNs = undoNsPerIteration(state, [undo, redo] {
        undo->trigger();
        redo->trigger();
    });
    state.counters["undo_ns"] = undoNs;
    state.counters["select_ns"] = selectNs;
    state.counters["time_ratio"] = undoNs / selectNs;
}

} // namespace

// A bounded count: every iteration leaves a step on the stack.
BENCHMARK(BM_AnchorDragStep)->Iterations(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoWindow)->Unit(benchmark::kMicrosecond);
