// kespak: round trips, refusals of bad entries, of files that are no archive
// and of hostile links or special files on either side, and the command line.
#include "../FileBytes.h"
#include "PakBuilder.h"
#include "kespak/CommandLine.h"
#include "kespak/ExitCode.h"
#include "kespak/FileHandle.h"
#include "kespak/ReplacingFile.h"

#include <QDirIterator>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
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

// The cases of cases/<name>.tsv: the fields of each line, split by tabs, lines
// starting with '#' left out; none when the file cannot be read or a line has
// not `fields` fields.
QList<QStringList> cases(const QString& name, qsizetype fields)
{
    QFile file(QStringLiteral(KESPAK_CASES "/") + name + ".tsv");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith('#'))
            rows << line.split('\t');
        if (!rows.isEmpty() && rows.last().size() != fields)
            return {};
    }
    return rows;
}

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
        // A user's file merely named like a temporary one is packed like any other.
        QMap<QString, QByteArray> files{{"data/chars/hero/idle01.gif", big},
                                        {"data/chars/hero/empty.txt", {}},
                                        {"data/chars/名字 with blanks.txt", "unicode and blanks"},
                                        {"data/.kespak-0123456789abcdef01234567.part", "mine"},
                                        {"data/readme.txt", "top"}};
        for (auto it = files.begin(); it != files.end(); ++it)
            QVERIFY(writeFile(path("src/" + it.key()), it.value()));
        // A link that stays inside the folder is packed as the file it names.
        QVERIFY(QFile::link(path("src/data/readme.txt"), path("src/data/see.txt")));
        files.insert("data/see.txt", "top");
        QString listing;
        qsizetype bytes = 0;
        for (auto it = files.begin(); it != files.end(); ++it) {
            listing += QString("%1  %2\n").arg(it.value().size(), 12).arg(it.key());
            bytes += it.value().size();
        }

        // Packing is stable: the same folder, with or without a closing separator, gives the same bytes.
        const QString archive = path("out/game.pak");
        QVERIFY(QDir().mkpath(path("out")));
        QCOMPARE(kespakRun({"kes", "-c", archive, path("src/data/")}).code, kespak::Success);
        QCOMPARE(kespakRun({"kes", "-c", path("again.pak"), path("src/data")}).code, kespak::Success);
        QCOMPARE(tree(m_dir->path()).value("again.pak"), tree(m_dir->path()).value("out/game.pak"));

        const Run list = kespakRun({"kes", "-l", archive});
        QCOMPARE(list.code, kespak::Success);
        QCOMPARE(list.out, listing + QString("%1 entries, %2 bytes\n").arg(files.size()).arg(bytes));

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
        QTest::addColumn<QString>("setting");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<bool>("terminated");
        QTest::addColumn<QString>("reported");
        const QList<QStringList> rows = cases("refused-entries", 6);
        QVERIFY(!rows.isEmpty());
        for (const QStringList& c : rows)
            QTest::newRow(qPrintable(c[0])) << QByteArray::fromPercentEncoding(c[1].toUtf8()) << c[2]
                                            << c[3].toLongLong() << (c[4] == "NUL") << c[5];
    }

    // A bad entry between two good ones: it is reported, the good one before
    // it (and after it, when the directory can still be followed) extracted,
    // nothing else appears (no partial or temporary file, nothing through a
    // link), and the exit code says so.
    void refusedEntries()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, setting);
        QFETCH(qint64, length);
        QFETCH(bool, terminated);
        QFETCH(QString, reported);
        name.replace("@TMP@", QFile::encodeName(m_dir->path()));
        PakBuilder pak;
        pak.addFile("data/a.txt", "alpha");
        const quint32 bad = pak.addData("mischief");
        const QByteArray nameBytes = terminated ? name + '\0' : name;
        // The offset and size of its data; reaching into the directory ends 4 bytes past "bravo", within the file.
        const QMap<QString, std::pair<quint32, quint32>> spans{
            {"beyond", {bad, 1000}}, {"header", {0, 8}}, {"directory", {bad, 8 + 5 + 4}}, {"shared", {8, 5 + 8}}};
        const auto [offset, size] = spans.value(setting, {bad, 8});
        pak.addRawEntry(length < 0 ? quint32(12 + nameBytes.size()) : quint32(length), offset, size, nameBytes);
        pak.addFile("data/b.txt", "bravo");
        const QString archive = path("paks/x.pak");
        QVERIFY(writeFile(archive, pak.build()));
        // What lies in the way: a folder of the user's, a link to a folder outside, a link to the archive.
        const QString inTheWay = "paks/" + QString::fromUtf8(name) + "/keep.txt";
        QVERIFY(setting != "folder" || writeFile(path(inTheWay), "kept"));
        const QString link = path("paks/" + setting.section(' ', 1));
        QVERIFY(!setting.startsWith("link ")
                || (QDir().mkpath(path("elsewhere")) && QDir().mkpath(QFileInfo(link).path())
                    && QFile::link(path("elsewhere"), link)));
        QVERIFY(setting != "archive link" || QFile::link(archive, path("paks/link.pak")));

        const Run run = kespakRun({"kes", "-i", setting == "archive link" ? path("paks/link.pak") : archive});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QVERIFY2(run.err.contains(reported), qPrintable(run.err));
        QMap<QString, QByteArray> expected{{"paks/x.pak", pak.build()}, {"paks/data/a.txt", "alpha"}};
        if (length < 0)
            expected.insert("paks/data/b.txt", "bravo");
        if (setting == "folder")
            expected.insert(inTheWay, "kept");
        if (setting == "archive link")
            expected.insert("paks/link.pak", pak.build());
        if (setting == "shared")
            expected.remove("paks/data/a.txt");
        QCOMPARE(tree(m_dir->path()), expected);

        // Listing reads the same directory; only extraction meets the archive itself and what is in the way.
        const Run list = kespakRun({"kes", "-l", archive});
        const bool listable = name == "x.pak" || setting == "folder" || setting.startsWith("link ");
        QCOMPARE(list.code, listable ? kespak::Success : kespak::EntriesRefused);
        QCOMPARE(list.err.contains(reported), !listable);
    }

    void notAnArchive_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: the archive is a FIFO
        QTest::addColumn<QString>("reported");
        PakBuilder pak;
        pak.addFile("data/a.txt", QByteArray(64, '\xff'));
        const QByteArray good = pak.build();
        const QByteArray untrailed = good.left(good.size() - 4);
        QTest::newRow("empty") << QByteArray("") << "not a pak archive";
        QTest::newRow("wrong magic") << QByteArray("PAKC").append(good.mid(4)) << "not a pak archive";
        QTest::newRow("magic only") << QByteArray("PACK") << "truncated";
        QTest::newRow("version 1") << QByteArray(good).replace(4, 1, "\x01") << "unsupported archive version 1";
        QTest::newRow("directory beyond") << untrailed + PakBuilder::le32(quint32(good.size())) << "lies outside";
        QTest::newRow("directory in header") << untrailed + PakBuilder::le32(4) << "lies outside";
        QTest::newRow("FIFO") << QByteArray() << "it is a FIFO, not a file";
    }

    // Listing and extraction alike refuse at once (a FIFO is not waited on for
    // a writer that never comes), say why, and write nothing.
    void notAnArchive()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reported);
        const QString archive = path("x.pak");
        QVERIFY(bytes.isNull() ? ::mkfifo(QFile::encodeName(archive), 0600) == 0 : writeFile(archive, bytes));
        for (const char* option : {"-i", "-l"}) {
            QProcess tool;
            tool.start(KESPAK, {"kes", option, archive});
            QVERIFY2(tool.waitForFinished(5000), option);
            QCOMPARE(tool.exitCode(), int(kespak::Failure));
            const QString err = tool.readAllStandardError();
            QVERIFY2(err.contains("x.pak: ") && err.contains(reported), qPrintable(err));
        }
        const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        QCOMPARE(QDir(m_dir->path()).entryList(all), QStringList{"x.pak"});
        QVERIFY(bytes.isNull() || testfiles::fileBytes(archive) == bytes);
    }

    void packOddFolders_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reported");
        const int refused = kespak::EntriesRefused, failed = kespak::Failure;
        QTest::newRow("link out of the folder") << "link out" << refused << "outside the folder being packed";
        QTest::newRow("link to a folder") << "folder link" << refused << "\"data/odd\": it is a link to a folder";
        QTest::newRow("dangling link") << "dangling" << refused << "\"data/odd\": it is a link whose target cannot be";
        QTest::newRow("FIFO") << "fifo" << refused << "\"data/odd\": it is a FIFO, not a file";
        QTest::newRow("no folder") << "no folder" << failed << "data is not a folder; no archive was written";
        QTest::newRow("a file, not a folder") << "file" << failed << "data is not a folder; no archive was written";
        QTest::newRow("unsafe name") << "unsafe" << failed << "\"data/a:b.txt\": the name contains ':'; no archive";
    }

    // Nothing outside the packed folder is read, and nothing is left out
    // silently: refusals get a line each and exit code 3, and the rest is
    // packed; a folder that cannot be packed as a whole leaves the older
    // archive and everything else as they were.
    void packOddFolders()
    {
        QFETCH(QString, kind);
        QFETCH(int, code);
        QFETCH(QString, reported);
        const QString data = path("data");
        QVERIFY(writeFile(data + "/a.txt", "alpha") && writeFile(path("secret"), "secret"));
        QVERIFY(writeFile(path("x.pak"), "older archive"));
        const QMap<QString, std::function<bool()>> make{
            {"link out", [&] { return QFile::link(path("secret"), data + "/odd"); }},
            {"folder link", [&] { return QDir().mkpath(data + "/sub") && QFile::link(data + "/sub", data + "/odd"); }},
            {"dangling", [&] { return QFile::link(path("gone"), data + "/odd"); }},
            {"fifo", [&] { return ::mkfifo(QFile::encodeName(data + "/odd"), 0600) == 0; }},
            {"no folder", [&] { return QDir(data).removeRecursively(); }},
            {"file", [&] { return QDir(data).removeRecursively() && writeFile(data, "content"); }},
            {"unsafe", [&] { return writeFile(data + "/a:b.txt", "content"); }}};
        QVERIFY(make.value(kind)());
        // A FIFO is never opened here: only failures compare the whole tree.
        const auto before = code == kespak::Failure ? tree(m_dir->path()) : QMap<QString, QByteArray>();

        const Run run = kespakRun({"kes", "-c", path("x.pak"), data});
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.contains(reported), qPrintable(run.err));
        if (code == kespak::Failure)
            QCOMPARE(tree(m_dir->path()), before);
        else
            QCOMPARE(kespakRun({"kes", "-l", path("x.pak")}).out, "           5  data/a.txt\n1 entries, 5 bytes\n");
    }

    // An archive written into the folder it packs, named through a linked
    // path, is not packed into itself; packing again leaves the older one out too.
    void packIntoItselfThroughALink()
    {
        QVERIFY(writeFile(path("data/a.txt"), "alpha") && QFile::link(path("data"), path("alias")));
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(kespakRun({"kes", "-c", path("alias/x.pak"), path("data")}).code, kespak::Success);
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
        const rlimit small{64 * 1024, saved.rlim_max};
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        const Run run = kespakRun(arguments);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY2(run.err.contains(reported) && run.err.contains("File too large"), qPrintable(run.err));
        QVERIFY(!tree(m_dir->path()).contains("y.pak"));
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
        for (const QDeadlineTimer deadline(3000); rounds < 1000 && !deadline.hasExpired(); ++rounds) {
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
        QVERIFY(kept.size() == 2 && kept.removeOne(usersFile));
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
        const QList<QStringList> rows = cases("usage-errors", 2);
        QVERIFY(!rows.isEmpty());
        for (const QStringList& c : rows)
            QTest::newRow(qPrintable(c[0])) << c[1].split(' ', Qt::SkipEmptyParts) << int(kespak::Usage) << usage;
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
