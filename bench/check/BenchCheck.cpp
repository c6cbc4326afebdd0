// Checking a 2 MB character of 150 animations as "检查角色" does (reading
// every animation, decoding each image file once, looking at every frame)
// against decoding the same image files alone, both on one thread. Each
// round times both, in alternating order, so that both see the same
// machine; the summary gives the medians of the rounds, wall and processor
// time. Two characters: one whose every frame shows a sprite of its own (the
// goals: the check at most 2 s and at most 1.2 times the decoding alone),
// and one whose animations cycle through 16 sprites each, where the text
// weighs more against fewer images.

#include "demo/GifWriter.h"
#include "editor/images/ImageLoading.h"
#include "model/character/CharacterCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int kAnimations = 150;
constexpr qint64 kFileBytes = 2 * 1024 * 1024;

// The game folder with the sprites and the character's bytes; an animation
// cycles through `spritesPerAnimation` sprites of its own, or shows a new
// one in every frame when it is 0.
class Character {
public:
    explicit Character(int spritesPerAnimation)
    {
        const QDir folder(m_dir.filePath(QStringLiteral("game/data/chars/bench")));
        m_valid = m_dir.isValid() && QDir().mkpath(folder.path());
        const qint64 perAnimation = kFileBytes / kAnimations;
        m_bytes = "name\tbench\r\nhealth\t100\r\n\r\n";
        for (int a = 0; m_valid && a < kAnimations; ++a) {
            const QByteArray name = 'a' + QByteArray::number(a).rightJustified(3, '0');
            m_bytes += "anim\t" + name + "\r\n\tloop\t1\r\n";
            const qint64 start = m_bytes.size();
            for (int f = 0; m_valid && m_bytes.size() - start < perAnimation; ++f) {
                const int sprite = spritesPerAnimation > 0 ? f % spritesPerAnimation : f;
                const QByteArray file = name + '_' + QByteArray::number(sprite).rightJustified(3, '0');
                if (sprite == f)
                    m_valid = writeSprite(folder.filePath(QString::fromLatin1(file + ".gif")), a, sprite);
                m_bytes += "\tdelay\t" + QByteArray::number(5 + f % 7) + "\r\n\toffset\t" + QByteArray::number(48 + f % 3)
                         + " 110\r\n\tbbox\t20 10 50 96\r\n\tattack\t40 30 30 20 12 0 0 0 8\r\n\t# step "
                         + QByteArray::number(f) + "\r\n\tframe\tdata/chars/bench/" + file + "\r\n";
            }
            m_bytes += "\r\n";
        }
        m_valid = m_valid && m_bytes.size() >= kFileBytes;
    }

    bool isValid() const { return m_valid; }
    QString game() const { return m_dir.filePath(QStringLiteral("game")); }
    const QByteArray& bytes() const { return m_bytes; }
    const QStringList& images() const { return m_images; }

private:
    bool writeSprite(const QString& path, int animation, int sprite)
    {
        m_images.append(path);
        return tools::writeGif(path, tools::makeSprite({96, 112}, 0xffff00ff,
                                                       qRgb(40 + sprite % 200, 80 + animation, 160), 4 + sprite % 10));
    }

    QTemporaryDir m_dir;
    QByteArray m_bytes;
    QStringList m_images;
    bool m_valid = false;
};

Character& character(int spritesPerAnimation)
{
    static std::map<int, std::unique_ptr<Character>> characters;
    std::unique_ptr<Character>& c = characters[spritesPerAnimation];
    if (!c)
        c = std::make_unique<Character>(spritesPerAnimation);
    return *c;
}

// Wall and processor time of one run, in milliseconds.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Times `run`; nothing when it reports a failure.
template <typename Run>
std::optional<Timing> timed(Run run)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMs();
    if (!run())
        return std::nullopt;
    return Timing{double(timer.nsecsElapsed()) / 1e6, cpuMs() - cpuStart};
}

QImage decode(const QString& path, QString* error)
{
    return animbox::loadImage(path, error);
}

std::optional<Timing> decodeAlone(const Character& c)
{
    return timed([&c] {
        for (const QString& path : c.images()) {
            const QImage image = decode(path, nullptr);
            if (image.isNull())
                return false;
            benchmark::DoNotOptimize(image);
        }
        return true;
    });
}

// The check must find nothing but the kept "loop" lines.
std::optional<Timing> check(const Character& c)
{
    return timed([&c] {
        const model::CharacterCheck check(c.bytes(), c.game(), decode);
        const model::CheckReport report = check.run([](int, int) { return true; });
        return report.isComplete() && report.findings.size() == 1 && report.findings.first().isInformation();
    });
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Summary {
    qsizetype bytes = 0;
    qsizetype images = 0;
    Timing decode;
    Timing check;
    double ratioWall = 0;
    double ratioCpu = 0;
    double ratioWallMin = 0;
    double ratioWallMax = 0;
};
std::map<int, Summary> g_summaries;

void BM_CheckAgainstDecoding(benchmark::State& state)
{
    const int spritesPerAnimation = int(state.range(0));
    const Character& c = character(spritesPerAnimation);
    // One untimed round first: it reads the files from disk.
    if (!c.isValid() || !decodeAlone(c) || !check(c)) {
        state.SkipWithError("the character could not be written or did not check clean");
        return;
    }
    std::vector<double> decodeWall, decodeCpu, checkWall, checkCpu, ratioWall, ratioCpu;
    bool checkFirst = false;
    for (auto _ : state) {
        std::optional<Timing> decoded, checked;
        if (checkFirst)
            checked = check(c);
        decoded = decodeAlone(c);
        if (!checkFirst)
            checked = check(c);
        checkFirst = !checkFirst;
        if (!decoded || !checked) {
            state.SkipWithError("a round failed");
            return;
        }
        state.SetIterationTime(checked->wall / 1e3);
        decodeWall.push_back(decoded->wall);
        decodeCpu.push_back(decoded->cpu);
        checkWall.push_back(checked->wall);
        checkCpu.push_back(checked->cpu);
        ratioWall.push_back(checked->wall / decoded->wall);
        ratioCpu.push_back(checked->cpu / decoded->cpu);
    }
    const auto [ratioMin, ratioMax] = std::minmax_element(ratioWall.begin(), ratioWall.end());
    Summary& s = g_summaries[spritesPerAnimation];
    s = {c.bytes().size(), c.images().size(), {median(decodeWall), median(decodeCpu)}, {median(checkWall), median(checkCpu)},
         median(ratioWall), median(ratioCpu), *ratioMin, *ratioMax};
    state.counters["images"] = double(s.images);
    state.counters["ratio_wall"] = s.ratioWall;
    state.counters["ratio_cpu"] = s.ratioCpu;
}

void printSummary()
{
    std::printf("\nChecking a 2 MB character of %d animations (median of paired rounds):\n", kAnimations);
    std::printf("%-26s %9s %7s %10s %10s %24s %6s\n", "sprites", "bytes", "images", "check ms", "decode ms",
                "check/decode wall", "cpu");
    for (const auto& [sprites, s] : g_summaries) {
        const QByteArray what = sprites == 0 ? "one per frame (goals)" : QByteArray::number(sprites) + " per animation";
        std::printf("%-26s %9lld %7lld %10.0f %10.0f %9.2f (%.2f-%.2f) %10.2f\n", what.constData(),
                    static_cast<long long>(s.bytes), static_cast<long long>(s.images), s.check.wall, s.decode.wall, s.ratioWall, s.ratioWallMin,
                    s.ratioWallMax, s.ratioCpu);
    }
    if (const auto goal = g_summaries.find(0); goal != g_summaries.end()) {
        std::printf("Goals: check %.0f ms (<= 2000), check/decode %.2f (<= 1.2)\n", goal->second.check.wall,
                    goal->second.ratioWall);
    }
}

} // namespace

BENCHMARK(BM_CheckAgainstDecoding)->Arg(0)->Arg(16)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_summaries.empty())
        printSummary();
    return 0;
}
