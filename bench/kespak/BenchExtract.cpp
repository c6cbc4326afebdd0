// Extraction speed of kespak as a user waits for it: the kespak process
// extracting an archive, against baselines run in the same rounds, every
// output compared byte for byte with the tree that was packed. Large files
// (20 × 50 MB) go against a minimal copy_file_range extractor of the same
// archive (and cp -r of the tree, for reference); small files (5,000 files,
// 200 MB) and tiny ones (100,000 files of one byte, where the cost per file
// is all there is) against cp -r. Every program is started directly, never
// through a shell. Prints, per pair, the median of the paired ratios with
// their range and the ratio of the total times. All data lives in a folder
// below /tmp that is removed at the end. An argument runs only the cases
// whose names begin with it ("tiny").
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Large rounds are cheap and noisy, small ones slower and steadier.
constexpr int kLargeRounds = 7;
constexpr int kSmallRounds = 5;
constexpr int kTinyRounds = 5;

// Writes `count` files adding up to `total` bytes, spread over `folders`
// folders below `root`; sizes vary around their average unless `even`.
bool makeTree(const fs::path& root, int count, int folders, std::uint64_t total, bool even)
{
    QRandomGenerator random(2024);
    std::vector<char> bytes(1 << 20);
    std::uint64_t written = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint64_t average = (total - written) / std::uint64_t(count - i);
        const std::uint64_t size = i + 1 == count || even ? average : average / 2 + random.bounded(quint32(average));
        const fs::path folder = root / ("chars" + std::to_string(i % folders));
        fs::create_directories(folder);
        std::ofstream out(folder / ("frame" + std::to_string(i) + ".gif"), std::ios::binary);
        for (std::uint64_t left = size; left > 0 && out;) {
            const auto chunk = std::streamsize(std::min<std::uint64_t>(left, bytes.size()));
            random.fillRange(reinterpret_cast<quint32*>(bytes.data()), int((chunk + 3) / 4));
            out.write(bytes.data(), chunk);
            left -= std::uint64_t(chunk);
        }
        if (!out)
            return false;
        written += size;
    }
    return true;
}

// Starts `program` directly with `arguments`, its output discarded, and waits.
bool execute(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

bool sameFile(const fs::path& a, const fs::path& b, std::vector<char>& bufferA, std::vector<char>& bufferB)
{
    std::error_code code;
    if (fs::file_size(a, code) != fs::file_size(b, code) || code)
        return false;
    std::ifstream inA(a, std::ios::binary), inB(b, std::ios::binary);
    while (inA && inB) {
        inA.read(bufferA.data(), std::streamsize(bufferA.size()));
        inB.read(bufferB.data(), std::streamsize(bufferB.size()));
        if (inA.gcount() != inB.gcount() || std::memcmp(bufferA.data(), bufferB.data(), std::size_t(inA.gcount())) != 0)
            return false;
    }
    return inA.eof() && inB.eof();
}

// Whether `copy` holds exactly the files of `reference`, byte for byte.
bool sameTree(const fs::path& reference, const fs::path& copy)
{
    std::vector<char> bufferA(1 << 20), bufferB(1 << 20);
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(reference)) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        if (!sameFile(entry.path(), copy / entry.path().lexically_relative(reference), bufferA, bufferB))
            return false;
    }
    std::error_code code;
    const auto copied = std::count_if(fs::recursive_directory_iterator(copy, code), fs::recursive_directory_iterator(),
                                      [](const fs::directory_entry& entry) { return entry.is_regular_file(); });
    return !code && std::size_t(copied) == files;
}

// One program timed: what it runs and the tree it produces.
struct Contender
{
    const char* name;
    std::function<bool()> work;
    fs::path output;
    std::vector<double> seconds;
};

// Runs every contender once per round, each round starting with the next
// one, so that drifting load and cache state fall on all of them alike. The
// disks are synced before each run; each output is verified, then removed.
// A first round is not timed: the first runs after the set-up pay for what
// it left behind (writing the tree and the archive) and ran two or three
// times slower, always with the same contender first.
bool runRounds(std::vector<Contender>& contenders, const fs::path& reference, int rounds)
{
    for (int round = -1; round < rounds; ++round) {
        for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& contender = contenders[(std::size_t(round + 1) + turn) % contenders.size()];
            fs::remove_all(contender.output);
            execute("/bin/sync", {});
            QElapsedTimer timer;
            timer.start();
            const bool worked = contender.work();
            if (round >= 0)
                contender.seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
            if (!worked || !sameTree(reference, contender.output)) {
                std::fprintf(stderr, "%s failed or produced a different tree\n", contender.name);
                return false;
            }
            fs::remove_all(contender.output);
        }
    }
    return true;
}

// Compares `measured` with `baseline` round by round and over all rounds.
void printRatio(const char* caseName, const Contender& measured, const Contender& baseline, double goal)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < measured.seconds.size(); ++i)
        ratios.push_back(measured.seconds[i] / baseline.seconds[i]);
    std::sort(ratios.begin(), ratios.end());
    const double total = std::accumulate(measured.seconds.begin(), measured.seconds.end(), 0.0)
                         / std::accumulate(baseline.seconds.begin(), baseline.seconds.end(), 0.0);
    const double median = ratios[ratios.size() / 2];
    std::printf("%-22s %-18s %6.2f   %5.2f-%-5.2f %6.2f   ", caseName, baseline.name, median, ratios.front(),
                ratios.back(), total);
    if (goal > 0)
        std::printf("<= %.2f %s\n", goal, median <= goal && total <= goal ? "met" : "MISSED");
    else
        std::printf("(reference)\n");
}

void printTimes(const std::vector<Contender>& contenders)
{
    for (const Contender& contender : contenders) {
        std::vector<double> sorted = contender.seconds;
        std::sort(sorted.begin(), sorted.end());
        std::printf("    %-18s median %.3f s, min %.3f s, max %.3f s\n", contender.name, sorted[sorted.size() / 2],
                    sorted.front(), sorted.back());
    }
}

// Packs a tree, then extracts it in paired rounds. Returns false when any step fails.
bool runCase(const fs::path& root, const char* caseName, int files, int folders, std::uint64_t bytes, bool even,
             int rounds, double goalMinimal, double goalCopy)
{
    const fs::path reference = root / "source" / "data";
    const fs::path archive = root / "kespak" / "game.pak";
    std::printf("%s: writing %d files, %llu bytes\n", caseName, files, static_cast<unsigned long long>(bytes));
    std::fflush(stdout);
    fs::create_directories(archive.parent_path());
    if (!makeTree(reference, files, folders, bytes, even)
        || !execute(KESPAK, {"kes", "-c", QString::fromStdString(archive), QString::fromStdString(reference)}))
        return false;
    std::vector<Contender> contenders{
        {"kespak kes -i", [&] { return execute(KESPAK, {"kes", "-i", QString::fromStdString(archive)}); },
         archive.parent_path() / "data", {}},
        {"cp -r", [&] { return execute("/bin/cp", {"-r", QString::fromStdString(reference), QString::fromStdString(root / "copy")}); },
         root / "copy", {}},
    };
    if (goalMinimal > 0) {
        contenders.push_back({"minimal extractor", [&] {
                                  return execute(MINIMAL_EXTRACT, {QString::fromStdString(archive),
                                                                   QString::fromStdString(root / "minimal")});
                              }, root / "minimal" / "data", {}});
    }
    std::printf("%s: %d paired rounds after one untimed\n", caseName, rounds);
    std::fflush(stdout);
    if (!runRounds(contenders, reference, rounds))
        return false;
    std::printf("%-22s %-18s %6s   %-11s %6s   %s\n", "case", "baseline", "median", "min-max", "total", "goal");
    if (goalMinimal > 0)
        printRatio(caseName, contenders[0], contenders[2], goalMinimal);
    printRatio(caseName, contenders[0], contenders[1], goalCopy);
    printTimes(contenders);
    fs::remove_all(root / "source");
    fs::remove_all(root / "kespak");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    const auto chosen = [&](const char* caseName) { return std::string_view(caseName).starts_with(only); };
    QTemporaryDir work(QStringLiteral("/tmp/bench_kespak-XXXXXX"));
    if (!work.isValid())
        return 1;
    const fs::path root = work.path().toStdString();
    std::printf("kespak extraction in paired rounds, outputs verified byte for byte. On a shared machine\n"
                "the absolute times swing; the paired ratios are what to read.\n");
    const bool done =
        (!chosen("large") || runCase(root, "large (20 x 50 MB)", 20, 1, 20ull * 50'000'000, true, kLargeRounds, 1.15, 0))
        && (!chosen("small")
            || runCase(root, "small (5,000 / 200 MB)", 5000, 50, 200ull * 1024 * 1024, false, kSmallRounds, 0, 1.1))
        && (!chosen("tiny")
            || runCase(root, "tiny (100,000 x 1 byte)", 100'000, 100, 100'000, true, kTinyRounds, 0, 1.2));
    return done ? 0 : 1;
}
