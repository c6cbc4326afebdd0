#include "ScriptLines.h"
#include "classic/script/ClassicScript.h"

#include <QTest>

using namespace classic;

namespace {

// Two frames of hero with one offset line in force for both.
const QString hero = QStringLiteral("\tframe\tdata/chars/hero/");
const QString twoFrames = lines("\tdelay\t10|\toffset\t32 78|" + hero + "a.gif||" + hero + "b.gif|");

// The cases of a case file as data rows of the text columns `fields`, in order;
// a case without one of them stops the run.
void addRows(const QString& file, const QList<const char*>& fields)
{
    for (const char* field : fields)
        QTest::addColumn<QString>(field);
    for (const Case& c : readCases(file)) {
        QTestData& row = QTest::newRow(c["case"].constData());
        for (const char* field : fields) {
            if (!c.contains(field))
                qFatal("%s, case %s: no field %s", qPrintable(file), c["case"].constData(), field);
            row << QString::fromUtf8(c[field]);
        }
    }
}

} // namespace

// Tests of the line-by-line script text model of the classic editor.
class TestClassicScript : public QObject {
    Q_OBJECT

private slots:
    void findKeywordLine_data() { addRows("keyword_lines.txt", {"scope", "text", "name", "keyword", "line"}); }

    void findKeywordLine()
    {
        QFETCH(QString, scope);
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, keyword);
        QFETCH(QString, line);
        const FoundLine found = scope == u"frame" ? classic::findFrameKeywordLine(text, keyword, name)
                                                  : classic::findLastKeywordLine(text, keyword, name);
        QCOMPARE(found.text, line);
        QCOMPARE(found.start, line.isEmpty() ? -1 : text.indexOf(line));
    }

    void setFrameLine_data() { addRows("set_frame_line.txt", {"text", "name", "line", "expected"}); }

    void setFrameLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(classic::setFrameLine(text, name, line), expected);
    }

    void generateInitialText_data()
    {
        addRows("initial_text.txt", {"secondHeight", "ground", "fixed", "fromRight", "fixedX", "expected"});
    }

    void generateInitialText()
    {
        QFETCH(QString, secondHeight);
        QFETCH(QString, ground);
        QFETCH(QString, fixed);
        QFETCH(QString, fromRight);
        QFETCH(QString, fixedX);
        QFETCH(QString, expected);
        const InitialText result = classic::generateInitialText(
            {"a.gif", "b.gif"}, {QSize(64, 80), QSize(64, secondHeight.toInt())}, "hero",
            InitialOptions{ground, fixed == u"yes", fromRight == u"yes", fixedX});
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

    void listFramesFromText_data() { addRows("frame_list.txt", {"text", "frames"}); }

    void listFramesFromText()
    {
        QFETCH(QString, text);
        QFETCH(QString, frames);
        QCOMPARE(classic::listFramesFromText(text).join(u' '), frames);
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
