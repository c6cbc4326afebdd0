// Opening one animation of 100 frames from a 2 MB character file with 150
// animations through the window's "打开…" path, against reading the same
// animation's text as if pasted into "从文本生成帧". Both decode the same
// 100 images, so the difference is the cost of the file itself: reading,
// finding the block and taking the window's state. Goal: at most 50 ms.
//
// Opening the file through "打开…" with its first animation shown and the
// character panel listing all 150, against decoding the images of that
// first animation alone, in paired rounds. The difference is the cost of
// the file, the panel and the window's state. Goal: at most 100 ms.
//
// Saving that animation after one edit through the window's "保存" path,
// against writing the same bytes to the same file as a save does (backup
// and atomic replace), in paired rounds. The difference is the cost of
// finding the block and writing only the change. Goal: at most 20 ms.

#include "editor/window/FrmMain.h"
#include "editor/character/CharacterPanel.h"
#include "editor/images/ImageLoading.h"
#include "editor/panels/DisplayGroup.h"
#include "model/files/FileReplacement.h"
#include "model/character/OpenedBlock.h"
#include "model/script/ScriptReader.h"
#include "demo/GifWriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kAnimations = 150;
constexpr int kOpened = 75;
constexpr int kFrames = 100;
constexpr qint64 kFileBytes = 2 * 1024 * 1024;

// The game folder with the sprites and the character file, made once.
struct Character {
    QTemporaryDir dir;
    QString game() const { return dir.filePath(QStringLiteral("game")); }
    QString folder() const { return dir.filePath(QStringLiteral("game/data/chars/bench")); }
    QString file() const { return QDir(folder()).filePath(QStringLiteral("bench.txt")); }
    QString blockText;
    bool valid = false;

    Character()
    {
        if (!QDir().mkpath(folder()))
            return;
        for (int i = 0; i < kFrames; ++i) {
            const QImage sprite = tools::makeSprite({96, 112}, 0xffff00ff, qRgb(40, 80 + i, 160), 4 + i % 10);
            if (!tools::writeGif(QDir(folder()).filePath(QStringLiteral("f%1.gif").arg(i, 3, 10, QChar(u'0'))), sprite))
                return;
        }
        QByteArray text = "name\tbench\r\nhealth\t100\r\n\r\n";
        const qint64 perAnimation = kFileBytes / kAnimations;
        for (int a = 0; a < kAnimations; ++a) {
            text += "anim\tanim" + QByteArray::number(a).rightJustified(3, '0') + "\r\n\tloop\t1\r\n";
            const qint64 start = text.size();
            for (int f = 0; (a == kOpened && f < kFrames) || (a != kOpened && text.size() - start < perAnimation); ++f) {
                text += "\tdelay\t" + QByteArray::number(5 + f % 7) + "\r\n\toffset\t" + QByteArray::number(48 + f % 3)
                      + " 110\r\n\tbbox\t20 10 50 96\r\n\tattack\t40 30 30 20 12 0 0 0 8\r\n\t# step "
                      + QByteArray::number(f) + "\r\n\tframe\tdata/chars/bench/f"
                      + QByteArray::number(f % kFrames).rightJustified(3, '0') + "\r\n";
            }
            text += "\r\n";
        }
        QFile out(file());
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            return;
        const model::CharacterScript script(text);
        blockText = model::OpenedBlock(script, *script.find(QStringLiteral("anim075"))).readerText();
        valid = text.size() >= kFileBytes;
    }
};

Character& character()
{
    static Character c;
    return c;
}

double baselineMs = 0;
double openMs = 0;

void BM_ReadPastedText(benchmark::State& state)
{
    Character& c = character();
    if (!c.valid) {
        state.SkipWithError("could not write the character");
        return;
    }
    for (auto _ : state) {
        const model::ReadResult result = model::readScript(
            c.blockText, c.game(), [](const QString& path, QString* error) { return animbox::loadImage(path, error); });
        if (result.animation.rowCount() != kFrames)
            state.SkipWithError("the pasted text did not read");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ReadPastedText)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_OpenFromFile(benchmark::State& state)
{
    Character& c = character();
    if (!c.valid) {
        state.SkipWithError("could not write the character");
        return;
    }
    animbox::FrmMain window(c.dir.filePath(QStringLiteral("settings.ini")));
    for (auto _ : state) {
        if (!window.openCharacterFile(c.file(), QStringLiteral("anim075")) || window.animation().rowCount() != kFrames)
            state.SkipWithError("the file did not open");
    }
}
BENCHMARK(BM_OpenFromFile)->Unit(benchmark::kMillisecond)->Iterations(10);

// Runs `measured` and `baseline` in paired rounds, in alternating order, and
// reports the median, least and greatest difference ("beyond_<name>_ms")
// and the median ratio ("vs_<name>").
void runPaired(benchmark::State& state, const std::function<double()>& measured,
               const std::function<double()>& baseline, const std::string& name, double goalMs)
{
    std::vector<double> differences, ratios;
    for (auto _ : state) {
        const bool measuredFirst = differences.size() % 2 == 0;
        const double first = measuredFirst ? measured() : baseline();
        const double second = measuredFirst ? baseline() : measured();
        const double ms = measuredFirst ? first : second;
        const double baseMs = measuredFirst ? second : first;
        differences.push_back(ms - baseMs);
        ratios.push_back(ms / baseMs);
    }
    std::sort(differences.begin(), differences.end());
    std::sort(ratios.begin(), ratios.end());
    state.counters["beyond_" + name + "_ms_median"] = differences[differences.size() / 2];
    state.counters["beyond_" + name + "_ms_min"] = differences.front();
    state.counters["beyond_" + name + "_ms_max"] = differences.back();
    state.counters["vs_" + name + "_median"] = ratios[ratios.size() / 2];
    state.counters["goal_ms"] = goalMs;
}

// The images the first animation's frames name, each once, as reading
// decodes them.
QStringList firstAnimationImages(const Character& c)
{
    QFile file(c.file());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const model::CharacterScript script(file.readAll());
    const model::OpenedBlock first(script, script.blocks().first());
    QStringList paths;
    model::readScript(first.readerText(), c.game(), [&paths](const QString& path, QString*) {
        paths.append(path);
        return QImage(1, 1, QImage::Format_RGB32);
    });
    return paths;
}

// Paired rounds, in alternating order: opening the file with the panel
// shown, and decoding the first animation's images. Reports the median
// difference and ratio.
void BM_OpenWithPanelPaired(benchmark::State& state)
{
    Character& c = character();
    const QStringList images = c.valid ? firstAnimationImages(c) : QStringList();
    animbox::FrmMain window(c.dir.filePath(QStringLiteral("settings.ini")));
    window.show();
    if (images.isEmpty()) {
        state.SkipWithError("could not write the character");
        return;
    }
    const auto open = [&] {
        QElapsedTimer timer;
        timer.start();
        if (!window.openCharacterFile(c.file()) || window.animationName() != u"anim000" || !window.animation().hasFrames())
            state.SkipWithError("the file did not open");
        QApplication::processEvents();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (window.characterPanel()->list()->topLevelItemCount() != kAnimations || !window.characterPanel()->isVisible())
            state.SkipWithError("the panel does not list the animations");
        return ms;
    };
    const auto decode = [&] {
        QElapsedTimer timer;
        timer.start();
        for (const QString& path : images) {
            QString error;
            benchmark::DoNotOptimize(animbox::loadImage(path, &error));
        }
        return double(timer.nsecsElapsed()) / 1e6;
    };
    runPaired(state, open, decode, "decoding", 100);
    state.counters["images"] = double(images.size());
}
BENCHMARK(BM_OpenWithPanelPaired)->Unit(benchmark::kMillisecond)->Iterations(21);

// Paired rounds, in alternating order: "保存" after changing the first
// frame's delay, and a plain replacement of the file with the bytes that
// save wrote. Reports the median difference and ratio.
void BM_SaveEditedPaired(benchmark::State& state)
{
    Character& c = character();
    animbox::FrmMain window(c.dir.filePath(QStringLiteral("settings.ini")));
    if (!c.valid || !window.openCharacterFile(c.file(), QStringLiteral("anim075"))) {
        state.SkipWithError("the file did not open");
        return;
    }
    window.List1()->setCurrentRow(0);
    int delay = 20;
    const auto save = [&] {
        window.Frame3()->txtDelay()->setText(QString::number(++delay));
        QElapsedTimer timer;
        timer.start();
        if (!window.saveAnimation())
            state.SkipWithError("the save failed");
        return double(timer.nsecsElapsed()) / 1e6;
    };
    const auto plainWrite = [&] {
        QString error;
        const QByteArray bytes = model::readWholeFile(c.file(), &error);
        QElapsedTimer timer;
        timer.start();
        if (!model::replaceFile(c.file(), bytes, bytes).isEmpty())
            state.SkipWithError("the plain write failed");
        return double(timer.nsecsElapsed()) / 1e6;
    };
    runPaired(state, save, plainWrite, "write", 20);
}
BENCHMARK(BM_SaveEditedPaired)->Unit(benchmark::kMillisecond)->Iterations(21);

// Keeps the mean time of each case for the summary line.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double ms = run.GetAdjustedRealTime();
            if (run.benchmark_name().starts_with("BM_ReadPastedText"))
                baselineMs = ms;
            else if (run.benchmark_name().starts_with("BM_OpenFromFile"))
                openMs = ms;
        }
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (baselineMs > 0 && openMs > 0) {
        std::printf("open from a %lld-byte file: %.1f ms; pasted text (baseline): %.1f ms; "
                    "ratio %.2f; beyond decoding: %.1f ms (goal <= 50 ms)\n",
                    static_cast<long long>(QFileInfo(character().file()).size()), openMs, baselineMs,
                    openMs / baselineMs, openMs - baselineMs);
    }
    return 0;
}
