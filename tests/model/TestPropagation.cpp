// Carrying a changed box or delay forward over the run of following rows
// that still held the old value.

#include "ModelFixtures.h"

#include "model/animation/Propagation.h"

#include <QTest>

using model::Animation;
using model::Box;
using model::FrameRecord;

namespace {

// One propagation: how a row gets the compared value `v`, the propagation
// from the old value, and the fields it must copy (the oracle).
struct Group {
    const char* name;
    void (*setValue)(FrameRecord&, qint16 v);
    void (*propagate)(Animation&, int index, qint16 old);
    QStringList fields;
};

template <Box FrameRecord::*box, void (*propagate)(Animation&, int, const Box&)>
Group boxGroup(const char* name, const QStringList& fields)
{
    return {name, [](FrameRecord& r, qint16 v) { r.*box = Box{v, v, v, v}; },
            [](Animation& a, int index, qint16 old) { propagate(a, index, Box{old, old, old, old}); }, fields};
}

const Group kGroups[] = {
    boxGroup<&FrameRecord::attackBox, model::PropagateAttack>(
        "attack", {"attackKind", "attackBox", "damage", "knockdown", "unblockable", "noFlash", "pause", "depth",
                   "attackEmpty"}),
    boxGroup<&FrameRecord::extAttackBox, model::PropagateExtAttack>("ext attack", {"extAttackBox", "extAttackEmpty"}),
    boxGroup<&FrameRecord::bodyBox, model::PropagateBody>("body", {"bodyBox", "bodyEmpty"}),
    boxGroup<&FrameRecord::extBodyBox, model::PropagateExtBody>("ext body", {"extBodyBox", "extBodyEmpty"}),
    {"delay", [](FrameRecord& r, qint16 v) { r.frameDelay = v; }, model::PropagateDelay, {"frameDelay"}},
};

// A record whose every field is away from a fresh record's value, its
// numbers and texts set from i.
FrameRecord record(int i)
{
    const qint16 v = qint16(10 + i);
    const Box b{v, v, v, v};
    const model::BoxState s = i % 2 ? model::BoxState::Empty : model::BoxState::Cleared;
    return {QString::number(i), b, v, v, v, v, v, v, s, b, s, b, s, b, s, v, v, v, QImage(), v, v,
            QStringLiteral("x\r\n")};
}

// The dump of `to` with the lines of `fields` taken from `from`.
QString withFields(const FrameRecord& to, const FrameRecord& from, const QStringList& fields)
{
    QStringList lines = modeltest::dumpRecord(to).split(u'\n');
    const QStringList source = modeltest::dumpRecord(from).split(u'\n');
    for (qsizetype i = 0; i < lines.size() && i < source.size(); ++i)
        if (fields.contains(lines[i].section(u' ', 0, 0)))
            lines[i] = source[i];
    return lines.join(u'\n');
}

} // namespace

class TestPropagation : public QObject {
    Q_OBJECT

private slots:
    void runs_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("before"); // a row per letter, A: the old value, B another; "+": spare records follow
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("after"); // N: took the source's group

        const char* const shapes[][4] = {
            {"stops at a differing row", "AAABA", "0", "NNNBA"},
            {"reaches the last row, spare untouched", "AAA+A", "0", "NNN+A"},
            {"from the middle", "BAAA", "1", "BNNN"},
            {"from the last row", "AAA+A", "2", "AAN+A"},
            {"from beyond the rows", "AA+A", "2", "AA+N"},
        };
        for (int g = 0; g < int(std::size(kGroups)); ++g)
            for (const auto& s : shapes)
                QTest::addRow("%s: %s", kGroups[g].name, s[0]) << g << s[1] << QByteArray(s[2]).toInt() << s[3];
    }

    void runs()
    {
        QFETCH(int, group);
        QFETCH(QString, before);
        QFETCH(int, index);
        QFETCH(QString, after);
        const Group& g = kGroups[group];
        enum : qint16 { kOld = 1, kOther = 2, kNew = 3 };

        Animation a;
        a.rows = QStringList(before.indexOf(u'+') < 0 ? before.size() : before.indexOf(u'+'), QStringLiteral("f.gif"));
        const QString letters = QString(before).remove(u'+');
        for (const QChar letter : letters) {
            a.frames << record(int(a.frames.size()));
            g.setValue(a.frames.last(), letter == u'A' ? kOld : kOther);
        }
        a.frames[index] = record(99);
        g.setValue(a.frames[index], kNew);
        const QList<FrameRecord> original = a.frames;

        g.propagate(a, index, kOld);

        const QString expected = QString(after).remove(u'+');
        QCOMPARE(a.frames.size(), original.size());
        for (int i = 0; i < a.frames.size(); ++i)
            QCOMPARE(modeltest::dumpRecord(a.frames[i]),
                     withFields(original[i], original[index], expected[i] == u'N' ? g.fields : QStringList()));
    }
};

QTEST_APPLESS_MAIN(TestPropagation)
#include "TestPropagation.moc"
