// kespak: packing, listing and extracting round trips, every refusal of a
// bad entry or a file that is no archive, and the usage errors.
#include "kespak/CommandLine.h"
#include "kespak/ExitCode.h"
#include "kespak/ReplacingFile.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sstream>

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

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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

private slots:
    void packListExtractRoundTrip()
    {
        QTemporaryDir dir;
        QByteArray big(3 * 1024 * 1024 + 17, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
        QMap<QString, QByteArray> files{{"data/chars/hero/idle01.gif", big},
                                        {"data/chars/hero/empty.txt", {}},
                                        {"data/chars/名字 with blanks.txt", "unicode and blanks"},
                                        {"data/readme.txt", "top"}};
        for (auto it = files.begin(); it != files.end(); ++it)
            QVERIFY(writeFile(dir.filePath("src/" + it.key()), it.value()));

        // Packing is stable: the same folder, with or without a closing separator, gives the same bytes.
        const QString archive = dir.filePath("out/game.pak");
        QVERIFY(dir.isValid() && QDir().mkpath(dir.filePath("out")));
        QCOMPARE(kespakRun({"kes", "-c", archive, dir.filePath("src/data/")}).code, kespak::Success);
        QCOMPARE(kespakRun({"kes", "-c", dir.filePath("again.pak"), dir.filePath("src/data")}).code, kespak::Success);
        QCOMPARE(tree(dir.path()).value("again.pak"), tree(dir.path()).value("out/game.pak"));

        const Run list = kespakRun({"kes", "-l", archive});
        QCOMPARE(list.code, kespak::Success);
        QStringList names;
        for (const QString& line : list.out.split('\n', Qt::SkipEmptyParts).mid(0, files.size()))
            names << line.trimmed().section("  ", 1);
        QCOMPARE(names, QStringList(files.keys()));
        QVERIFY(list.out.contains(QString::number(big.size()) + "  data/chars/hero/idle01.gif"));

        // A stale file is replaced; nothing else appears next to the archive.
        QVERIFY(writeFile(dir.filePath("out/data/readme.txt"), "an older and longer text"));
        const Run extract = kespakRun({"kes", "-i", archive});
        QCOMPARE(extract.code, kespak::Success);
        QVERIFY2(extract.err.isEmpty(), qPrintable(extract.err));
        files.insert("game.pak", tree(dir.path()).value("out/game.pak"));
        QCOMPARE(tree(dir.filePath("out")), files);
    }

    void refusedEntries_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("dataKind"); // 0 its own data, 1 running beyond the data, 2 in the header
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
        QTest::newRow("no file name") << QByteArray("data/") << 0 << -1LL << true << "file name";
        QTest::newRow("the archive itself") << QByteArray("x.pak") << 0 << -1LL << true << "replace the archive";
        QTest::newRow("data beyond") << c << 1 << -1LL << true << "outside";
        QTest::newRow("data in header") << c << 2 << -1LL << true << "outside";
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
        QTemporaryDir dir;
        name.replace("@TMP@", QFile::encodeName(dir.path()));
        PakBuilder pak;
        pak.addFile("data/a.txt", "alpha");
        const quint32 bad = pak.addData("mischief");
        const QByteArray nameBytes = terminated ? name + '\0' : name;
        pak.addRawEntry(length < 0 ? quint32(12 + nameBytes.size()) : quint32(length), dataKind == 2 ? 0 : bad,
                        dataKind == 1 ? 1000 : 8, nameBytes);
        pak.addFile("data/b.txt", "bravo");
        const QString archive = dir.filePath("paks/x.pak");
        QVERIFY(dir.isValid() && writeFile(archive, pak.build()));

        const Run run = kespakRun({"kes", "-i", archive});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QVERIFY2(run.err.contains(reported), qPrintable(run.err));
        QMap<QString, QByteArray> expected{{"paks/x.pak", pak.build()}, {"paks/data/a.txt", "alpha"}};
        if (length < 0)
            expected.insert("paks/data/b.txt", "bravo");
        QCOMPARE(tree(dir.path()), expected);

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
        QTest::newRow("header only") << good.left(8);
        QTest::newRow("version 1") << QByteArray(good).replace(4, 1, "\x01");
        QTest::newRow("truncated") << good.left(40);
        QTest::newRow("directory beyond") << good.left(good.size() - 4) + le32(quint32(good.size()));
        QTest::newRow("directory in header") << good.left(good.size() - 4) + le32(4);
    }

    void notAnArchive()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && writeFile(dir.filePath("x.pak"), bytes));
        for (const char* option : {"-i", "-l"}) {
            const Run run = kespakRun({"kes", option, dir.filePath("x.pak")});
            QCOMPARE(run.code, kespak::Failure);
            QVERIFY2(run.err.contains("x.pak: "), qPrintable(run.err));
        }
        QCOMPARE(tree(dir.path()), (QMap<QString, QByteArray>{{"x.pak", bytes}}));
    }

    // A file that cannot be put in place (a folder holds its name) is reported
    // and leaves neither a partial nor a temporary file; the others are
    // extracted. A write that never completes leaves nothing either.
    void failedWriteLeavesNoTrace()
    {
        QTemporaryDir dir;
        PakBuilder pak;
        pak.addFile("data/a.txt", "alpha");
        pak.addFile("data/b.txt", "bravo");
        QVERIFY(dir.isValid() && writeFile(dir.filePath("x.pak"), pak.build()));
        QVERIFY(writeFile(dir.filePath("data/a.txt/keep.txt"), "kept"));

        const Run run = kespakRun({"kes", "-i", dir.filePath("x.pak")});
        QCOMPARE(run.code, kespak::EntriesRefused);
        QVERIFY2(run.err.contains("cannot extract \"data/a.txt\""), qPrintable(run.err));
        const QMap<QString, QByteArray> expected{
            {"x.pak", pak.build()}, {"data/a.txt/keep.txt", "kept"}, {"data/b.txt", "bravo"}};
        QCOMPARE(tree(dir.path()), expected);
        {
            kespak::ReplacingFile unfinished(std::filesystem::path(dir.filePath("data/b.txt").toStdString()));
            std::string error;
            QVERIFY(unfinished.open(error));
            unfinished.stream() << "half";
        }
        QCOMPARE(tree(dir.path()), expected);
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
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && writeFile(dir.filePath("x.pak"), "older archive"));
        QVERIFY(file.isEmpty() || writeFile(dir.filePath(file), "content"));
        const auto before = tree(dir.path());
        const Run run = kespakRun({"kes", "-c", dir.filePath("x.pak"), dir.filePath(folder)});
        QCOMPARE(run.code, kespak::Failure);
        QVERIFY2(run.err.contains("no archive was written"), qPrintable(run.err));
        QCOMPARE(tree(dir.path()), before);
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList();
        QTest::newRow("not kes") << QStringList{"kas", "-i", "x.pak"};
        QTest::newRow("unknown option") << QStringList{"kes", "-x", "x.pak"};
        QTest::newRow("extract without archive") << QStringList{"kes", "-i"};
        QTest::newRow("extract with extra") << QStringList{"kes", "-i", "x.pak", "more"};
        QTest::newRow("pack without folder") << QStringList{"kes", "-c", "x.pak"};
    }

    void usage()
    {
        QFETCH(QStringList, arguments);
        const Run run = kespakRun(arguments);
        QCOMPARE(run.code, kespak::Usage);
        QVERIFY(run.err.startsWith("Usage: kespak kes -i ARCHIVE") && run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestKespak)
#include "TestKespak.moc"
