// The script reader and the case-insensitive file lookup it uses: keywords,
// numbers, uninterpreted lines, frame paths on disk, where and why reading
// stops, decoding each image once, and the round trip through the writer.

#include "ModelFixtures.h"

#include "model/FileLookup.h"
#include "model/ScriptReader.h"
#include "model/ScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using model::BoxState;
using model::FrameRecord;
using model::ReadResult;

Q_DECLARE_METATYPE(model::FrameRecord)

class TestScriptReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void findFile_data();
    void findFile();
    void keywords_data();
    void keywords();
    void framesAndExtra();
    void framePaths_data();
    void framePaths();
    void stops_data();
    void stops();
    void decodesEachImageOnce();
    void roundTrip();

private:
    ReadResult read(const QString& text);
    QString real(const QString& relative) const { return m_work + u'/' + relative; }

    QTemporaryDir m_dir;
    QString m_work; // stands for the game folder: holds data/
    modeltest::CountingLoader m_loader;
};

void TestScriptReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_work = m_dir.path() + QStringLiteral("/game");
    QVERIFY2(!m_work.contains(QStringLiteral("data"), Qt::CaseInsensitive), "the temporary folder must not contain \"data\"");
    QVERIFY(modeltest::writeSprite(m_work, QStringLiteral("data/chars/hero/idle01.gif"), QSize(60, 100)));
    QVERIFY(modeltest::writeSprite(m_work, QStringLiteral("data/chars/hero/idle02.gif"), QSize(62, 98)));
    QVERIFY(modeltest::writeSprite(m_work, QStringLiteral("data/chars/hero.old/idle01"), QSize(10, 12)));
    QVERIFY(modeltest::writeSprite(m_work, QStringLiteral("data/fx/a.gif"), QSize(40, 40)));
    QVERIFY(modeltest::writeSprite(m_work, QStringLiteral("top.gif"), QSize(8, 8)));
    QVERIFY(modeltest::writeSprite(m_dir.path(), QStringLiteral("outside.gif"), QSize(8, 8)));
    QFile bad(real(QStringLiteral("data/fx/bad.gif")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    QVERIFY(bad.write("not a picture") > 0);
}

ReadResult TestScriptReader::read(const QString& text)
{
    return model::readScript(text, m_work, m_loader.loader());
}

void TestScriptReader::findFile_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("found"); // below the game folder; empty: not found

    QTest::newRow("exact") << "data/chars/hero/idle01.gif" << "data/chars/hero/idle01.gif";
    QTest::newRow("backslashes") << "data\\chars\\hero\\idle02.gif" << "data/chars/hero/idle02.gif";
    QTest::newRow("every part in another case") << "DATA\\Chars\\HERO\\Idle01.GIF" << "data/chars/hero/idle01.gif";
    QTest::newRow("missing file") << "data/chars/hero/idle03.gif" << "";
    QTest::newRow("a folder is no file") << "data/chars/hero" << "";
    QTest::newRow("dot-dot refused") << "data/../data/fx/a.gif" << "";
    QTest::newRow("outside refused") << "../outside.gif" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("NUL in a name") << QStringLiteral("data/fx/a.gif").insert(8, QChar(0)) << "";
    QTest::newRow("absolute refused") << m_dir.path() + QStringLiteral("/outside.gif") << "";
}

void TestScriptReader::findFile()
{
    QFETCH(QString, relative);
    QFETCH(QString, found);

    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); // names the file system cannot take
    const QString result = model::findFileIgnoringCase(m_work, relative);
    QCOMPARE(QDir::cleanPath(QDir::fromNativeSeparators(result)), found.isEmpty() ? QString() : real(found));
}

void TestScriptReader::keywords_data()
{
    QTest::addColumn<QString>("lines"); // read before a frame line for data/fx/a.gif
    QTest::addColumn<FrameRecord>("expected");

    FrameRecord fresh;
    fresh.imageWidth = 40;
    fresh.imageHeight = 40;
    auto row = [&](const char* name, const QString& lines, auto change) {
        FrameRecord r = fresh;
        change(r);
        QTest::newRow(name) << lines << r;
    };

    const auto delay7 = [](FrameRecord& r) { r.frameDelay = 7; };
    row("Delay as written", "\tDelay\t7\r\n", delay7);
    row("DELAY upper case", "DELAY 7\r\n", delay7);
    row("delay among blanks and TABs", "  \t dElAy \t\t 7  \r\n", delay7);
    row("offset", "\tOffSet\t41   -90\r\n", [](FrameRecord& r) { r.offsetX = 41, r.offsetY = -90; });
    row("strict number rounds half to even", "delay 2.5\r\n", [](FrameRecord& r) { r.frameDelay = 2; });
    row("bbox", "BBox 1 2 3 4\r\n", [](FrameRecord& r) { r.bodyBox = {1, 2, 3, 4}; });
    row("bbox lenient, missing numbers 0", "bbox 1.5 2.5x 3e1\r\n",
        [](FrameRecord& r) { r.bodyBox = {2, 2, 30, 0}; });
    row("bbox all zero is Empty", "bbox 0 0 0 0\r\n", [](FrameRecord& r) { r.bodyEmpty = BoxState::Empty; });
    row("ExtBBox", "ExtBBox 5 6 7 8\r\n", [](FrameRecord& r) { r.extBodyBox = {5, 6, 7, 8}; });
    row("extbbox with body Empty", "bbox 0\r\nExtBbox 5 6 7 8\r\n", [](FrameRecord& r) {
        r.bodyEmpty = r.extBodyEmpty = BoxState::Empty;
        r.extBodyBox = {5, 6, 7, 8};
    });
    row("extabox with attack Empty", "attack 0\r\nextabox 1 1 1 1\r\n", [](FrameRecord& r) {
        r.attackKind = "Attack";
        r.attackEmpty = r.extAttackEmpty = BoxState::Empty;
        r.extAttackBox = {1, 1, 1, 1};
    });
    row("attack, every number", "\tAttack\t1 2 3 4 5 6 7 8 9 10\r\n", [](FrameRecord& r) {
        r.attackKind = "Attack";
        r.attackBox = {1, 2, 3, 4};
        r.damage = 5, r.knockdown = 6, r.unblockable = 7, r.noFlash = 8, r.pause = 9, r.depth = 10;
    });
    row("attack 0 zeroes every number", "attack 1 2 3 4 5 6 7 8 9 10\r\nATTACK 0\r\n", [](FrameRecord& r) {
        r.attackKind = "Attack";
        r.attackEmpty = BoxState::Empty;
    });
    row("blast keeps knock-down", "attack 9 9 9 9 9 6\r\nBLAST 1 2 3 4 5 7 8 9 10\r\n", [](FrameRecord& r) {
        r.attackKind = "Blast";
        r.attackBox = {1, 2, 3, 4};
        r.damage = 5, r.knockdown = 6, r.unblockable = 7, r.noFlash = 8, r.pause = 9, r.depth = 10;
    });
    row("attack2", "Attack2 1 1 1 1\r\n", [](FrameRecord& r) { r.attackKind = "Attack2", r.attackBox = {1, 1, 1, 1}; });
    row("attack3", "aTTACK3 1 1 1 1\r\n", [](FrameRecord& r) { r.attackKind = "Attack3", r.attackBox = {1, 1, 1, 1}; });
    row("attack4", "attack4 1 1 1 1\r\n", [](FrameRecord& r) { r.attackKind = "Attack4", r.attackBox = {1, 1, 1, 1}; });
    row("freeze is Attack5", "Freeze 1 1 1 1 20\r\n", [](FrameRecord& r) {
        r.attackKind = "Attack5", r.attackBox = {1, 1, 1, 1}, r.damage = 20;
    });
    row("burn is Attack6", "burn 1 1 1 1 20\r\n", [](FrameRecord& r) {
        r.attackKind = "Attack6", r.attackBox = {1, 1, 1, 1}, r.damage = 20;
    });
    row("attack5 is not interpreted", "\tattack5\t1 2 3 4\r\n",
        [](FrameRecord& r) { r.extra = "\tattack5\t1 2 3 4\r\n"; });
    row("unknown lines kept letter for letter", "  Anim\tIdle \r\n\r\nloop 1\r\nframes x\r\n",
        [](FrameRecord& r) { r.extra = "  Anim\tIdle \r\n\r\nloop 1\r\nframes x\r\n"; });
}

void TestScriptReader::keywords()
{
    QFETCH(QString, lines);
    QFETCH(FrameRecord, expected);

    const ReadResult result = read(lines + QStringLiteral("\tframe\tdata/fx/a\r\n"));
    QVERIFY2(result.finished, qPrintable(result.message));
    QCOMPARE(result.animation.rows, QStringList{"a.gif"});
    QCOMPARE(result.animation.frames.size(), 2);
    const QString differences = modeltest::recordDifferences(result.animation.frames[0], expected);
    QVERIFY2(differences.isEmpty(), qPrintable(differences));
}

void TestScriptReader::framesAndExtra()
{
    const ReadResult result = read(QStringLiteral("anim idle\r\ndelay 5\r\nframe data/chars/hero/idle01\r\nx 1\r\n"
                                                  "offset 3 4\r\nframe data/chars/hero/idle02\r\nsound a.wav\r\n"));
    QVERIFY2(result.finished, qPrintable(result.message));
    const model::Animation& a = result.animation;
    QVERIFY(a.framesFromText);
    QCOMPARE(a.rows, (QStringList{"idle01.gif", "idle02.gif"}));
    QCOMPARE(a.frames.size(), 3); // the spare record
    QCOMPARE(a.frames[0].extra, QStringLiteral("anim idle\r\n"));
    QCOMPARE(a.frames[1].extra, QStringLiteral("x 1\r\n"));
    QCOMPARE(a.frames[2].extra, QStringLiteral("sound a.wav\r\n"));
    QCOMPARE(a.frames[1].frameDelay, qint16(5)); // carried over from the frame before
    QCOMPARE(a.frames[1].offsetX, qint16(3));
    QCOMPARE(a.frames[0].imageWidth, qint16(60));
    QCOMPARE(a.frames[1].imageHeight, qint16(98));
    QCOMPARE(a.frames[2].picture.size(), QSize(62, 98));
    QCOMPARE(QDir::cleanPath(result.lastFolder), real(QStringLiteral("data/chars/hero")));
}

void TestScriptReader::framePaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("rowText");
    QTest::addColumn<QString>("folder"); // real folder below the game folder

    QTest::newRow("exact") << "data/chars/hero/idle01.gif" << "idle01.gif" << "data/chars/hero";
    QTest::newRow("backslashes") << "data\\chars\\hero\\idle02.gif" << "idle02.gif" << "data/chars/hero";
    QTest::newRow("any case, .gif appended") << "data/Chars/Hero/Idle01" << "idle01.gif" << "data/chars/hero";
    QTest::newRow("dot in a folder: no .gif") << "data/chars/hero.old/idle01" << "idle01" << "data/chars/hero.old";
    QTest::newRow("no folder part") << "TOP" << "top.gif" << "";
}

void TestScriptReader::framePaths()
{
    QFETCH(QString, path);
    QFETCH(QString, rowText);
    QFETCH(QString, folder);

    const ReadResult result = read(QStringLiteral("frame ") + path);
    QVERIFY2(result.finished, qPrintable(result.message));
    QCOMPARE(result.animation.rows, QStringList{rowText});
    QVERIFY(!result.animation.frames[0].picture.isNull());
    QCOMPARE(QDir::cleanPath(result.lastFolder), QDir::cleanPath(real(folder)));
}

void TestScriptReader::stops_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows"); // read before the failing line
    QTest::addColumn<int>("lineNumber");
    QTest::addColumn<QString>("reason"); // part of the message; empty: any

    const QString missing = QStringView(model::kReaderMissingFileMessage).toString();
    const QString twoFrames = QStringLiteral("frame data/fx/a\r\ndelay 4\r\n");
    QTest::newRow("missing file") << twoFrames + QStringLiteral("frame data/fx/nothere\r\nframe data/fx/a\r\n")
                                  << QStringList{"a.gif"} << 3 << missing;
    QTest::newRow("path cut at a blank") << twoFrames + QStringLiteral("frame data/chars/my hero/a.gif")
                                         << QStringList{"a.gif"} << 3 << missing;
    QTest::newRow("path leaving the game folder") << twoFrames + QStringLiteral("frame ../outside.gif")
                                                  << QStringList{"a.gif"} << 3 << missing;
    QTest::newRow("absolute path") << twoFrames + QStringLiteral("frame ") + m_dir.path() + QStringLiteral("/outside.gif")
                                   << QStringList{"a.gif"} << 3 << missing;
    QTest::newRow("delay without number, first line") << QStringLiteral("delay\r\nframe data/fx/a\r\n") << QStringList{} << 1
                                                      << "";
    QTest::newRow("offset not a number, after a frame") << twoFrames + QStringLiteral("offset 1 x\r\n")
                                                        << QStringList{"a.gif"} << 3 << "";
    QTest::newRow("strict overflow") << QStringLiteral("x\r\ny\r\nz\r\ndelay 40000\r\n") << QStringList{} << 4 << "";
    QTest::newRow("lenient overflow") << twoFrames + QStringLiteral("frame data/fx/a\r\nbbox 1 70000\r\n")
                                      << QStringList{"a.gif", "a.gif"} << 4 << "";
    QTest::newRow("image that cannot be loaded") << twoFrames + QStringLiteral("frame data/fx/bad.gif\r\n")
                                                 << QStringList{"a.gif"} << 3 << "";
}

void TestScriptReader::stops()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(int, lineNumber);
    QFETCH(QString, reason);

    const ReadResult result = read(text);
    QVERIFY(!result.finished);
    QCOMPARE(result.animation.rows, rows);
    QCOMPARE(result.animation.frames.size(), rows.size() + 1);
    if (!rows.isEmpty())
        QCOMPARE(result.animation.frames.last().frameDelay, qint16(4)); // what was read for it stays
    QString message = result.message;
    const QString line = text.split(QStringLiteral("\r\n"))[lineNumber - 1];
    QVERIFY2(message.contains(line), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    const QRegularExpression number(QStringLiteral("(?<!\\d)%1(?!\\d)").arg(lineNumber));
    QVERIFY2(message.remove(line).contains(number), qPrintable(result.message));
}

void TestScriptReader::decodesEachImageOnce()
{
    modeltest::CountingLoader loader;
    const ReadResult result = model::readScript(
        QStringLiteral("frame data/fx/a\r\nframe data/chars/hero/idle01\r\nframe data/fx/a.gif\r\n"
                       "frame DATA\\FX\\A.GIF\r\nframe data\\\\fx\\a.gif\r\n"),
        m_work, loader.loader());
    QVERIFY2(result.finished, qPrintable(result.message));
    QCOMPARE(result.animation.rows.size(), 5);
    QCOMPARE(loader.totalCalls(), 2); // the same file, however its path is spelt
    for (const FrameRecord& r : result.animation.frames)
        QVERIFY(!r.picture.isNull());
    QCOMPARE(result.animation.frames[3].imageWidth, qint16(40));
}

// Written and read back: the records agree except where the writer's
// shorthand cannot carry a value (see the comments on each frame).
void TestScriptReader::roundTrip()
{
    model::Animation a;
    FrameRecord f0;
    f0.frameDelay = 10, f0.offsetX = 40, f0.offsetY = 90;
    f0.bodyBox = {20, 10, 40, 80};
    f0.extra = QStringLiteral("\tanim\tidle\r\n");
    FrameRecord f1 = f0; // Freeze comes back as Attack5
    f1.extra.clear();
    f1.offsetX = 41;
    f1.attackKind = QStringLiteral("Freeze"), f1.attackBox = {50, 30, 30, 20};
    f1.damage = 20, f1.knockdown = 1, f1.pause = 15, f1.depth = 3;
    FrameRecord f2 = f1; // zero attack and Cleared body come back as frame 1's
    f2.attackBox = {};
    f2.bodyEmpty = BoxState::Cleared, f2.bodyBox = {1, 1, 1, 1};
    FrameRecord f3 = f2; // Empty attack comes back all zero
    f3.attackEmpty = BoxState::Empty, f3.attackBox = {7, 7, 7, 7};
    f3.bodyEmpty = BoxState::Normal, f3.bodyBox = f0.bodyBox;
    f3.frameDelay = 12;
    FrameRecord f4 = f3; // Attack5 comes back as an uninterpreted line
    f4.attackEmpty = BoxState::Normal, f4.attackKind = QStringLiteral("Attack5"), f4.attackBox = {1, 1, 1, 1};
    FrameRecord f0Empty = f0; // Empty on the first frame comes back as a fresh attack
    f0Empty.attackEmpty = BoxState::Empty, f0Empty.attackKind = QStringLiteral("Attack"), f0Empty.attackBox = {5, 5, 5, 5};
    a.frames = {f0Empty, f1, f2, f3, f4};
    a.rows = QStringList{"Idle01.GIF", "idle02.gif", "idle01.gif", "IDLE02.gif", "idle01.gif"};

    const model::WriteResult written = model::writeScript(a, real(QStringLiteral("data/chars/hero")));
    QVERIFY2(written.ok(), qPrintable(written.error));
    const ReadResult back = read(written.text);
    QVERIFY2(back.finished, qPrintable(back.message));
    QCOMPARE(back.animation.rows,
             (QStringList{"idle01.gif", "idle02.gif", "idle01.gif", "idle02.gif", "idle01.gif"}));

    QList<FrameRecord> expected = {f0, f1, f1, f3, f3};
    expected[1].attackKind = expected[2].attackKind = QStringLiteral("Attack5");
    expected[2].frameDelay = f2.frameDelay;
    FrameRecord& e3 = expected[3];
    e3.attackKind = QStringLiteral("Attack"), e3.attackBox = {};
    e3.damage = e3.knockdown = e3.unblockable = e3.noFlash = e3.pause = e3.depth = 0;
    expected[4] = e3;
    expected[4].extra = QStringLiteral("\tAttack5\t1 1 1 1 20 1 0 0 15 3\r\n");
    for (int i = 0; i < expected.size(); ++i) {
        expected[i].imageWidth = i % 2 ? 62 : 60;
        expected[i].imageHeight = i % 2 ? 98 : 100;
        const QString differences = modeltest::recordDifferences(back.animation.frames[i], expected[i]);
        QVERIFY2(differences.isEmpty(), qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(differences)));
    }
}

QTEST_GUILESS_MAIN(TestScriptReader)
#include "TestScriptReader.moc"
