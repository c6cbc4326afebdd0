// kespak: round trips, refusals of bad entries, of files that are no archive
// and of hostile links or special files on either side, and the command line.
#include "../FileBytes.h"
#include "kespak/CommandLine.h"
#include "kespak/ExitCode.h"
#include "kespak/FileHandle.h"
#include "kespak/ReplacingFile.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <atomic>
#include <optional>
#include <sstream>
#include <thread>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testfiles::writeFile;

namespace {

struct Run { int code = -1; QString out, err; };

Run kespakRun(const QStringList& arguments)
{
    std::vector<std::filesystem::path> paths;
    for (const QString& argument : arguments)
        paths.emplace_back(argument.toStdString());
    std::ostringstream out, err;
    const int code = kespak::CommandLine(out, err).run(paths);
    return {code, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

QByteArray le32(quint32 value)
{
    const quint32 little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&little), 4);
}

// Builds archive bytes, bad ones included: the stored data, directory entries
// exactly as given, and the trailing directory offset.
struct PakBuilder
{
    QByteArray data, directory;

    // Stores `bytes` and returns their offset.
    quint32 addData(const QByteArray& bytes)
    {
        data += bytes;
        return quint32(8 + data.size() - bytes.size());
    }
    void addRawEntry(quint32 length, quint32 offset, quint32 size, const QByteArray& nameBytes)
    {
        directory += le32(length) + le32(offset) + le32(size) + nameBytes;
    }
    void addFile(const QByteArray& name, const QByteArray& content)
    {
        addRawEntry(quint32(12 + name.size() + 1), addData(content), quint32(content.size()), name + '\0');
    }
    QByteArray build() const { return "PACK" + le32(0) + data + directory + le32(quint32(8 + data.size())); }
};

// Every file below `root` by its relative path, with its bytes.
QMap<QString, QByteArray> tree(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(QDir(root).relativeFilePath(file.fileName()),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

} // namespace

class TestKespak : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir; // a folder of each test's own

    QString path(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void packListExtractRoundTrip()
    {
        QByteArray big(3 * 1024 * 1024 + 17, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        QMap<QString, QByteArray> files{{"data/chars/hero/idle01.gif", big},
                                        {"data/chars/hero/empty.txt", {}},
                                        {"data/chars/名字 with blanks.txt", "unicode and blanks"},
                                        {"data/readme.txt", "top"}};
        for (auto it = files.begin(); it != files.end(); ++it)
            QVERIFY(writeFile(path("src/" + it.key()), it.value()));

        // Packing is stable: the same folder, with or without a closing separator, gives the same bytes.
        const QString archive = path("out/game.pak");
        QVERIFY(QDir().mkpath(path("out")));
        QCOMPARE(kespakRun({"kes", "-c", archive, path("src/data/")}).code, kespak::Success);
        QCOMPARE(kespakRun({"kes", "-c", path("again.pak"), path("src/data")}).code, kespak::Success);
        QCOMPARE(tree(m_dir->path()).value("again.pak"), tree(m_dir->path()).value("out/game.pak"));

        const Run list = kespakRun({"kes", "-l", archive});
        QCOMPARE(list.code, kespak::Success);
        QStringList names;
        for (const QString& line : list.out.split('\n', Qt::SkipEmptyParts).mid(0, files.size()))
            names << line.trimmed().section("  ", 1);
        QCOMPARE(names, QStringList(files.keys()));
        QVERIFY(list.out.contains(QString::number(big.size()) + "  data/chars/hero/idle01.gif"));

        // A stale file is replaced; nothing else appears next to the archive.
        QVERIFY(writeFile(path("out/data/readme.txt"), "an older and longer text"));
        const Run extract = kespakRun({"kes", "-i", archive});
        QCOMPARE(extract.code, kespak::Success);
        QVERIFY2(extract.err.isEmpty(), qPrintable(extract.err));
        files.insert("game.pak", tree(m_dir->path()).value("out/game.pak"));
        QCOMPARE(tree(path("out")), files);
    }

    void refusedEntries_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("dataKind"); // 0 its own data, 1 beyond the file, 2 in the header, 3 into the directory
        QTest::addColumn<qint64>("length"); // -1: the right length; otherwise the directory cannot be followed
        QTest::addColumn<bool>("terminated");
        QTest::addColumn<QString>("reported");

        const QByteArray c = "data/c.txt";
        QTest::newRow("absolute") << QByteArray("@TMP@/evil.txt") << 0 << -1LL << true << "absolute";
        QTest::newRow("absolute backslash") << QByteArray("\\evil.txt") << 0 << -1LL << true << "absolute";
        QTest::newRow("drive") << QByteArray("C:\\evil.txt") << 0 << -1LL << true << "drive prefix";
        QTest::newRow("drive relative") << QByteArray("c:evil.txt") << 0 << -1LL << true << "drive prefix";
        QTest::newRow("parent") << QByteArray("data/../../evil.txt") << 0 << -1LL << true << "\"..\"";
        QTest::newRow("parent backslash") << QByteArray("data\\..\\..\\evil.txt") << 0 << -1LL << true << "\"..\"";
        QTest::newRow("control characters") << QByteArray("data/\x1b[2Jx") << 0 << -1LL << true << "\\x1b[2Jx";
        // Names that would act on a terminal, break a line or read in another order are refused, named escaped.
        const QString hidden = "\"data/%1.txt\": the name contains ";
        QTest::newRow("C1 CSI in UTF-8") << QByteArray("data/\xc2\x9b" "2J.txt") << 0 << -1LL << true
                                         << hidden.arg("\\xc2\\x9b2J") + "control characters";
        QTest::newRow("raw CSI byte") << QByteArray("data/\x9b" "2J.txt") << 0 << -1LL << true
                                      << hidden.arg("\\x9b2J") + "control characters";
        QTest::newRow("line separator") << QByteArray("data/a\xe2\x80\xa8" "b.txt") << 0 << -1LL << true
                                        << hidden.arg("a\\xe2\\x80\\xa8b") + "a line or paragraph separator";
        QTest::newRow("right-to-left override") << QByteArray("data/gpj\xe2\x80\xae" "exe.txt") << 0 << -1LL << true
                                                << hidden.arg("gpj\\xe2\\x80\\xaeexe") + "bidirectional controls";
        QTest::newRow("direction isolate") << QByteArray("data/a\xe2\x81\xa7" "b.txt") << 0 << -1LL << true
                                           << hidden.arg("a\\xe2\\x81\\xa7b") + "bidirectional controls";
        QTest::newRow("no file name") << QByteArray("data/") << 0 << -1LL << true << "file name";
        QTest::newRow("the archive itself") << QByteArray("x.pak") << 0 << -1LL << true << "replace the archive";
        QTest::newRow("data beyond") << c << 1 << -1LL << true << "outside";
        QTest::newRow("data in header") << c << 2 << -1LL << true << "outside";
        QTest::newRow("data into the directory") << c << 3 << -1LL << true << "outside";
        QTest::newRow("no NUL") << c << 0 << -1LL << false << "NUL";
        QTest::newRow("length too short") << c << 0 << 12LL << true << "impossible";
        QTest::newRow("length too long") << c << 0 << 0xffffffffLL << true << "impossible";
    }

    // A bad entry between two good ones: it is reported, the good one before
    // it (and after it, when the directory can still be followed) extracted,
    // nothing appears anywhere else, and the exit code says so.
    void refusedEntries()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, dataKind);
        QFETCH(qint64, length);
        QFETCH(bool, terminated);
        QFETCH(QString, reported);
        name.replace("@TMP@", QFile::encodeName(m_dir->path()));
        PakBuilder pak;
        pak.addFile("data/a.txt", "alpha");
        const quint32 bad = pak.addData("mischief");
        const QByteArray nameBytes = terminated ? name + '\0' : name;
        // Data reaching into the directory ends 4 bytes past "bravo", well within the file.
        const quint32 size[] = {8, 1000, 8, 8 + 5 + 4};
        pak.addRawEntry(length < 0 ? quint32(12 + nameBytes.size()) : quint32(length), dataKind == 2 ? 0 : bad,
                        size[dataKind], nameBytes);
        pak.addFile("data/b.txt", "bravo");
        const QString archive = path("paks/x.pak");
        QVERIFY(writeFile(archive, pak.build()));

        const Run run = kespakRun({"kes", "-i", archive});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QVERIFY2(run.err.contains(reported), qPrintable(run.err));
        QMap<QString, QByteArray> expected{{"paks/x.pak", pak.build()}, {"paks/data/a.txt", "alpha"}};
        if (length < 0)
            expected.insert("paks/data/b.txt", "bravo");
        QCOMPARE(tree(m_dir->path()), expected);

        // Listing reads the same directory; only extraction can touch the archive itself.
        const Run list = kespakRun({"kes", "-l", archive});
        const bool listable = name == "x.pak";
        QCOMPARE(list.code, listable ? kespak::Success : kespak::EntriesRefused);
        QCOMPARE(list.err.contains(reported), !listable);
    }

    void notAnArchive_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        PakBuilder pak;
        pak.addFile("data/a.txt", QByteArray(64, '\xff'));
        const QByteArray good = pak.build();

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("wrong magic") << QByteArray("PAKC").append(good.mid(4));
        QTest::newRow("magic only") << QByteArray("PACK");
        QTest::newRow("version 1") << QByteArray(good).replace(4, 1, "\x01");
        QTest::newRow("directory beyond") << good.left(good.size() - 4) + le32(quint32(good.size()));
        QTest::newRow("directory in header") << good.left(good.size() - 4) + le32(4);
    }

    void notAnArchive()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeFile(path("x.pak"), bytes));
        for (const char* option : {"-i", "-l"}) {
            const Run run = kespakRun({"kes", option, path("x.pak")});
            QCOMPARE(run.code, kespak::Failure);
            QVERIFY2(run.err.contains("x.pak: "), qPrintable(run.err));
        }
        QCOMPARE(tree(m_dir->path()), (QMap<QString, QByteArray>{{"x.pak", bytes}}));
    }

    // A file that cannot be put in place (a folder holds its name) is reported
    // and leaves neither a partial nor a temporary file; the others are
    // extracted.
    void failedWriteLeavesNoTrace()
    {
        PakBuilder pak;
        pak.addFile("data/a.txt", "alpha");
        pak.addFile("data/b.txt", "bravo");
        QVERIFY(writeFile(path("x.pak"), pak.build()));
        QVERIFY(writeFile(path("data/a.txt/keep.txt"), "kept"));

        const Run run = kespakRun({"kes", "-i", path("x.pak")});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QVERIFY2(run.err.contains("cannot extract \"data/a.txt\""), qPrintable(run.err));
        const QMap<QString, QByteArray> expected{
            {"x.pak", pak.build()}, {"data/a.txt/keep.txt", "kept"}, {"data/b.txt", "bravo"}};
        QCOMPARE(tree(m_dir->path()), expected);
    }

    void packFailureWritesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::newRow("no folder") << QString() << "missing";
        QTest::newRow("a file, not a folder") << "data.txt" << "data.txt";
        QTest::newRow("unsafe name") << "data/a:b.txt" << "data";
    }

    void packFailureWritesNothing()
    {
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QVERIFY(writeFile(path("x.pak"), "older archive"));
        QVERIFY(file.isEmpty() || writeFile(path(file), "content"));
        const auto before = tree(m_dir->path());
        const Run run = kespakRun({"kes", "-c", path("x.pak"), path(folder)});
        QCOMPARE(run.code, kespak::Failure);
        QVERIFY2(run.err.contains("no archive was written"), qPrintable(run.err));
        QCOMPARE(tree(m_dir->path()), before);
    }

    void hostileTarget_data()
    {
        QTest::addColumn<QString>("link"); // made in the archive's folder, pointing at "target"
        QTest::addColumn<QString>("entry"); // the entry that must be refused
        QTest::addColumn<QString>("reported");
        QTest::newRow("linked subfolder") << "data/chars" << "data/chars/evil.txt" << "\"data/chars\" on its way is a link";
        QTest::newRow("linked data") << "data" << "data/chars/evil.txt" << "\"data\" on its way is a link";
        QTest::newRow("archive through a link") << "link.pak" << "game.pak" << "replace the archive";
    }

    // Links in the folder being extracted into are never written through,
    // and the archive is never replaced, whatever name leads to it. The
    // other entries are still extracted.
    void hostileTarget()
    {
        QFETCH(QString, link);
        QFETCH(QString, entry);
        QFETCH(QString, reported);
        PakBuilder pak;
        pak.addFile(entry.toUtf8(), "evil");
        pak.addFile("ok.txt", "fine");
        const bool linksArchive = link.endsWith(".pak");
        const QString target = linksArchive ? path("x/game.pak") : path("elsewhere");
        QVERIFY(writeFile(path("x/game.pak"), pak.build()) && QDir().mkpath(path("elsewhere")));
        QVERIFY(QDir().mkpath(QFileInfo(path("x/" + link)).absolutePath()) && QFile::link(target, path("x/" + link)));

        const Run run = kespakRun({"kes", "-i", path(linksArchive ? "x/link.pak" : "x/game.pak")});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QVERIFY2(run.err.contains("\"" + entry + "\": ") && run.err.contains(reported), qPrintable(run.err));
        QVERIFY(tree(path("elsewhere")).isEmpty());
        QCOMPARE(tree(m_dir->path()).value("x/game.pak"), pak.build());
        QCOMPARE(tree(m_dir->path()).value("x/ok.txt"), "fine");
    }

    // Entries sharing stored data are refused, each with a line, so a small
    // archive cannot expand without limit; an entry of its own is extracted.
    void overlappingEntries()
    {
        PakBuilder pak;
        const quint32 shared = pak.addData(QByteArray(4096, 'z'));
        for (const QByteArray name : {"data/a.txt", "data/b.txt", "data/c.txt"})
            pak.addRawEntry(quint32(12 + name.size() + 1), shared + 1, 100, name + '\0');
        pak.addFile("data/own.txt", "own");
        QVERIFY(writeFile(path("x.pak"), pak.build()));
        const Run run = kespakRun({"kes", "-i", path("x.pak")});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QCOMPARE(run.err.count("overlaps the data of entry"), 3);
        QCOMPARE(tree(m_dir->path()), (QMap<QString, QByteArray>{{"x.pak", pak.build()}, {"data/own.txt", "own"}}));
    }

    void packRefusals_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reported"); // empty: packed, nothing refused
        QTest::newRow("link out of the folder") << "link out" << "outside the folder being packed";
        QTest::newRow("link to a folder") << "folder link" << "link to a folder";
        QTest::newRow("dangling link") << "dangling" << "cannot be reached";
        QTest::newRow("FIFO") << "fifo" << "FIFO";
        QTest::newRow("link inside") << "link in" << "";
        QTest::newRow("named like a temporary file") << "temporary name" << "";
    }

    // Nothing outside the packed folder is read, and nothing is left out
    // silently: refusals get a line each and exit code 3; the rest is packed.
    void packRefusals()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reported);
        const QString data = path("data");
        QVERIFY(writeFile(data + "/a.txt", "alpha") && writeFile(path("secret"), "secret"));
        const QMap<QString, std::function<bool()>> make{
            {"link out", [&] { return QFile::link(path("secret"), data + "/odd"); }},
            {"folder link", [&] { return QDir().mkpath(data + "/sub") && QFile::link(data + "/sub", data + "/odd"); }},
            {"dangling", [&] { return QFile::link(path("gone"), data + "/odd"); }},
            {"fifo", [&] { return ::mkfifo(QFile::encodeName(data + "/odd"), 0600) == 0; }},
            {"link in", [&] { return QFile::link(data + "/a.txt", data + "/odd"); }},
            {"temporary name", [&] { return writeFile(data + "/.kespak-0123456789abcdef01234567.part", "mine"); }}};
        QVERIFY(make.value(kind)());

        const Run run = kespakRun({"kes", "-c", path("x.pak"), data});
        QCOMPARE(run.code, reported.isEmpty() ? kespak::Success : kespak::EntriesRefused);
        QVERIFY2(reported.isEmpty() ? run.err.isEmpty() : run.err.contains("\"data/odd\": ") && run.err.contains(reported),
                 qPrintable(run.err));
        QVERIFY(QDir().mkpath(path("out")) && QFile::rename(path("x.pak"), path("out/x.pak")));
        QCOMPARE(kespakRun({"kes", "-i", path("out/x.pak")}).code, kespak::Success);
        QMap<QString, QByteArray> expected{{"x.pak", tree(path("out")).value("x.pak")}, {"data/a.txt", "alpha"}};
        if (kind == "link in")
            expected.insert("data/odd", "alpha");
        if (kind == "temporary name")
            expected.insert("data/.kespak-0123456789abcdef01234567.part", "mine");
        QCOMPARE(tree(path("out")), expected);
    }

    // An archive written into the folder it packs, named through a linked
    // path, is not packed into itself; packing again leaves the older one out too.
    void packIntoItselfThroughALink()
    {
        QVERIFY(writeFile(path("data/a.txt"), "alpha"));
        QVERIFY(QFile::link(path("data"), path("alias")));
        for (int round = 0; round < 2; ++round) {
            const Run run = kespakRun({"kes", "-c", path("alias/x.pak"), path("data")});
            QCOMPARE(run.code, kespak::Success);
            const Run list = kespakRun({"kes", "-l", path("data/x.pak")});
            QVERIFY2(list.out.endsWith("data/a.txt\n1 entries, 5 bytes\n"), qPrintable(list.out));
        }
    }

    void systemReason_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("reported");
        QTest::newRow("extract") << "-i" << "cannot extract \"data/big.bin\": cannot write it: File too large";
        QTest::newRow("pack") << "-c" << "cannot write the archive ";
    }

    // A write that the system refuses (here: over the file size limit, as a
    // full disk would) is reported as a write, with the system's reason.
    void systemReason()
    {
        QFETCH(QString, option);
        QFETCH(QString, reported);
        PakBuilder pak;
        pak.addFile("data/big.bin", QByteArray(256 * 1024, 'b'));
        QVERIFY(writeFile(path("x.pak"), pak.build()));
        QVERIFY(option == "-i" || writeFile(path("data/big.bin"), QByteArray(256 * 1024, 'b')));
        const QStringList arguments = option == "-i" ? QStringList{"kes", "-i", path("x.pak")}
                                                     : QStringList{"kes", "-c", path("y.pak"), path("data")};
        rlimit saved;
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64 * 1024;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const Run run = kespakRun(arguments);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY2(run.err.contains(reported) && run.err.contains("File too large"), qPrintable(run.err));
        QVERIFY(!tree(m_dir->path()).contains("y.pak"));
    }

    // An archive that is a FIFO is refused at once, by listing and by
    // extraction alike, instead of waiting for a writer that never comes.
    void fifoArchive()
    {
        const QString fifo = path("x.pak");
        QVERIFY(::mkfifo(QFile::encodeName(fifo), 0600) == 0);
        for (const char* option : {"-i", "-l"}) {
            QProcess tool;
            tool.start(KESPAK, {"kes", option, fifo});
            const bool ended = tool.waitForFinished(5000);
            tool.kill();
            QVERIFY2(ended, option);
            QCOMPARE(tool.exitCode(), int(kespak::Failure));
            QVERIFY2(tool.readAllStandardError().contains("it is a FIFO, not a file"), option);
        }
    }

    // Packing while another thread swaps a subfolder for a link to a folder
    // outside, again and again: no round may store a file from outside,
    // whether it then packs, refuses the link or fails.
    void packWhileAFolderIsSwapped()
    {
        const QString data = path("data");
        QVERIFY(writeFile(data + "/sub/passwd", "harmless") && writeFile(path("outside/passwd"), "SECRET"));
        QVERIFY(QFile::link(path("outside"), data + "/swap"));
        const QByteArray sub = QFile::encodeName(data + "/sub"), swap = QFile::encodeName(data + "/swap");
        const auto exchange = [&] { return ::renameat2(AT_FDCWD, sub.constData(), AT_FDCWD, swap.constData(), RENAME_EXCHANGE); };
        QVERIFY2(exchange() == 0, std::strerror(errno));
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            while (!stop)
                exchange();
        });
        int rounds = 0, leaks = 0;
        QElapsedTimer timer;
        timer.start();
        for (; rounds < 1000 && !timer.hasExpired(3000); ++rounds) {
            kespakRun({"kes", "-c", path("x.pak"), data});
            QFile archive(path("x.pak"));
            leaks += archive.open(QIODevice::ReadOnly) && archive.readAll().contains("SECRET");
            archive.remove();
        }
        stop = true;
        swapper.join();
        QVERIFY2(leaks == 0, qPrintable(QString("%1 of %2 archives hold a file from outside").arg(leaks).arg(rounds)));
    }

    void leftoversOfKilledRuns_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("folder"); // where the leftovers lie, below the archive's folder
        QTest::newRow("extract, an entry's folder") << "-i" << "data";
        QTest::newRow("extract, the archive's folder") << "-i" << ".";
        QTest::newRow("pack, the archive's folder") << "-c" << ".";
    }

    // A killed run leaves its temporary file; the next extraction or packing
    // in that folder removes it, but neither a file still being written nor
    // a user's file that merely looks like one. A write that never completes
    // removes its own.
    void leftoversOfKilledRuns()
    {
        QFETCH(QString, option);
        QFETCH(QString, folder);
        PakBuilder pak;
        pak.addFile("data/a.txt", "alpha");
        const QString archive = path("out/x.pak");
        const QDir leftovers(path("out/" + folder));
        QVERIFY(writeFile(archive, pak.build()) && writeFile(path("src/data/a.txt"), "alpha"));
        const QString usersFile = ".kespak-0123456789abcdef01234567.part";
        QVERIFY(leftovers.mkpath(".") && writeFile(leftovers.filePath(usersFile), "mine"));
        const auto names = [&] { return leftovers.entryList({".kespak-*"}, QDir::Files | QDir::Hidden); };
        const kespak::FileHandle handle(::open(QFile::encodeName(leftovers.path()), O_RDONLY | O_DIRECTORY));
        QVERIFY(handle.isValid());
        const pid_t child = ::fork();
        if (child == 0) {
            kespak::ReplacingFile killed(handle.get(), "a.txt");
            std::string error;
            ::_exit(killed.open(error) ? 0 : 1);
        }
        int status = -1;
        QVERIFY(child > 0 && ::waitpid(child, &status, 0) == child && status == 0);
        QStringList kept = names();
        QCOMPARE(kept.size(), 2);
        kept.removeOne(usersFile);
        const QString killed = kept.takeFirst();
        std::optional<kespak::ReplacingFile> running(std::in_place, handle.get(), "b.txt");
        std::string error;
        QVERIFY(running->open(error) && ::write(running->fd(), "half", 4) == 4);
        kept = names();
        kept.removeOne(killed);
        const QStringList arguments = option == "-i" ? QStringList{"kes", "-i", archive}
                                                     : QStringList{"kes", "-c", archive, path("src/data")};
        QCOMPARE(kespakRun(arguments).code, kespak::Success);
        QCOMPARE(names(), kept);
        running.reset();
        QCOMPARE(names(), QStringList{usersFile});
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown"); // the start of the output; of the errors for a usage error
        const QString usage = "Usage: kespak kes -i ARCHIVE";
        QTest::newRow("help") << QStringList{"--help"} << int(kespak::Success) << usage;
        QTest::newRow("version") << QStringList{"--version"} << int(kespak::Success) << "kespak " KESPAK_VERSION "\n";
        QTest::newRow("none") << QStringList() << int(kespak::Usage) << usage;
        QTest::newRow("not kes") << QStringList{"kas", "-i", "x.pak"} << int(kespak::Usage) << usage;
        QTest::newRow("unknown option") << QStringList{"kes", "-x", "x.pak"} << int(kespak::Usage) << usage;
        QTest::newRow("extract without archive") << QStringList{"kes", "-i"} << int(kespak::Usage) << usage;
        QTest::newRow("extract with extra") << QStringList{"kes", "-i", "x.pak", "more"} << int(kespak::Usage) << usage;
        QTest::newRow("pack without folder") << QStringList{"kes", "-c", "x.pak"} << int(kespak::Usage) << usage;
    }

    // Help and version go to the output alone; a usage error prints the
    // usage as its only error.
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, shown);
        const Run run = kespakRun(arguments);
        QCOMPARE(run.code, code);
        const bool usage = code == kespak::Usage;
        QVERIFY2((usage ? run.err : run.out).startsWith(shown), qPrintable(run.out + run.err));
        QVERIFY((usage ? run.out : run.err).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKespak)
#include "TestKespak.moc"
