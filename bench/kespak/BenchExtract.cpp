// Extraction speed of kespak against copying the same tree: an archive of
// 5,000 files totalling 200 MB is extracted, and the extracted tree is copied
// with `cp -r` (started without a shell) and with std::filesystem::copy, five
// times each in the same run. Prints the times and the ratio of extraction
// to copy. All data lives
// in a temporary folder that is removed at the end.
#include "kespak/ExitCode.h"
#include "kespak/Extractor.h"
#include "kespak/Packer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 100;
constexpr std::uint64_t kTotalBytes = 200ull * 1024 * 1024;
constexpr int kRounds = 5;

// Discards the progress lines, as a terminal would not keep them either.
class NullBuffer : public std::streambuf
{
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// Writes kFolders × kFilesPerFolder files of varied sizes adding up to kTotalBytes.
bool makeTree(const fs::path& root)
{
    QRandomGenerator random(2024);
    std::vector<char> bytes(256 * 1024);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), int(bytes.size() / 4));
    const std::uint64_t files = kFolders * kFilesPerFolder;
    std::uint64_t written = 0;
    for (std::uint64_t i = 0; i < files; ++i) {
        const std::uint64_t average = (kTotalBytes - written) / (files - i);
        const std::uint64_t size = i + 1 == files ? kTotalBytes - written
                                                  : average / 2 + random.bounded(quint32(average));
        const fs::path folder = root / ("chars" + std::to_string(i / kFilesPerFolder));
        fs::create_directories(folder);
        std::ofstream out(folder / ("frame" + std::to_string(i) + ".gif"), std::ios::binary);
        out.write(bytes.data() + i % 1024, std::streamsize(size));
        if (!out)
            return false;
        written += size;
    }
    return true;
}

void syncDisks()
{
    if (QFile::exists("/bin/sync"))
        QProcess::execute("/bin/sync", {});
}

// One contender: the work timed, and what clears its output before each round.
struct Contender
{
    const char* name;
    std::function<void()> prepare;
    std::function<bool()> work;
    std::vector<double> seconds;
};

// Runs every contender once per round, in turn, so that the load of a shared
// machine falls on all of them alike. Returns false when any work fails.
bool runRounds(std::vector<Contender>& contenders)
{
    for (int round = 0; round < kRounds; ++round) {
        for (Contender& contender : contenders) {
            contender.prepare();
            syncDisks();
            QElapsedTimer timer;
            timer.start();
            if (!contender.work()) {
                std::fprintf(stderr, "%s failed\n", contender.name);
                return false;
            }
            contender.seconds.push_back(timer.nsecsElapsed() / 1e9);
        }
    }
    for (Contender& contender : contenders)
        std::sort(contender.seconds.begin(), contender.seconds.end());
    return true;
}

double median(const std::vector<double>& seconds)
{
    return seconds[seconds.size() / 2];
}

void print(const Contender& contender, const Contender& reference)
{
    std::printf("%-24s best %.3f s, median %.3f s", contender.name, contender.seconds.front(),
                median(contender.seconds));
    if (&contender != &reference) {
        std::printf("; kespak takes %.2f x its time (median), %.2f x (best)",
                    median(reference.seconds) / median(contender.seconds),
                    reference.seconds.front() / contender.seconds.front());
    }
    std::printf("\n");
}

} // namespace

int main()
{
    QTemporaryDir work;
    if (!work.isValid())
        return 1;
    const fs::path root = work.path().toStdString();
    const fs::path packed = root / "paks";
    const fs::path archive = packed / "game.pak";
    const fs::path extracted = packed / "data";
    std::printf("Writing %d files, %llu bytes, below %s\n", kFolders * kFilesPerFolder,
                static_cast<unsigned long long>(kTotalBytes), root.string().c_str());
    NullBuffer nullBuffer;
    std::ostream null(&nullBuffer);
    fs::create_directories(packed);
    if (!makeTree(root / "source" / "data")
        || kespak::Packer(null, std::cerr).run(archive, root / "source" / "data") != kespak::Success)
        return 1;
    fs::remove_all(root / "source");

    const fs::path copy = root / "copy";
    const auto clearCopy = [&] { fs::remove_all(copy); };
    std::vector<Contender> contenders{
        {"kespak kes -i", [&] { fs::remove_all(extracted); },
         [&] { return kespak::Extractor(null, std::cerr).run(archive) == kespak::Success; }, {}},
        {"cp -r", clearCopy, [&] {
             return QProcess::execute("/bin/cp", {"-r", QString::fromStdString(extracted.string()),
                                                  QString::fromStdString(copy.string())}) == 0;
         }, {}},
        {"std::filesystem::copy", clearCopy, [&] {
             std::error_code code;
             fs::copy(extracted, copy, fs::copy_options::recursive, code);
             return !code;
         }, {}},
    };
    // The first extraction also makes the tree the copies read.
    if (kespak::Extractor(null, std::cerr).run(archive) != kespak::Success || !runRounds(contenders))
        return 1;
    for (const Contender& contender : contenders)
        print(contender, contenders.front());
    return 0;
}
