#include "ScriptLines.h"
#include "classic/ClassicScript.h"

#include <QTest>

using namespace classic;

namespace {

// Two frames of hero with one offset line in force for both.
const QStringList twoFrames = {"\tdelay\t10", "\toffset\t32 78", "\tframe\tdata/chars/hero/a.gif", "",
                               "\tframe\tdata/chars/hero/b.gif", ""};

} // namespace

// Tests of the line-by-line script text model of the classic editor.
class TestClassicScript : public QObject {
    Q_OBJECT

private slots:
    void findLastKeywordLine_data();
    void findLastKeywordLine();
    void findFrameKeywordLine_data();
    void findFrameKeywordLine();
    void setFrameLine_data();
    void setFrameLine();
    void generateInitialText_data();
    void generateInitialText();
    void initialTextRefusesUnreadableNumbers();
    void insertDefinitionUsesTheFolderWord();
    void listFramesFromText_data();
    void listFramesFromText();
    void shiftAllOffsetsReadsTheTextBeforeTheCommand();
    void shiftedOffsetLineFallsBackToTheCurrentOffset();
    void lineReading();
};

void TestClassicScript::findLastKeywordLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::addColumn<qsizetype>("start");

    QTest::newRow("inherited from an earlier frame") << lines(twoFrames) << "offset" << "b.gif" << "offset\t32 78"
                                                     << qsizetype(12);
    QTest::newRow("keyword only after the name") << lines(twoFrames) << "bbox" << "a.gif" << "" << qsizetype(-1);
    QTest::newRow("name missing") << lines(twoFrames) << "offset" << "c.gif" << "" << qsizetype(-1);
    QTest::newRow("keyword in any case") << lines({"\tBbox\t0", "\tframe\tx/a.gif"}) << "bbox" << "A.GIF" << "Bbox\t0"
                                         << qsizetype(1);
    QTest::newRow("line without a line break") << QStringLiteral("\toffset\t1 2") << "offset" << "2" << ""
                                               << qsizetype(-1);
    QTest::newRow("frame listed twice uses the first")
        << lines({"\toffset\t1 1", "\tframe\tx/a.gif", "\toffset\t2 2", "\tframe\tx/a.gif"}) << "offset" << "a.gif"
        << "offset\t1 1" << qsizetype(1);
    QTest::newRow("name inside a longer name")
        << lines({"\toffset\t1 1", "\tframe\tx/aa1.gif", "\toffset\t2 2", "\tframe\tx/a1.gif"}) << "offset" << "a1.gif"
        << "offset\t1 1" << qsizetype(1);
}

void TestClassicScript::findLastKeywordLine()
{
    QFETCH(QString, text);
    QFETCH(QString, keyword);
    QFETCH(QString, name);
    QFETCH(QString, line);
    QFETCH(qsizetype, start);
    const FoundLine found = classic::findLastKeywordLine(text, keyword, name);
    QCOMPARE(found.text, line);
    QCOMPARE(found.start, start);
    QCOMPARE(found.length, line.size());
}

void TestClassicScript::findFrameKeywordLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");

    QTest::newRow("own block") << lines(twoFrames) << "offset" << "a.gif" << "offset\t32 78";
    QTest::newRow("only in an earlier block") << lines(twoFrames) << "offset" << "b.gif" << "";
    QTest::newRow("frame line of its own") << lines(twoFrames) << "frame" << "b.gif" << "frame\tdata/chars/hero/b.gif";
    QTest::newRow("no line break before the name") << QStringLiteral("frame\tx/a.gif\r\n") << "frame" << "a.gif"
                                                   << "frame\tx/a.gif";
}

void TestClassicScript::findFrameKeywordLine()
{
    QFETCH(QString, text);
    QFETCH(QString, keyword);
    QFETCH(QString, name);
    QFETCH(QString, line);
    QCOMPARE(classic::findFrameKeywordLine(text, keyword, name).text, line);
}

void TestClassicScript::setFrameLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");

    const QString text = lines(twoFrames);
    QTest::newRow("replaced in place") << text << "a.gif" << "offset\t1 2"
                                       << lines({"\tdelay\t10", "\toffset\t1 2", "\tframe\tdata/chars/hero/a.gif", "",
                                                 "\tframe\tdata/chars/hero/b.gif", ""});
    QTest::newRow("inserted before the frame line")
        << text << "b.gif" << "offset\t5 6"
        << lines({"\tdelay\t10", "\toffset\t32 78", "\tframe\tdata/chars/hero/a.gif", "", "\toffset\t5 6",
                  "\tframe\tdata/chars/hero/b.gif", ""});
    QTest::newRow("name on the first line") << lines({"\tframe\tx/a.gif"}) << "a.gif" << "delay\t5"
                                            << lines({"\tdelay\t5", "\tframe\tx/a.gif"});
    QTest::newRow("keyword in another case") << lines({"\tattack\t1 2 3 4", "\tframe\tx/a.gif"}) << "a.gif"
                                             << "Attack\t5 6 7 8 20 0 0 0 20"
                                             << lines({"\tAttack\t5 6 7 8 20 0 0 0 20", "\tframe\tx/a.gif"});
    QTest::newRow("keyword at the very start") << lines({"offset\t1 1", "frame\tx/a.gif"}) << "a.gif"
                                               << "offset\t2 2" << lines({"offset\t2 2", "frame\tx/a.gif"});
    QTest::newRow("name inside a longer name") << lines({"\tframe\tx/aa1.gif", "", "\tframe\tx/a1.gif"}) << "a1.gif"
                                               << "offset\t1 1"
                                               << lines({"\toffset\t1 1", "\tframe\tx/aa1.gif", "", "\tframe\tx/a1.gif"});
    QTest::newRow("blanks around the line") << text << "a.gif" << "  offset\t3 4  "
                                            << lines({"\tdelay\t10", "\toffset\t3 4", "\tframe\tdata/chars/hero/a.gif",
                                                      "", "\tframe\tdata/chars/hero/b.gif", ""});
    QTest::newRow("name not in the text") << text << "c.gif" << "offset\t1 2" << text;
    QTest::newRow("line without a TAB") << text << "a.gif" << "offset 1 2" << text;
    QTest::newRow("line without a keyword") << text << "a.gif" << "\t1 2" << text;
}

void TestClassicScript::setFrameLine()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(classic::setFrameLine(text, name, line), expected);
}

void TestClassicScript::generateInitialText_data()
{
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<bool>("fromRight");
    QTest::addColumn<QString>("fixedX");
    QTest::addColumn<QString>("expected");

    const QString frames = lines({"\tframe\tdata/chars/hero/a.gif", "", "\tframe\tdata/chars/hero/b.gif", ""});
    QTest::newRow("middle, shared offset line") << false << false << "30"
                                                << lines({"\tdelay\t10", "\toffset\t32 78"}) + frames;
    QTest::newRow("fixed from the left, as typed") << true << false << " x7 "
                                                   << lines({"\tdelay\t10", "\toffset\tx7 78"}) + frames;
    QTest::newRow("fixed from the right") << true << true << "30"
                                          << lines({"\tdelay\t10", "\toffset\t34 78"}) + frames;
    QTest::newRow("from the right needs fixed") << false << true << "30"
                                                << lines({"\tdelay\t10", "\toffset\t32 78"}) + frames;
}

void TestClassicScript::generateInitialText()
{
    QFETCH(bool, fixed);
    QFETCH(bool, fromRight);
    QFETCH(QString, fixedX);
    QFETCH(QString, expected);
    const InitialOptions options{QStringLiteral("2"), fixed, fromRight, fixedX};
    const InitialText result =
        classic::generateInitialText({"a.gif", "b.gif"}, {QSize(64, 80), QSize(64, 80)}, "hero", options);
    QVERIFY(result.error.isEmpty());
    QCOMPARE(result.text, expected);

    // Frames of different sizes each get their own line.
    const InitialText mixed =
        classic::generateInitialText({"a.gif", "b.gif"}, {QSize(64, 80), QSize(64, 81)}, "hero", options);
    QCOMPARE(mixed.text.count(QStringLiteral("offset")), 2);
}

void TestClassicScript::initialTextRefusesUnreadableNumbers()
{
    const InitialText result = classic::generateInitialText({"a.gif"}, {QSize(64, 80)}, "hero",
                                                            {QStringLiteral("1e12"), false, false, "30"});
    QVERIFY(result.text.isEmpty());
    QVERIFY(!result.error.isEmpty());
}

void TestClassicScript::insertDefinitionUsesTheFolderWord()
{
    const QString text = lines({"\toffset\t1 2", "# b.gif"});
    QCOMPARE(classic::insertDefinition(text, "b.gif", "hero"),
             lines({"\toffset\t1 2", "\tframe\tdata/chars/hero/b.gif", "", "", "# b.gif"}));
    const QString defined = lines(twoFrames);
    QCOMPARE(classic::insertDefinition(defined, "b.gif", "hero"), defined);
    QCOMPARE(classic::insertDefinition(defined, "c.gif", "hero"), defined);
    QCOMPARE(classic::folderWord(QStringLiteral("C:\\game\\data\\chars\\hero")), QStringLiteral("hero"));
    QCOMPARE(classic::folderWord(QStringLiteral("/game/data/chars/mirel")), QStringLiteral("mirel"));
}

void TestClassicScript::listFramesFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("frame lines") << lines(twoFrames) << QStringList{"a.gif", "b.gif"};
    QTest::newRow("first frame line without a slash")
        << lines({"\tframe\ta.gif", "\tframe\tdata/chars/hero/b.gif"}) << QStringList{};
    QTest::newRow("scan stops at a line without a slash")
        << lines({"\tframe\tx/a.gif", "frame 3", "\tframe\tx/b.gif"}) << QStringList{"a.gif"};
    QTest::newRow("last line without a line break") << lines({"\tFRAME\tx/a.gif"}) + "\tframe\tx/b.gif"
                                                    << QStringList{"a.gif"};
    QTest::newRow("word inside a folder or file name is no frame line")
        << lines({"\tframe\tdata/frames/a.gif", "\tframe\tdata/frames/frame01.gif", "\tframeX\tx/b.gif"})
        << QStringList{"a.gif", "frame01.gif"};
}

void TestClassicScript::listFramesFromText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QCOMPARE(classic::listFramesFromText(text), names);
}

void TestClassicScript::shiftAllOffsetsReadsTheTextBeforeTheCommand()
{
    Offset current{0, 0};
    const QString shifted = classic::shiftAllOffsets(lines(twoFrames), {"a.gif", "b.gif", "c.gif"}, 1, -2, current);
    QCOMPARE(shifted, lines({"\tdelay\t10", "\toffset\t33 76", "\tframe\tdata/chars/hero/a.gif", "", "\toffset\t33 76",
                             "\tframe\tdata/chars/hero/b.gif", ""}));
    QCOMPARE(current, (Offset{33, 76}));

    // A frame listed twice moves once.
    current = {};
    QCOMPARE(classic::shiftAllOffsets(lines(twoFrames), {"a.gif", "a.gif"}, 5, 0, current),
             lines({"\tdelay\t10", "\toffset\t37 78", "\tframe\tdata/chars/hero/a.gif", "",
                    "\tframe\tdata/chars/hero/b.gif", ""}));
}

void TestClassicScript::shiftedOffsetLineFallsBackToTheCurrentOffset()
{
    const QString text = lines({"\tframe\tx/a.gif"});
    Offset current{10, 20};
    QCOMPARE(classic::shiftedOffsetLine(text, u"a.gif", -1, 0, current), QStringLiteral("offset\t9 20"));
    QCOMPARE(current, (Offset{9, 20}));
    QVERIFY(!classic::shiftedOffsetLine(text, u"b.gif", 1, 0, current));
    current = {std::numeric_limits<qint32>::max(), 0};
    QVERIFY(!classic::shiftedOffsetLine(text, u"a.gif", 1, 0, current));
}

void TestClassicScript::lineReading()
{
    QCOMPARE(classic::normaliseSpaces(u"offset\t\t3   4"), QStringLiteral("offset 3 4"));
    QCOMPARE(classic::parseOffsetLine(u"offset\t2.5  -3.5"), (Offset{2, -4}));
    QCOMPARE(classic::parseOffsetLine(u"offset\tx 7px"), (Offset{0, 7}));
    QVERIFY(!classic::parseOffsetLine(u"offset\t1e12 0"));
    QCOMPARE(classic::lineValues(u"bbox\t1.5 2", 4), (QList<double>{1.5, 2, 0, 0}));
    QCOMPARE(classic::delayMilliseconds(u"delay\t1.25"), 12);
    QCOMPARE(classic::delayMilliseconds(u"delay\t-4"), 0);
    QCOMPARE(classic::delayMilliseconds(u"delay"), 0);
}

QTEST_GUILESS_MAIN(TestClassicScript)
#include "tst_classicscript.moc"
