// kespak: packing, listing and extracting round trips, every refusal of a
// bad entry or a file that is no archive, and the usage errors.
#include "PakBuilder.h"

#include "kespak/CommandLine.h"
#include "kespak/ExitCode.h"
#include "kespak/ReplacingFile.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run kespakRun(const QStringList& arguments)
{
    std::vector<std::filesystem::path> paths;
    for (const QString& argument : arguments)
        paths.emplace_back(argument.toStdString());
    std::ostringstream out;
    std::ostringstream err;
    Run run;
    run.code = kespak::CommandLine(out, err).run(paths);
    run.out = QString::fromStdString(out.str());
    run.err = QString::fromStdString(err.str());
    return run;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every file below `root` by its relative path, with its bytes.
QMap<QString, QByteArray> tree(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), readFile(path));
    }
    return files;
}

} // namespace

class TestKespak : public QObject
{
    Q_OBJECT

private slots:
    void packListExtractRoundTrip();
    void refusedEntries_data();
    void refusedEntries();
    void notAnArchive_data();
    void notAnArchive();
    void failedWriteLeavesNoTrace();
    void packFailureWritesNothing_data();
    void packFailureWritesNothing();
    void usage_data();
    void usage();
};

void TestKespak::packListExtractRoundTrip()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray big(3 * 1024 * 1024 + 17, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(big.data()), big.size() / 4);
    const QMap<QString, QByteArray> source{
        {"data/chars/hero/idle01.gif", big},
        {"data/chars/hero/empty.txt", {}},
        {"data/chars/名字 with blanks.txt", "unicode and blanks"},
        {"data/readme.txt", "top"},
    };
    for (auto it = source.begin(); it != source.end(); ++it)
        QVERIFY(writeFile(dir.filePath("src/" + it.key()), it.value()));

    const QString archive = dir.filePath("out/game.pak");
    QVERIFY(QDir().mkpath(dir.filePath("out")));
    QCOMPARE(kespakRun({"kes", "-c", archive, dir.filePath("src/data/")}).code, kespak::Success);
    QCOMPARE(kespakRun({"kes", "-c", dir.filePath("out/again.pak"), dir.filePath("src/data")}).code,
             kespak::Success);
    QCOMPARE(readFile(dir.filePath("out/again.pak")), readFile(archive));

    const Run list = kespakRun({"kes", "-l", archive});
    QCOMPARE(list.code, kespak::Success);
    QStringList names;
    for (const QString& line : list.out.split('\n', Qt::SkipEmptyParts).mid(0, source.size()))
        names << line.trimmed().section("  ", 1);
    QCOMPARE(names, QStringList(source.keys()));
    QVERIFY(list.out.contains(QString::number(big.size()) + "  data/chars/hero/idle01.gif"));

    // A stale file is replaced; nothing else appears next to the archive.
    QVERIFY(writeFile(dir.filePath("out/data/readme.txt"), "an older and longer text"));
    QVERIFY(QFile::remove(dir.filePath("out/again.pak")));
    const Run extract = kespakRun({"kes", "-i", archive});
    QCOMPARE(extract.code, kespak::Success);
    QVERIFY2(extract.err.isEmpty(), qPrintable(extract.err));
    QMap<QString, QByteArray> expected;
    for (auto it = source.begin(); it != source.end(); ++it)
        expected.insert(it.key(), it.value());
    expected.insert("game.pak", readFile(archive));
    QCOMPARE(tree(dir.filePath("out")), expected);
}

void TestKespak::refusedEntries_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("dataKind"); // 0 its own data, 1 running beyond the data, 2 in the header
    QTest::addColumn<qint64>("length"); // -1: the right length
    QTest::addColumn<bool>("terminated");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<bool>("laterExtracted");

    const QByteArray c = "data/c.txt";
    QTest::newRow("absolute") << QByteArray("@TMP@/evil.txt") << 0 << -1LL << true << "absolute" << true;
    QTest::newRow("absolute backslash") << QByteArray("\\evil.txt") << 0 << -1LL << true << "absolute" << true;
    QTest::newRow("drive") << QByteArray("C:\\evil.txt") << 0 << -1LL << true << "drive prefix" << true;
    QTest::newRow("drive relative") << QByteArray("c:evil.txt") << 0 << -1LL << true << "drive prefix" << true;
    QTest::newRow("parent") << QByteArray("data/../../evil.txt") << 0 << -1LL << true << "\"..\"" << true;
    QTest::newRow("parent backslash") << QByteArray("data\\..\\..\\evil.txt") << 0 << -1LL << true << "\"..\"" << true;
    QTest::newRow("control characters") << QByteArray("data/\x1b[2Jx") << 0 << -1LL << true << "\\x1b[2Jx" << true;
    QTest::newRow("no file name") << QByteArray("data/") << 0 << -1LL << true << "file name" << true;
    QTest::newRow("the archive itself") << QByteArray("x.pak") << 0 << -1LL << true << "replace the archive" << true;
    QTest::newRow("data beyond") << c << 1 << -1LL << true << "outside" << true;
    QTest::newRow("data in header") << c << 2 << -1LL << true << "outside" << true;
    QTest::newRow("no NUL") << c << 0 << -1LL << false << "NUL" << true;
    QTest::newRow("length too short") << c << 0 << 12LL << true << "impossible" << false;
    QTest::newRow("length too long") << c << 0 << 0xffffffffLL << true << "impossible" << false;
}

// A bad entry between two good ones: it is reported, the good ones before it
// (and after it, when the directory can still be followed) are extracted,
// nothing appears anywhere else, and the exit code says so.
void TestKespak::refusedEntries()
{
    QFETCH(QByteArray, name);
    QFETCH(int, dataKind);
    QFETCH(qint64, length);
    QFETCH(bool, terminated);
    QFETCH(QString, reported);
    QFETCH(bool, laterExtracted);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    name.replace("@TMP@", QFile::encodeName(dir.path()));
    PakBuilder pak;
    pak.addFile("data/a.txt", "alpha");
    const quint32 bad = pak.addData("mischief");
    const QByteArray nameBytes = terminated ? name + '\0' : name;
    pak.addRawEntry(length < 0 ? quint32(12 + nameBytes.size()) : quint32(length),
                    dataKind == 2 ? 0 : bad, dataKind == 1 ? 1000 : 8, nameBytes);
    pak.addFile("data/b.txt", "bravo");
    const QString archive = dir.filePath("paks/x.pak");
    QVERIFY(writeFile(archive, pak.build()));

    const Run run = kespakRun({"kes", "-i", archive});
    QCOMPARE(run.code, kespak::EntriesRefused);
    QVERIFY2(run.err.contains(reported), qPrintable(run.err));
    QMap<QString, QByteArray> expected{{"paks/x.pak", pak.build()}, {"paks/data/a.txt", "alpha"}};
    if (laterExtracted)
        expected.insert("paks/data/b.txt", "bravo");
    QCOMPARE(tree(dir.path()), expected);

    // Listing reads the same directory; only extraction can touch the archive itself.
    const Run list = kespakRun({"kes", "-l", archive});
    const bool listable = name == "x.pak";
    QCOMPARE(list.code, listable ? kespak::Success : kespak::EntriesRefused);
    QCOMPARE(list.err.contains(reported), !listable);
}

void TestKespak::notAnArchive_data()
{
    QTest::addColumn<QByteArray>("bytes");
    PakBuilder pak;
    pak.addFile("data/a.txt", QByteArray(64, '\xff'));
    const QByteArray good = pak.build();

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("hello, I am not an archive");
    QTest::newRow("wrong magic") << QByteArray("PAKC").append(good.mid(4));
    QTest::newRow("magic only") << QByteArray("PACK");
    QTest::newRow("header only") << good.left(8);
    QTest::newRow("version 1") << QByteArray(good).replace(4, 1, "\x01");
    QTest::newRow("truncated") << good.left(40);
    QTest::newRow("directory beyond") << good.left(good.size() - 4) + le32(quint32(good.size()));
    QTest::newRow("directory in header") << good.left(good.size() - 4) + le32(4);
}

void TestKespak::notAnArchive()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString archive = dir.filePath("x.pak");
    QVERIFY(writeFile(archive, bytes));

    for (const char* option : {"-i", "-l"}) {
        const Run run = kespakRun({"kes", option, archive});
        QCOMPARE(run.code, kespak::Failure);
        QVERIFY2(run.err.contains("x.pak: "), qPrintable(run.err));
    }
    QCOMPARE(tree(dir.path()), (QMap<QString, QByteArray>{{"x.pak", bytes}}));
}

// A file that cannot be put in place (a folder holds its name) is reported
// and leaves neither a partial nor a temporary file; the others are extracted.
void TestKespak::failedWriteLeavesNoTrace()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PakBuilder pak;
    pak.addFile("data/a.txt", "alpha");
    pak.addFile("data/b.txt", "bravo");
    QVERIFY(writeFile(dir.filePath("x.pak"), pak.build()));
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

void TestKespak::packFailureWritesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("folder");
    QTest::newRow("no folder") << QString() << "missing";
    QTest::newRow("a file, not a folder") << "data.txt" << "data.txt";
    QTest::newRow("unsafe name") << "data/a:b.txt" << "data";
}

void TestKespak::packFailureWritesNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeFile(dir.filePath("x.pak"), "older archive"));
    if (!file.isEmpty())
        QVERIFY(writeFile(dir.filePath(file), "content"));
    const auto before = tree(dir.path());

    const Run run = kespakRun({"kes", "-c", dir.filePath("x.pak"), dir.filePath(folder)});
    QCOMPARE(run.code, kespak::Failure);
    QVERIFY2(run.err.contains("no archive was written"), qPrintable(run.err));
    QCOMPARE(tree(dir.path()), before);
}

void TestKespak::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("kes only") << QStringList{"kes"};
    QTest::newRow("not kes") << QStringList{"kas", "-i", "x.pak"};
    QTest::newRow("unknown option") << QStringList{"kes", "-x", "x.pak"};
    QTest::newRow("extract without archive") << QStringList{"kes", "-i"};
    QTest::newRow("extract with extra") << QStringList{"kes", "-i", "x.pak", "more"};
    QTest::newRow("pack without folder") << QStringList{"kes", "-c", "x.pak"};
}

void TestKespak::usage()
{
    QFETCH(QStringList, arguments);
    const Run run = kespakRun(arguments);
    QCOMPARE(run.code, kespak::Usage);
    QVERIFY(run.err.startsWith("Usage: kespak kes -i ARCHIVE"));
    QVERIFY(run.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestKespak)
#include "TestKespak.moc"
