#include "ScriptLines.h"
#include "classic/script/ClassicScript.h"

#include <QTest>

using namespace classic;

Q_DECLARE_METATYPE(classic::InitialOptions)

namespace {

// Two frames of hero with one offset line in force for both.
const QString hero = QStringLiteral("\tframe\tdata/chars/hero/");
const QString twoFrames = lines("\tdelay\t10|\toffset\t32 78|" + hero + "a.gif||" + hero + "b.gif|");

} // namespace

// Tests of the line-by-line script text model of the classic editor.
class TestClassicScript : public QObject {
    Q_OBJECT

private slots:
    // Across blocks (findLastKeywordLine) or in the frame's own block only
    // (findFrameKeywordLine, which setFrameLine's cases also read).
    void findKeywordLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ownBlock");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("keyword");

        QTest::newRow("inherited from an earlier frame") << twoFrames << false << "b.gif" << "offset\t32 78" << "offset";
        QTest::newRow("keyword only after the name") << lines("\tframe\tx/a.gif|\toffset\t1 1|\tframe\tx/b.gif")
                                                     << false << "a.gif" << "" << "offset";
        QTest::newRow("keyword and name in any case") << lines("\tOFFset\t0|\tframe\tx/a.gif") << false << "A.GIF"
                                                      << "OFFset\t0" << "offset";
        QTest::newRow("frame listed twice uses the first")
            << lines("\toffset\t1 1|\tframe\tx/a.gif|\toffset\t2 2|\tframe\tx/a.gif") << false << "a.gif"
            << "offset\t1 1" << "offset";
        QTest::newRow("name inside a longer name")
            << lines("\toffset\t1 1|\tframe\tx/aa1.gif|\toffset\t2 2|\tframe\tx/a1.gif") << false << "a1.gif"
            << "offset\t1 1" << "offset";
        // Only a line whose first word is the keyword is a line of it.
        QTest::newRow("attack2 is no attack line") << lines("\tattack2\t1 2 3 4|\tframe\tx/a.gif") << false << "a.gif"
                                                   << "" << "attack";
        QTest::newRow("the word in a comment") << lines("\tdelay\t7|# delay 9|\tframe\tx/a.gif") << false << "a.gif"
                                               << "delay\t7" << "delay";
        QTest::newRow("landframe starts no block") << lines("\toffset\t1 1|\tlandframe\t3|\tframe\tx/a.gif") << true
                                                   << "a.gif" << "offset\t1 1" << "offset";
        QTest::newRow("frame line at the end without a line break")
            << lines("\toffset\t1 1") + "\tframe\tx/a.gif" << true << "a.gif" << "frame\tx/a.gif" << "frame";
    }

    // The expected line is the first of its text in every case.
    void findKeywordLine()
    {
        QFETCH(QString, text);
        QFETCH(bool, ownBlock);
        QFETCH(QString, name);
        QFETCH(QString, line);
        QFETCH(QString, keyword);
        const FoundLine found = ownBlock ? classic::findFrameKeywordLine(text, keyword, name)
                                         : classic::findLastKeywordLine(text, keyword, name);
        QCOMPARE(found.text, line);
        QCOMPARE(found.start, line.isEmpty() ? -1 : text.indexOf(line));
    }

    void setFrameLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");

        QTest::newRow("replaced in place, blanks around the line dropped")
            << twoFrames << "a.gif" << "  offset\t1 2  "
            << lines("\tdelay\t10|\toffset\t1 2|" + hero + "a.gif||" + hero + "b.gif|");
        QTest::newRow("keyword only in an earlier block: inserted before the frame line")
            << twoFrames << "b.gif" << "offset\t5 6"
            << lines("\tdelay\t10|\toffset\t32 78|" + hero + "a.gif||\toffset\t5 6|" + hero + "b.gif|");
        QTest::newRow("name on the first line") << lines("\tframe\tx/a.gif") << "a.gif" << "delay\t5"
                                                << lines("\tdelay\t5|\tframe\tx/a.gif");
        QTest::newRow("keyword in another case") << lines("\tattack\t1 2 3 4|\tframe\tx/a.gif") << "a.gif"
                                                 << "Attack\t5 6 7 8 20 0 0 0 20"
                                                 << lines("\tAttack\t5 6 7 8 20 0 0 0 20|\tframe\tx/a.gif");
        QTest::newRow("keyword at the very start") << lines("offset\t1 1|frame\tx/a.gif") << "a.gif" << "offset\t2 2"
                                                   << lines("offset\t2 2|frame\tx/a.gif");
        QTest::newRow("name inside a longer name") << lines("\tframe\tx/aa1.gif||\tframe\tx/a1.gif") << "a1.gif"
                                                   << "offset\t1 1"
                                                   << lines("\toffset\t1 1|\tframe\tx/aa1.gif||\tframe\tx/a1.gif");
        QTest::newRow("attack2 line kept, attack line inserted")
            << lines("\tattack2\t90 60 40 20 12 0 0 0 20|\tframe\tx/a.gif") << "a.gif" << "Attack\t88 49 50 30 20 0 0 0 20"
            << lines("\tattack2\t90 60 40 20 12 0 0 0 20|\tAttack\t88 49 50 30 20 0 0 0 20|\tframe\tx/a.gif");
        QTest::newRow("extbbox line kept, bbox line inserted")
            << lines("\textbbox\t1 2 3 4|\tframe\tx/a.gif") << "a.gif" << "bbox\t5 6 7 8"
            << lines("\textbbox\t1 2 3 4|\tbbox\t5 6 7 8|\tframe\tx/a.gif");
        QTest::newRow("name not in the text") << twoFrames << "c.gif" << "offset\t1 2" << twoFrames;
        QTest::newRow("line without a TAB") << twoFrames << "a.gif" << "offset 1 2" << twoFrames;
        QTest::newRow("line without a keyword") << twoFrames << "a.gif" << "\t1 2" << twoFrames;
    }

    void setFrameLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(classic::setFrameLine(text, name, line), expected);
    }

    // Two frames 64 wide, the first 80 high.
    void generateInitialText_data()
    {
        QTest::addColumn<int>("secondHeight");
        QTest::addColumn<InitialOptions>("options");
        QTest::addColumn<QString>("expected"); // empty: refused with an error

        const auto text = [](const QString& offset, const QString& second = {}) {
            return lines("\tdelay\t10|\toffset\t" + offset + '|' + hero + "a.gif||" + second + hero + "b.gif|");
        };
        QTest::newRow("middle, shared offset line") << 80 << InitialOptions{"2", false, false, "30"} << text("32 78");
        QTest::newRow("fixed left, as typed") << 80 << InitialOptions{"2", true, false, " x7 "} << text("x7 78");
        QTest::newRow("fixed right") << 80 << InitialOptions{"2", true, true, "30"} << text("34 78");
        QTest::newRow("from the right needs fixed") << 80 << InitialOptions{"2", false, true, "30"} << text("32 78");
        QTest::newRow("sizes differ, a line each") << 81 << InitialOptions{} << text("32 78", "\toffset\t32 79|");
        QTest::newRow("ground out of range") << 80 << InitialOptions{"1e12"} << "";
    }

    void generateInitialText()
    {
        QFETCH(int, secondHeight);
        QFETCH(InitialOptions, options);
        QFETCH(QString, expected);
        const InitialText result =
            classic::generateInitialText({"a.gif", "b.gif"}, {QSize(64, 80), QSize(64, secondHeight)}, "hero", options);
        QCOMPARE(result.text, expected);
        QCOMPARE(result.error.isEmpty(), !expected.isEmpty());
    }

    void insertDefinitionUsesTheFolderWord()
    {
        QCOMPARE(classic::insertDefinition(lines("\toffset\t1 2|# b.gif"), "b.gif", "hero"),
                 lines("\toffset\t1 2|" + hero + "b.gif|||# b.gif"));
        QCOMPARE(classic::insertDefinition(twoFrames, "b.gif", "hero"), twoFrames);
        QCOMPARE(classic::folderWord(QStringLiteral("C:\\game\\data\\chars\\hero")), QStringLiteral("hero"));
        QCOMPARE(classic::folderWord(QStringLiteral("/game/data/chars/mirel")), QStringLiteral("mirel"));
    }

    void listFramesFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("frame lines") << twoFrames << QStringList{"a.gif", "b.gif"};
        QTest::newRow("first frame line without a slash") << lines("\tframe\ta.gif|\tframe\tx/b.gif") << QStringList{};
        QTest::newRow("scan stops at a line without a slash") << lines("\tframe\tx/a.gif|frame 3|\tframe\tx/b.gif")
                                                              << QStringList{"a.gif"};
        QTest::newRow("last line without a line break") << lines("\tFRAME\tx/a.gif") + "\tframe\tx/b.gif"
                                                        << QStringList{"a.gif", "b.gif"};
        QTest::newRow("word inside a folder or file name is no frame line")
            << lines("\tframe\tdata/frames/a.gif|\tframe\tdata/frames/frame01.gif|\tframeX\tx/b.gif")
            << QStringList{"a.gif", "frame01.gif"};
    }

    void listFramesFromText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QCOMPARE(classic::listFramesFromText(text), names);
    }

    void shiftAllOffsets()
    {
        Offset current;
        const QString threeFrames = twoFrames + lines("\toffset\t2 3|" + hero + "c.gif");
        ShiftedText shifted = classic::shiftAllOffsets(threeFrames, {"a.gif", "b.gif", "c.gif", "d.gif"}, 1, -2, current);
        QCOMPARE(shifted.text, lines("\tdelay\t10|\toffset\t33 76|" + hero + "a.gif||\toffset\t33 76|" + hero
                                     + "b.gif||\toffset\t3 1|" + hero + "c.gif"));
        QCOMPARE(current, (Offset{3, 1}));
        QCOMPARE(shifted.lastLine, QStringLiteral("offset\t3 1"));
        // A frame listed twice moves once.
        QCOMPARE(classic::shiftAllOffsets(twoFrames, {"a.gif", "a.gif"}, 5, 0, current).text,
                 lines("\tdelay\t10|\toffset\t37 78|" + hero + "a.gif||" + hero + "b.gif|"));
        // A frame without an offset in force starts from the current one; leaving 32 bits changes nothing.
        const QString bare = lines("\tframe\tx/a.gif");
        current = {10, 20};
        QCOMPARE(classic::shiftAllOffsets(bare, {"a.gif"}, -1, 0, current).text, lines("\toffset\t9 20|\tframe\tx/a.gif"));
        current = {std::numeric_limits<qint32>::max(), 0};
        shifted = classic::shiftAllOffsets(bare, {"a.gif"}, 1, 0, current);
        QCOMPARE(shifted.text, bare);
        QVERIFY(shifted.lastLine.isEmpty());
    }

    void lineReading()
    {
        QCOMPARE(classic::normaliseSpaces(u"offset\t\t3   4"), QStringLiteral("offset 3 4"));
        QCOMPARE(classic::parseOffsetLine(u"offset\t2.5  -3.5"), (Offset{2, -4}));
        QCOMPARE(classic::parseOffsetLine(u"offset\tx 7px"), (Offset{0, 7}));
        QVERIFY(!classic::parseOffsetLine(u"offset\t1e12 0"));
        QCOMPARE(classic::lineValues(u"bbox\t1.5 2", 4), (QList<double>{1.5, 2, 0, 0}));
        QCOMPARE(classic::delayMilliseconds(u"delay\t1.25"), 12);
        QCOMPARE(classic::delayMilliseconds(u"delay\t-4"), 0);
    }
};

QTEST_GUILESS_MAIN(TestClassicScript)
#include "tst_classicscript.moc"
