// Carrying a changed box or delay forward over the run of following rows,
// and the animation's row and record bookkeeping.

#include "ModelFixtures.h"

#include "model/Propagation.h"

#include <QTest>

using model::Animation;
using model::Box;
using model::BoxState;
using model::FrameRecord;

namespace {

// One field group: its box and state, its propagation and, as the oracle,
// what copying the group from one record to another must change.
struct Group {
    const char* name;
    Box FrameRecord::*box;
    BoxState FrameRecord::*state;
    void (*propagate)(Animation&, int, const Box&);
    bool withAttackFields;
};

const Group kGroups[] = {
    {"attack", &FrameRecord::attackBox, &FrameRecord::attackEmpty, model::PropagateAttack, true},
    {"extended attack", &FrameRecord::extAttackBox, &FrameRecord::extAttackEmpty, model::PropagateExtAttack, false},
    {"body", &FrameRecord::bodyBox, &FrameRecord::bodyEmpty, model::PropagateBody, false},
    {"extended body", &FrameRecord::extBodyBox, &FrameRecord::extBodyEmpty, model::PropagateExtBody, false},
};

const Box kOld{1, 1, 10, 10};
const Box kOther{2, 2, 20, 20};
const Box kNew{3, 3, 30, 30};

// Record i with distinct values everywhere, its group box given by a letter:
// A the source's old box, B another box.
FrameRecord record(const Group& group, int i, QChar letter)
{
    FrameRecord r;
    r.attackKind = QStringLiteral("Attack");
    r.damage = 5, r.knockdown = 0, r.pause = 15, r.depth = qint16(i);
    r.attackBox = r.extAttackBox = r.bodyBox = r.extBodyBox = Box{qint16(i), 0, 7, 7};
    r.frameDelay = qint16(i + 1), r.offsetX = qint16(i);
    r.extra = QString::number(i);
    r.*group.box = letter == u'A' ? kOld : kOther;
    r.*group.state = BoxState::Empty; // state plays no part in the run
    return r;
}

// `to` after taking the group of `from`.
FrameRecord withGroupOf(const Group& group, FrameRecord to, const FrameRecord& from)
{
    to.*group.box = from.*group.box;
    to.*group.state = from.*group.state;
    if (group.withAttackFields) {
        to.attackKind = from.attackKind;
        to.damage = from.damage, to.knockdown = from.knockdown, to.unblockable = from.unblockable;
        to.noFlash = from.noFlash, to.pause = from.pause, to.depth = from.depth;
    }
    return to;
}

} // namespace

class TestPropagation : public QObject {
    Q_OBJECT

private slots:
    void boxRuns_data();
    void boxRuns();
    void delayRuns_data();
    void delayRuns();
    void removeFrame_data();
    void removeFrame();
    void swapResizeClear();
};

void TestPropagation::boxRuns_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("before"); // one letter per row, then "+" and the spare record
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("after"); // N: took the source's group

    const struct {
        const char* name;
        const char* before;
        int index;
        const char* after;
    } shapes[] = {
        {"stops at a differing row", "AAABA", 0, "NNNBA"},
        {"reaches the last row, spare untouched", "AAA+A", 0, "NNN+A"},
        {"from the last row", "AAA+A", 2, "AAN+A"},
        {"from the middle", "BAAA", 1, "BNNN"},
        {"next row differs", "AB", 0, "NB"},
    };
    for (int g = 0; g < int(std::size(kGroups)); ++g)
        for (const auto& shape : shapes)
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(kGroups[g].name, shape.name)))
                << g << shape.before << shape.index << shape.after;
}

void TestPropagation::boxRuns()
{
    QFETCH(int, group);
    QFETCH(QString, before);
    QFETCH(int, index);
    QFETCH(QString, after);
    const Group& g = kGroups[group];

    Animation a;
    const QString letters = QString(before).remove(u'+');
    for (int i = 0; i < letters.size(); ++i)
        a.frames << record(g, i, letters[i]);
    a.rows = QStringList(before.indexOf(u'+') < 0 ? letters.size() : before.indexOf(u'+'), QStringLiteral("f.gif"));

    FrameRecord& source = a.frames[index];
    source.*g.box = kNew;
    source.*g.state = BoxState::Normal;
    source.attackKind = QStringLiteral("Blast");
    source.damage = 33, source.knockdown = 1, source.unblockable = 1, source.noFlash = 1, source.pause = 40;
    const QList<FrameRecord> original = a.frames;

    g.propagate(a, index, kOld);

    const QString expected = QString(after).remove(u'+');
    QCOMPARE(a.frames.size(), original.size());
    for (int i = 0; i < a.frames.size(); ++i) {
        const FrameRecord want = expected[i] == u'N' && i != index ? withGroupOf(g, original[i], original[index])
                                                                  : original[i];
        const QString differences = modeltest::recordDifferences(a.frames[i], want);
        QVERIFY2(differences.isEmpty(), qPrintable(QStringLiteral("row %1: %2").arg(i).arg(differences)));
    }
}

void TestPropagation::delayRuns_data()
{
    QTest::addColumn<QList<int>>("delays"); // the source already holds its new delay
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("oldDelay");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("5 5 5 3: first becomes 8") << QList<int>{8, 5, 5, 3} << 4 << 0 << 5 << QList<int>{8, 8, 8, 3};
    QTest::newRow("bounded by the rows") << QList<int>{8, 5, 5} << 2 << 0 << 5 << QList<int>{8, 8, 5};
    QTest::newRow("from the last row") << QList<int>{5, 8, 5} << 2 << 1 << 5 << QList<int>{5, 8, 5};
    QTest::newRow("no source row") << QList<int>{5, 5} << 2 << -1 << 5 << QList<int>{5, 5};
    QTest::newRow("source past the rows") << QList<int>{5, 5, 5} << 2 << 2 << 5 << QList<int>{5, 5, 5};
}

void TestPropagation::delayRuns()
{
    QFETCH(QList<int>, delays);
    QFETCH(int, rows);
    QFETCH(int, index);
    QFETCH(int, oldDelay);
    QFETCH(QList<int>, expected);

    Animation a;
    for (int delay : delays) {
        FrameRecord r;
        r.frameDelay = qint16(delay);
        a.frames << r;
    }
    a.rows = QStringList(rows, QStringLiteral("f.gif"));
    model::PropagateDelay(a, index, qint16(oldDelay));
    QList<int> got;
    for (const FrameRecord& r : a.frames)
        got << r.frameDelay;
    QCOMPARE(got, expected);
}

namespace {

// Rows r0, r1 ... and records whose delay is their index + 1, plus a spare.
Animation numbered(int rows)
{
    Animation a;
    for (int i = 0; i <= rows; ++i) {
        FrameRecord r;
        r.frameDelay = qint16(i + 1);
        a.frames << r;
        if (i < rows)
            a.rows << QStringLiteral("r%1").arg(i);
    }
    return a;
}

QList<int> delaysOf(const Animation& a)
{
    QList<int> delays;
    for (const FrameRecord& r : a.frames)
        delays << r.frameDelay;
    return delays;
}

} // namespace

void TestPropagation::removeFrame_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<int>>("delays");

    QTest::newRow("middle row, spare dropped") << 1 << QStringList{"r0", "r2"} << QList<int>{1, 3};
    QTest::newRow("last row, spare dropped") << 2 << QStringList{"r0", "r1"} << QList<int>{1, 2};
    QTest::newRow("no such row") << 3 << QStringList{"r0", "r1", "r2"} << QList<int>{1, 2, 3, 4};
    QTest::newRow("negative row") << -1 << QStringList{"r0", "r1", "r2"} << QList<int>{1, 2, 3, 4};
}

void TestPropagation::removeFrame()
{
    QFETCH(int, row);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, delays);

    Animation a = numbered(3);
    a.removeFrame(row);
    QCOMPARE(a.rows, rows);
    QCOMPARE(delaysOf(a), delays);
}

void TestPropagation::swapResizeClear()
{
    Animation a = numbered(3);
    a.swapFrames(0, 2);
    QCOMPARE(a.rows, (QStringList{"r2", "r1", "r0"}));
    QCOMPARE(delaysOf(a), (QList<int>{3, 2, 1, 4}));

    a.resizeFrames(6);
    QCOMPARE(delaysOf(a), (QList<int>{3, 2, 1, 4, 0, 0}));
    a.resizeFrames(2);
    QCOMPARE(delaysOf(a), (QList<int>{3, 2}));

    a.animName = QStringLiteral("Run");
    a.framesFromText = true;
    a.clear();
    QVERIFY(a.rows.isEmpty() && a.frames.isEmpty());
    QCOMPARE(a.animName, QStringLiteral("Run"));
    QVERIFY(a.framesFromText);
}

QTEST_APPLESS_MAIN(TestPropagation)
#include "TestPropagation.moc"
