// The script writer: which lines each frame gets, the frame paths below the
// data folder, the loop rule and the two failures; and the golden folders,
// each a script that is read from disk and written again.

#include "ModelFixtures.h"

#include "model/BrowserRules.h"
#include "model/ScriptReader.h"
#include "model/ScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using model::Animation;
using model::BoxState;
using model::FrameRecord;
using modeltest::scriptLines;

Q_DECLARE_METATYPE(model::Animation)

namespace {

const QString kFolder = QStringLiteral("C:\\game\\data\\x");

FrameRecord baseRecord()
{
    FrameRecord r;
    r.frameDelay = 10;
    r.offsetX = 40;
    r.offsetY = 90;
    return r;
}

FrameRecord withAttack(FrameRecord r, const QString& kind, qint16 depth = 0)
{
    r.attackKind = kind;
    r.attackBox = {1, 2, 3, 4};
    r.damage = 5;
    r.knockdown = 6;
    r.unblockable = 7;
    r.noFlash = 8;
    r.pause = 9;
    r.depth = depth;
    return r;
}

FrameRecord with(FrameRecord r, model::Box FrameRecord::*box, model::Box value,
                 BoxState FrameRecord::*state = nullptr, BoxState stateValue = BoxState::Normal)
{
    r.*box = value;
    if (state)
        r.*state = stateValue;
    return r;
}

// Rows f0.gif, f1.gif ... for the records.
Animation animationOf(const QList<FrameRecord>& records)
{
    Animation a;
    a.frames = records;
    for (int i = 0; i < records.size(); ++i)
        a.rows << QStringLiteral("f%1.gif").arg(i);
    return a;
}

QString frameLine(int i)
{
    return QStringLiteral("Frame\tdata\\x\\f%1.gif").arg(i);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kGolden = QStringLiteral(KES_MODEL_GOLDEN_DIR);

} // namespace

class TestScriptWriter : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void lines_data();
    void lines();
    void attackLayout_data();
    void attackLayout();
    void dataPath_data();
    void dataPath();
    void loopLine_data();
    void loopLine();
    void failures_data();
    void failures();
    void golden_data();
    void golden();
};

void TestScriptWriter::workedExample()
{
    FrameRecord first = baseRecord();
    first.bodyBox = {20, 10, 40, 80};
    FrameRecord second = first;
    second.offsetX = 41;
    second.attackKind = QStringLiteral("Attack");
    second.attackBox = {50, 30, 30, 20};
    second.damage = 20;
    second.knockdown = 1;
    second.pause = 15;
    Animation animation;
    animation.frames = {first, second};
    animation.rows = {QStringLiteral("idle01.gif"), QStringLiteral("idle02.gif")};

    const QByteArray expected = readFile(kGolden + QStringLiteral("/worked_example/expected.txt"));
    QVERIFY(!expected.isEmpty());
    const model::WriteResult result = model::writeScript(animation, QStringLiteral("D:\\game\\data\\chars\\hero"));
    QVERIFY(result.ok());
    QCOMPARE(result.text.toUtf8(), expected);
}

void TestScriptWriter::lines_data()
{
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<QString>("expected");

    const FrameRecord base = baseRecord();
    const FrameRecord body = with(base, &FrameRecord::bodyBox, {1, 2, 3, 4});
    const FrameRecord attack = withAttack(base, QStringLiteral("Attack"));
    const QString attackLine = QStringLiteral("Attack\t1 2 3 4 5 6 7 8 9");
    const QString head1 = QStringLiteral("Delay\t10"), head2 = QStringLiteral("OffSet\t40 90");

    QTest::newRow("runs of equal lines written once")
        << animationOf({body, body, body})
        << scriptLines({head1, head2, "BBox\t1 2 3 4", frameLine(0), frameLine(1), frameLine(2)});

    FrameRecord delay12 = base;
    delay12.frameDelay = 12;
    QTest::newRow("delay that comes back")
        << animationOf({base, delay12, base})
        << scriptLines({head1, head2, frameLine(0), "Delay\t12", frameLine(1), head1, frameLine(2)});

    QTest::newRow("attack that comes back after an all-zero box")
        << animationOf({attack, base, attack})
        << scriptLines({head1, head2, attackLine, frameLine(0), frameLine(1), attackLine, frameLine(2)});

    FrameRecord emptyAttack = attack;
    emptyAttack.attackEmpty = BoxState::Empty;
    QTest::newRow("Empty attack on first, second, third frame")
        << animationOf({emptyAttack, emptyAttack, emptyAttack})
        << scriptLines({head1, head2, frameLine(0), "Attack\t0", frameLine(1), frameLine(2)});

    FrameRecord clearedAttack = attack;
    clearedAttack.attackEmpty = BoxState::Cleared;
    QTest::newRow("Cleared attack writes nothing, the value comes back")
        << animationOf({attack, clearedAttack, attack})
        << scriptLines({head1, head2, attackLine, frameLine(0), frameLine(1), attackLine, frameLine(2)});

    const FrameRecord extAttack = with(attack, &FrameRecord::extAttackBox, {11, 12, 13, 14});
    const FrameRecord extAttackOff = with(extAttack, &FrameRecord::attackBox, {1, 2, 3, 4},
                                          &FrameRecord::attackEmpty, BoxState::Empty);
    QTest::newRow("Empty attack leaves the extended attack line alone")
        << animationOf({extAttack, extAttackOff, extAttack})
        << scriptLines({head1, head2, attackLine, "ExtABox\t11 12 13 14", frameLine(0), "Attack\t0", frameLine(1),
                        attackLine, frameLine(2)});

    const FrameRecord extOnly = with(base, &FrameRecord::extAttackBox, {11, 12, 13, 14});
    QTest::newRow("all-zero extended attack keeps the remembered line")
        << animationOf({extOnly, base, extOnly})
        << scriptLines({head1, head2, "ExtABox\t11 12 13 14", frameLine(0), frameLine(1), frameLine(2)});

    const FrameRecord bodyOff = with(with(body, &FrameRecord::extBodyBox, {5, 6, 7, 8}), &FrameRecord::bodyBox,
                                     {1, 2, 3, 4}, &FrameRecord::bodyEmpty, BoxState::Empty);
    const FrameRecord bodyOn = with(bodyOff, &FrameRecord::bodyBox, {1, 2, 3, 4}, &FrameRecord::bodyEmpty,
                                    BoxState::Normal);
    QTest::newRow("Empty body switches the extended body off")
        << animationOf({bodyOff, bodyOff, bodyOff, bodyOn})
        << scriptLines({head1, head2, frameLine(0), "BBox\t0", frameLine(1), frameLine(2), "BBox\t1 2 3 4",
                        "ExtBBox\t5 6 7 8", frameLine(3)});

    const FrameRecord allExt = with(with(body, &FrameRecord::extBodyBox, {5, 6, 7, 8}), &FrameRecord::extAttackBox,
                                    {11, 12, 13, 14});
    FrameRecord extsEmpty = allExt;
    extsEmpty.extAttackEmpty = BoxState::Empty;
    extsEmpty.extBodyEmpty = BoxState::Empty;
    QTest::newRow("Empty extended boxes and their keywords")
        << animationOf({extsEmpty, allExt, extsEmpty})
        << scriptLines({head1, head2, "BBox\t1 2 3 4", frameLine(0), "ExtABox\t11 12 13 14", "ExtBBox\t5 6 7 8",
                        frameLine(1), "ExtABox\t0", "ExtBbox\t0", frameLine(2)});

    FrameRecord negative = with(base, &FrameRecord::bodyBox, {-1, -2, 3, 4});
    negative.offsetX = -5;
    negative.offsetY = -32768;
    QTest::newRow("negative numbers")
        << animationOf({negative}) << scriptLines({head1, "OffSet\t-5 -32768", "BBox\t-1 -2 3 4", frameLine(0)});

    FrameRecord fresh;
    fresh.offsetX = 3;
    fresh.offsetY = 4;
    QTest::newRow("fresh record") << animationOf({fresh}) << scriptLines({"Delay\t0", "OffSet\t3 4", frameLine(0)});

    FrameRecord extra0 = base, extra1 = base;
    extra0.extra = QStringLiteral("  anim idle\r\n");
    extra1.extra = QStringLiteral("\tloop\t1\r\n\r\n");
    QTest::newRow("extra before the delay line")
        << animationOf({extra0, extra1})
        << QStringLiteral("  anim idle\r\n") + scriptLines({head1, head2, frameLine(0)}) + QStringLiteral("\tloop\t1\r\n\r\n") +
               scriptLines({frameLine(1)});

    Animation spare = animationOf({base});
    FrameRecord spareRecord = attack;
    spareRecord.extra = QStringLiteral("never\r\n");
    spare.frames << spareRecord;
    QTest::newRow("spare record not written") << spare << scriptLines({head1, head2, frameLine(0)});
}

void TestScriptWriter::lines()
{
    QFETCH(Animation, animation);
    QFETCH(QString, expected);

    const model::WriteResult result = model::writeScript(animation, kFolder);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.text, expected);
}

void TestScriptWriter::attackLayout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("line");

    QTest::newRow("Blast: eight numbers") << "Blast" << 0 << "Blast\t1 2 3 4 5 7 8 9";
    QTest::newRow("Blast with depth") << "Blast" << 10 << "Blast\t1 2 3 4 5 7 8 9 10";
    QTest::newRow("Attack: nine numbers") << "Attack" << 0 << "Attack\t1 2 3 4 5 6 7 8 9";
    QTest::newRow("Freeze: nine numbers") << "Freeze" << 0 << "Freeze\t1 2 3 4 5 6 7 8 9";
    QTest::newRow("Attack5 with depth") << "Attack5" << 10 << "Attack5\t1 2 3 4 5 6 7 8 9 10";
    QTest::newRow("Attack6 negative depth") << "Attack6" << -1 << "Attack6\t1 2 3 4 5 6 7 8 9 -1";
    QTest::newRow("only exact Blast drops knock-down") << "blast" << 0 << "blast\t1 2 3 4 5 6 7 8 9";
}

void TestScriptWriter::attackLayout()
{
    QFETCH(QString, kind);
    QFETCH(int, depth);
    QFETCH(QString, line);

    const Animation animation = animationOf({withAttack(baseRecord(), kind, qint16(depth))});
    QCOMPARE(model::writeScript(animation, kFolder).text,
             scriptLines({"Delay\t10", "OffSet\t40 90", line, frameLine(0)}));
}

void TestScriptWriter::dataPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("framePath");

    QTest::newRow("worked example folder") << "D:\\game\\data\\chars\\hero" << "data\\chars\\hero\\f0.gif";
    QTest::newRow("first occurrence wins") << "E:\\mydata\\data\\chars" << "data\\data\\chars\\f0.gif";
    QTest::newRow("letters kept as they stand") << "C:\\Game\\DATA\\Chars" << "DATA\\Chars\\f0.gif";
    QTest::newRow("Linux folder gets backslashes") << "/home/u/game/Data/chars/hero" << "Data\\chars\\hero\\f0.gif";
    QTest::newRow("data folder itself") << "/srv/data" << "data\\f0.gif";
}

void TestScriptWriter::dataPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, framePath);

    const model::WriteResult result = model::writeScript(animationOf({baseRecord()}), folder);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QVERIFY2(result.text.endsWith(QStringLiteral("\tFrame\t") + framePath + QStringLiteral("\r\n")), qPrintable(result.text));
}

void TestScriptWriter::loopLine_data()
{
    QTest::addColumn<bool>("fromText");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loop");

    QTest::newRow("Run") << false << "Run" << true;
    QTest::newRow("Idle") << false << "Idle" << true;
    QTest::newRow("Walk") << false << "Walk" << true;
    QTest::newRow("letter case counts") << false << "run" << false;
    QTest::newRow("other name") << false << "Jump" << false;
    QTest::newRow("no name") << false << "" << false;
    QTest::newRow("frames from text") << true << "Idle" << false;
}

void TestScriptWriter::loopLine()
{
    QFETCH(bool, fromText);
    QFETCH(QString, name);
    QFETCH(bool, loop);

    Animation animation = animationOf({baseRecord()});
    const QString plain = model::writeScript(animation, kFolder).text;
    QVERIFY(!plain.isEmpty());
    animation.framesFromText = fromText;
    animation.animName = name;
    const QString expected = loop ? QStringLiteral("\tloop\t1\r\n") + plain : plain;
    QCOMPARE(model::writeScript(animation, kFolder).text, expected);
}

void TestScriptWriter::failures_data()
{
    QTest::addColumn<Animation>("animation");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");

    Animation noRows = animationOf({baseRecord()});
    noRows.rows.clear();
    QTest::newRow("no frames") << noRows << kFolder << QStringView(model::kNoFramesMessage).toString();
    QTest::newRow("no frames comes first") << Animation() << "C:\\game" << QStringView(model::kNoFramesMessage).toString();
    QTest::newRow("no data folder") << animationOf({baseRecord()}) << "C:\\game\\chars"
                                    << QStringView(model::kWriterNoDataFolderMessage).toString();
}

void TestScriptWriter::failures()
{
    QFETCH(Animation, animation);
    QFETCH(QString, folder);
    QFETCH(QString, message);

    const model::WriteResult result = model::writeScript(animation, folder);
    QCOMPARE(result.error, message);
    QVERIFY(!result.ok());
    QVERIFY(result.text.isEmpty());
}

// Each folder below golden/ holds input.txt (a script), images.txt (one
// "relative/path WxH" per line: the sprites the script needs) and
// expected.txt: the writer's text for what the reader made of the input.
void TestScriptWriter::golden_data()
{
    QTest::addColumn<QString>("folder");
    const QStringList cases = QDir(kGolden).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(cases.size() >= 3);
    for (const QString& name : cases)
        QTest::newRow(qPrintable(name)) << kGolden + u'/' + name;
}

void TestScriptWriter::golden()
{
    QFETCH(QString, folder);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY2(!model::isDataFolder(work.path()), "the temporary folder must not contain \"data\"");
    const QStringList images = QString::fromUtf8(readFile(folder + QStringLiteral("/images.txt"))).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(!images.isEmpty());
    for (const QString& entry : images) {
        const QStringList parts = entry.trimmed().split(u' ');
        QCOMPARE(parts.size(), 2);
        const QStringList size = parts[1].split(u'x');
        QVERIFY(modeltest::writeSprite(work.path(), parts[0], QSize(size[0].toInt(), size[1].toInt())));
    }
    const QString input = QString::fromUtf8(readFile(folder + QStringLiteral("/input.txt")));
    const QByteArray expected = readFile(folder + QStringLiteral("/expected.txt"));
    QVERIFY(!input.isEmpty() && !expected.isEmpty());

    modeltest::CountingLoader loader;
    const model::ReadResult read = model::readScript(input, work.path(), loader.loader());
    QVERIFY2(read.finished, qPrintable(read.message));
    const model::WriteResult written = model::writeScript(read.animation, read.lastFolder);
    QVERIFY2(written.ok(), qPrintable(written.error));
    QCOMPARE(written.text.toUtf8(), expected);
}

QTEST_GUILESS_MAIN(TestScriptWriter)
#include "TestScriptWriter.moc"
