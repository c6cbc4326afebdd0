// Reading a script whose every frame names a file of its own, as a long
// animation read from a mod does. Each round reads the same animation twice,
// once with lower-case file names (found at once) and once with capitalised
// names on disk (found ignoring case), in alternating order so that both see
// the same machine. Reported per frame, wall and CPU time, with the paired
// ratio of the two; the summary checks that reading stays linear in the
// number of frames and that capitals cost little more than the baseline.

#include "demo/GifWriter.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <vector>

namespace {

const int kSizes[] = {1000, 4000, 16000};

// Wall and CPU time of one reading, in microseconds.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

// Per-frame medians of one benchmark, for the summary.
struct Result {
    Timing lower;
    Timing capitalised;
    double ratioWall = 0;
    double ratioCpu = 0;
    double ratioWallMin = 0;
    double ratioWallMax = 0;
};
std::map<int, Result> g_results;

QString fileName(int frame, bool capitalised)
{
    return QStringLiteral("%1%2.gif").arg(capitalised ? u"Walk" : u"walk").arg(frame, 5, 10, QLatin1Char('0'));
}

// A game folder with, for every size, a folder of that many distinct small
// sprites in lower case and one in capitals, written once.
class DistinctSprites {
public:
    static DistinctSprites& instance()
    {
        static DistinctSprites sprites;
        return sprites;
    }
    bool isValid() const { return m_valid; }
    QString workPath() const { return m_dir.path(); }
    QString folder(int frames, bool capitalised) const
    {
        return m_dir.filePath(QStringLiteral("data/chars/%1%2").arg(capitalised ? "upper" : "lower").arg(frames));
    }

private:
    DistinctSprites()
    {
        m_valid = m_dir.isValid() && !m_dir.path().contains(u"data", Qt::CaseInsensitive);
        for (const int frames : kSizes) {
            for (const bool capitalised : {false, true}) {
                const QDir target(folder(frames, capitalised));
                m_valid = m_valid && QDir().mkpath(target.path());
                for (int i = 0; m_valid && i < frames; ++i) {
                    const QImage sprite = tools::makeSprite(QSize(12 + i % 5, 16), qRgb(255, 0, 255),
                                                            qRgb(i % 200, 100, 50), 2);
                    m_valid = tools::writeGif(target.filePath(fileName(i, capitalised)), sprite);
                }
            }
        }
    }

    QTemporaryDir m_dir;
    bool m_valid = false;
};

// The script text of `frames` frames, one file each, as the writer gives it.
QString makeText(int frames, bool capitalised)
{
    model::Animation animation;
    for (int i = 0; i < frames; ++i) {
        model::FrameRecord record;
        record.frameDelay = 8;
        record.offsetX = qint16(6 + i % 3);
        record.offsetY = 14;
        animation.frames.append(record);
        animation.rows.append(fileName(i, capitalised));
    }
    return model::writeScript(animation, DistinctSprites::instance().folder(frames, capitalised)).text;
}

QImage decode(const QString& path, QString* error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

double cpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// Reads `text`; nothing when reading failed.
std::optional<Timing> timedRead(const QString& text, int frames)
{
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = cpuMicroseconds();
    const model::ReadResult result = model::readScript(text, DistinctSprites::instance().workPath(), decode);
    const Timing timing{std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - wallStart).count(),
                        cpuMicroseconds() - cpuStart};
    if (!result.finished || result.animation.rowCount() != frames)
        return std::nullopt;
    return timing;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_ReadDistinctFiles(benchmark::State& state)
{
    if (!DistinctSprites::instance().isValid()) {
        state.SkipWithError("cannot write the sprite folders");
        return;
    }
    const int frames = int(state.range(0));
    const QString lowerText = makeText(frames, false);
    const QString capitalisedText = makeText(frames, true);
    std::vector<double> lowerWall, lowerCpu, upperWall, upperCpu, ratioWall, ratioCpu;
    bool capitalisedFirst = false;
    for (auto _ : state) {
        std::optional<Timing> lower, upper;
        if (capitalisedFirst)
            upper = timedRead(capitalisedText, frames);
        lower = timedRead(lowerText, frames);
        if (!capitalisedFirst)
            upper = timedRead(capitalisedText, frames);
        capitalisedFirst = !capitalisedFirst;
        if (!lower || !upper) {
            state.SkipWithError("reading failed");
            return;
        }
        state.SetIterationTime(upper->wall / 1e6);
        lowerWall.push_back(lower->wall / frames);
        lowerCpu.push_back(lower->cpu / frames);
        upperWall.push_back(upper->wall / frames);
        upperCpu.push_back(upper->cpu / frames);
        ratioWall.push_back(upper->wall / lower->wall);
        ratioCpu.push_back(upper->cpu / lower->cpu);
    }
    Result& result = g_results[frames];
    const auto [ratioMin, ratioMax] = std::minmax_element(ratioWall.begin(), ratioWall.end());
    result = {{median(lowerWall), median(lowerCpu)}, {median(upperWall), median(upperCpu)}, median(ratioWall),
              median(ratioCpu), *ratioMin, *ratioMax};
    state.counters["caps_wall_us/frame"] = result.capitalised.wall;
    state.counters["caps_cpu_us/frame"] = result.capitalised.cpu;
    state.counters["lower_wall_us/frame"] = result.lower.wall;
    state.counters["lower_cpu_us/frame"] = result.lower.cpu;
    state.counters["ratio_wall"] = result.ratioWall;
    state.counters["ratio_cpu"] = result.ratioCpu;
}

// Medians of paired rounds against their baselines and goals.
void printSummary()
{
    if (g_results.size() != std::size(kSizes))
        return;
    const Result& first = g_results.at(kSizes[0]);
    std::printf("\nReading distinct files, per frame (median of paired rounds):\n");
    std::printf("%8s %14s %14s %22s %16s %18s\n", "frames", "lower wall us", "caps wall us",
                "caps/lower wall (min-max)", "caps/lower cpu", "caps vs 1000 wall");
    for (const auto& [frames, r] : g_results)
        std::printf("%8d %14.2f %14.2f %9.2f (%.2f-%.2f) %16.2f %18.2f\n", frames, r.lower.wall, r.capitalised.wall,
                    r.ratioWall, r.ratioWallMin, r.ratioWallMax, r.ratioCpu, r.capitalised.wall / first.capitalised.wall);
    const Result& goal = g_results.at(4000);
    std::printf("Goals at 4000 frames: caps/lower %.2f (<= 1.5), caps vs 1000 frames %.2f (<= 2.0)\n",
                goal.ratioWall, goal.capitalised.wall / first.capitalised.wall);
}

} // namespace

BENCHMARK(BM_ReadDistinctFiles)
    ->Arg(kSizes[0])
    ->Arg(kSizes[1])
    ->Arg(kSizes[2])
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
