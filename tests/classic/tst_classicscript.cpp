#include "ScriptLines.h"
#include "classic/ClassicScript.h"

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
    // Across blocks (findLastKeywordLine) or in the frame's own block only (findFrameKeywordLine).
    void findKeywordLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ownBlock");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");

        QTest::newRow("inherited from an earlier frame") << twoFrames << false << "b.gif" << "offset\t32 78";
        QTest::newRow("keyword only in an earlier block") << twoFrames << true << "b.gif" << "";
        QTest::newRow("own block") << twoFrames << true << "a.gif" << "offset\t32 78";
        QTest::newRow("keyword only after the name") << lines("\tframe\tx/a.gif|\toffset\t1 1|\tframe\tx/b.gif")
                                                     << false << "a.gif" << "";
        QTest::newRow("keyword and name in any case") << lines("\tOFFset\t0|\tframe\tx/a.gif") << false << "A.GIF"
                                                      << "OFFset\t0";
        QTest::newRow("frame listed twice uses the first")
            << lines("\toffset\t1 1|\tframe\tx/a.gif|\toffset\t2 2|\tframe\tx/a.gif") << false << "a.gif"
            << "offset\t1 1";
        QTest::newRow("name inside a longer name")
            << lines("\toffset\t1 1|\tframe\tx/aa1.gif|\toffset\t2 2|\tframe\tx/a1.gif") << false << "a1.gif"
            << "offset\t1 1";
    }

    // The expected line is the first of its text in every case.
    void findKeywordLine()
    {
        QFETCH(QString, text);
        QFETCH(bool, ownBlock);
        QFETCH(QString, name);
        QFETCH(QString, line);
        const FoundLine found = ownBlock ? classic::findFrameKeywordLine(text, u"offset", name)
                                         : classic::findLastKeywordLine(text, u"offset", name);
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
                                                        << QStringList{"a.gif"};
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
        QCOMPARE(classic::shiftAllOffsets(twoFrames, {"a.gif", "b.gif", "c.gif"}, 1, -2, current),
                 lines("\tdelay\t10|\toffset\t33 76|" + hero + "a.gif||\toffset\t33 76|" + hero + "b.gif|"));
        QCOMPARE(current, (Offset{33, 76}));
        // A frame listed twice moves once.
        QCOMPARE(classic::shiftAllOffsets(twoFrames, {"a.gif", "a.gif"}, 5, 0, current),
                 lines("\tdelay\t10|\toffset\t37 78|" + hero + "a.gif||" + hero + "b.gif|"));
        // A frame without an offset in force starts from the current one; leaving 32 bits changes nothing.
        const QString bare = lines("\tframe\tx/a.gif");
        current = {10, 20};
        QCOMPARE(classic::shiftAllOffsets(bare, {"a.gif"}, -1, 0, current), lines("\toffset\t9 20|\tframe\tx/a.gif"));
        current = {std::numeric_limits<qint32>::max(), 0};
        QCOMPARE(classic::shiftAllOffsets(bare, {"a.gif"}, 1, 0, current), bare);
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
