// Saving an animation back into its block of a character file: the file
// after the save is the file before it except the lines of the change.
// Table-driven on realistic files and edits, and randomised over spellings
// and edit sequences.

#include "model/character/OpenedBlock.h"
#include "model/character/FrameValues.h"
#include "model/animation/Propagation.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"
#include "model/text/TextHelpers.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using Edit = std::function<void(model::Animation&)>;

// A game folder with empty sprite files: the reader only needs them to exist.
class Game {
public:
    Game()
    {
        for (const char* folder : {"data/chars/hero", "data/chars/enemy"})
            QDir(m_dir.path()).mkpath(QLatin1String(folder));
        for (const char* file : {"hero/idle01.gif", "hero/Idle02.gif", "hero/idle03.gif", "hero/walk01.gif",
                                 "enemy/e01.gif", "enemy/e02.gif"}) {
            QFile sprite(m_dir.filePath(QStringLiteral("data/chars/") + QLatin1String(file)));
            sprite.open(QIODevice::WriteOnly);
        }
    }
    QString path() const { return m_dir.path(); }
    QString folder(const char* name) const { return m_dir.filePath(QStringLiteral("data/chars/") + QLatin1String(name)); }

private:
    QTemporaryDir m_dir;
};

// A block opened as the editor opens it: read, and its frames numbered.
struct Opened {
    model::CharacterScript script;
    model::OpenedBlock block;
    model::Animation animation;
    bool finished = false;
};

model::ReadResult readBlockText(const QString& text, const QString& game)
{
    return model::readScript(text, game, [](const QString&, QString*) { return QImage(8, 8, QImage::Format_RGB32); });
}

Opened open(const QByteArray& bytes, int blockIndex, const Game& game)
{
    Opened opened{model::CharacterScript(bytes), {}, {}};
    opened.block = model::OpenedBlock(opened.script, opened.script.blocks().at(blockIndex));
    model::ReadResult read = readBlockText(opened.block.readerText(), game.path());
    for (int i = 0; i < read.animation.rowCount(); ++i)
        read.animation.frames[i].sourceId = opened.block.sourceIdOf(i);
    if (read.animation.frames.size() > read.animation.rowCount())
        read.animation.frames.last().extra.clear();
    opened.animation = read.animation;
    opened.finished = read.finished;
    return opened;
}

// The file after saving `animation` into the opened block; "error: ..." when refused.
QByteArray save(const Opened& opened, const model::Animation& animation)
{
    const model::AnimBlock* block = opened.block.locate(opened.script, true);
    if (!block)
        return "error: not found";
    const model::ComposedBlock composed = opened.block.compose(animation, opened.script, block, true);
    if (!composed.ok())
        return "error: " + composed.error.toUtf8();
    return opened.script.withBlockReplaced(*block, composed.bytes).bytes();
}

// The lines that differ: "-old" for each line gone, "+new" for each line
// come, from a longest common subsequence of the lines (line ends kept).
QStringList changedLines(const QByteArray& before, const QByteArray& after)
{
    const auto split = [](const QByteArray& bytes) {
        QList<QByteArray> lines;
        for (qsizetype start = 0; start < bytes.size();) {
            const qsizetype end = bytes.indexOf('\n', start);
            lines.append(bytes.mid(start, end < 0 ? -1 : end + 1 - start));
            start = end < 0 ? bytes.size() : end + 1;
        }
        return lines;
    };
    const QList<QByteArray> a = split(before), b = split(after);
    QList<QList<int>> common(a.size() + 1, QList<int>(b.size() + 1, 0));
    for (qsizetype i = a.size() - 1; i >= 0; --i)
        for (qsizetype j = b.size() - 1; j >= 0; --j)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : qMax(common[i + 1][j], common[i][j + 1]);
    QStringList changes;
    qsizetype i = 0, j = 0;
    const auto shown = [](const QByteArray& line) { return QString::fromUtf8(line).replace(u'\t', u' ').trimmed(); };
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i, ++j;
        } else if (i < a.size() && (j == b.size() || common[i + 1][j] >= common[i][j + 1])) {
            changes << u'-' + shown(a[i++]);
        } else {
            changes << u'+' + shown(b[j++]);
        }
    }
    return changes;
}

// The values each frame must read back as: those of reading its script
// text line by line (its frame paths need not name files).
QList<model::FrameRecord> scriptTextValues(const model::Animation& animation, const Game& game)
{
    const model::WriteResult written = model::writeScript(animation, game.folder("hero"), model::AttackKeywords::AsRead);
    QList<model::FrameRecord> values;
    model::FrameRecord state;
    for (const QString& line : written.text.split(QStringLiteral("\r\n")))
        if (model::applyScriptLine(line, state).kind == model::LineKind::Frame)
            values.append(state);
    return values;
}

// Reading the saved block gives the rows and the values the records stand for.
void verifyReadBack(const QByteArray& saved, int blockIndex, const model::Animation& animation, const Game& game)
{
    const Opened reread = open(saved, blockIndex, game);
    QVERIFY(reread.finished);
    QCOMPARE(reread.animation.rowCount(), animation.rowCount());
    const QList<model::FrameRecord> expected = model::resolvedValues(animation, model::FrameRecord());
    for (int i = 0; i < animation.rowCount(); ++i) {
        QCOMPARE(reread.animation.rows[i].toLower(), animation.rows[i].toLower());
        QVERIFY2(model::sameValues(reread.animation.frames[i], expected[i]), qPrintable(QString::number(i)));
    }
}

const QByteArray kHero = "name hero\r\n"
                         "anim idle\r\n"
                         "\tloop\t1\r\n"
                         "\tdelay\t10\r\n"
                         "\toffset 41 90   # feet on the ground\r\n"
                         "\tbbox 20 10 40 80 7\r\n"
                         "\tframe data/chars/hero/Idle01.gif\r\n"
                         "\tDELAY 12.5\r\n"
                         "\tattack 1 2 3 4 5 6 0 0 0 0 99\r\n"
                         "\tsound data/sounds/hit.wav\r\n"
                         "\tframe data/chars/hero/Idle02\r\n"
                         "\tFrame\tdata\\chars\\hero\\idle03.gif\r\n"
                         "\t# end of idle\r\n"
                         "anim walk\r\n"
                         "\tframe data/chars/hero/walk01.gif\r\n";

void setDelay(model::Animation& a, int row, qint16 delay)
{
    const qint16 old = a.frames[row].frameDelay;
    a.frames[row].frameDelay = delay;
    model::PropagateDelay(a, row, old);
}

model::FrameRecord newFrame(const model::Animation& a, const QString& folder)
{
    model::FrameRecord record = a.frames.value(a.rowCount());
    record.sourceId = 0;
    record.folder = folder;
    record.offsetX = 4;
    record.offsetY = 6;
    return record;
}

} // namespace

class TestBlockSave : public QObject {
    Q_OBJECT

private slots:
    void savesOnlyTheChange_data();
    void savesOnlyTheChange();
    void randomEditsKeepUntouchedLines();
    void findsTheOpenedBlockAgain();
};

void TestBlockSave::savesOnlyTheChange_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("block");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("changes");

    QTest::newRow("delay carried forward") << kHero << 0 << Edit([](model::Animation& a) { setDelay(a, 0, 7); })
                                           << QStringList{"-delay 10", "+delay 7"};
    QTest::newRow("delay not carried: the next frame states the old one")
        << kHero << 0 << Edit([](model::Animation& a) { a.frames[1].frameDelay = 13; a.frames[2].frameDelay = 13; })
        << QStringList{"-DELAY 12.5", "+DELAY 13"};
    QTest::newRow("anchor, comment kept; the next frame states the old one")
        << kHero << 0 << Edit([](model::Animation& a) { a.frames[0].offsetX = 42; })
        << QStringList{"-offset 41 90   # feet on the ground", "+offset 42 90   # feet on the ground",
                       "+offset 41 90"};
    QTest::newRow("box, extra number kept")
        << kHero << 0 << Edit([](model::Animation& a) { for (auto& f : a.frames) f.bodyBox.width = 44; })
        << QStringList{"-bbox 20 10 40 80 7", "+bbox 20 10 44 80 7"};
    QTest::newRow("attack, extra number kept")
        << kHero << 0 << Edit([](model::Animation& a) { a.frames[1].damage = 9; a.frames[2].damage = 9; })
        << QStringList{"-attack 1 2 3 4 5 6 0 0 0 0 99", "+attack 1 2 3 4 9 6 0 0 0 0 99"};
    QTest::newRow("frame added in the block's spelling")
        << kHero << 0 << Edit([](model::Animation& a) {
               a.frames.resize(a.rowCount());
               a.frames.append(newFrame(a, a.frames[0].folder));
               a.rows.append(QStringLiteral("walk01.gif"));
           })
        << QStringList{"+delay 0", "+offset 4 6", "+frame data/chars/hero/walk01.gif"};
    QTest::newRow("first frame deleted: the animation's lines stay")
        << kHero << 0 << Edit([](model::Animation& a) { a.removeFrame(0); })
        << QStringList{"-delay 10", "-offset 41 90   # feet on the ground", "-bbox 20 10 40 80 7",
                       "-frame data/chars/hero/Idle01.gif", "+offset 41 90", "+bbox 20 10 40 80"};
    QTest::newRow("frames moved: the moved frame states what it inherited")
        << kHero << 0 << Edit([](model::Animation& a) { a.swapFrames(1, 2); })
        << QStringList{"+delay 12", "+attack 1 2 3 4 5 6 0 0 0", "+Frame data\\chars\\hero\\idle03.gif",
                       "-Frame data\\chars\\hero\\idle03.gif"};
    QTest::newRow("the second of two animations named alike")
        << QByteArray("anim idle\n\tdelay 5\n\tframe data/chars/hero/idle01\nanim IDLE\n\tdelay 6\n"
                      "\tframe data/chars/hero/idle03\n")
        << 1 << Edit([](model::Animation& a) { setDelay(a, 0, 8); }) << QStringList{"-delay 6", "+delay 8"};
    QTest::newRow("GBK file, new line in GBK")
        << QByteArray("anim \xC5\xDC # \xC5\xDC\n\tdelay 5\n\tframe data/chars/hero/idle01\n") << 0
        << Edit([](model::Animation& a) { a.frames[0].extra.clear(); setDelay(a, 0, 8); })
        << QStringList{"-delay 5", "+delay 8"};
    QTest::newRow("byte-order mark, LF and mixed line ends")
        << QByteArray("\xEF\xBB\xBF" "anim idle\n\tdelay 5\r\n\tframe data/chars/hero/idle01\n\t# c\r\n") << 0
        << Edit([](model::Animation& a) { setDelay(a, 0, 8); }) << QStringList{"-delay 5", "+delay 8"};
    QTest::newRow("empty animation keeps its lines")
        << QByteArray("anim idle\n\tloop 1\n\trange 0 80\nanim walk\n") << 0 << Edit([](model::Animation& a) {
               const model::FrameRecord record = newFrame(a, QString());
               a.frames = {record};
               a.rows.append(QStringLiteral("idle01.gif"));
           })
        << QStringList{"+Delay 0", "+OffSet 4 6", "+Frame data\\chars\\hero\\idle01.gif"};
    QTest::newRow("frames from two folders, each keeps its own")
        << QByteArray("anim idle\n\tframe data/chars/hero/idle01\n\tframe data/chars/enemy/e01\n") << 0
        << Edit([](model::Animation& a) {
               a.frames.resize(a.rowCount());
               a.frames.append(newFrame(a, a.frames[1].folder));
               a.rows.append(QStringLiteral("e02.gif"));
           })
        << QStringList{"+offset 4 6", "+frame data/chars/enemy/e02.gif"};
}

void TestBlockSave::savesOnlyTheChange()
{
    QFETCH(QByteArray, file);
    QFETCH(int, block);
    QFETCH(Edit, edit);
    QFETCH(QStringList, changes);
    const Game game;
    const Opened opened = open(file, block, game);
    QVERIFY(opened.finished);
    if (opened.animation.hasFrames())
        QCOMPARE(save(opened, opened.animation), file);
    model::Animation edited = opened.animation;
    edit(edited);
    for (model::FrameRecord& record : edited.frames)
        if (record.folder.isEmpty())
            record.folder = game.folder("hero");
    const QByteArray saved = save(opened, edited);
    QVERIFY2(!saved.startsWith("error"), saved.constData());
    QCOMPARE(changedLines(file, saved).join(u" | "), changes.join(u" | "));
    verifyReadBack(saved, block, edited, game);
}

// Random animations in random spellings, random edits: reading the saved
// block gives the records' values, which are those of the script text (but
// for an extended box set while its box was off, which the script text
// cannot state); all
// before the first edited frame stays byte for byte, and so do the
// animation's own lines and the other lines of every frame that stays.
void TestBlockSave::randomEditsKeepUntouchedLines()
{
    const Game game;
    QRandomGenerator random(20261207);
    const QStringList sprites{"idle01", "Idle02.gif", "idle03", "walk01.gif"};
    const int rounds = qEnvironmentVariableIsSet("KES_ROUNDS") ? qEnvironmentVariableIntValue("KES_ROUNDS") : 300;
    for (int round = 0; round < rounds; ++round) {
        const auto pick = [&](const QStringList& list) { return list[random.bounded(int(list.size()))]; };
        const auto number = [&] { return QString::number(random.bounded(-5, 60)); };
        const QString gap = pick({" ", "\t", "  ", " \t"});
        const QString lineEnd = pick({"\r\n", "\n"});
        QStringList lines{"anim idle", "\tloop 1", "  range 0 80"};
        QList<QStringList> otherLines{{"\tloop 1", "  range 0 80"}};
        QList<int> frameLineEnds;
        const int frames = 1 + random.bounded(6);
        for (int f = 0; f < frames; ++f) {
            for (int k = random.bounded(5); k > 0; --k) {
                switch (random.bounded(7)) {
                case 0: lines << pick({"\tdelay", "\tDelay", "  DELAY"}) + gap + number() + pick({"", ".5", " # d"}); break;
                case 1: lines << pick({"\toffset", "\tOffSet"}) + gap + number() + u' ' + number(); break;
                case 2: lines << pick({"\tbbox", "\tBBox"}) + gap + pick({"0", number() + " 2 30 40 " + number()}); break;
                case 3: lines << pick({"\tattack", "\tblast", "\tFreeze", "\tattack3"}) + gap + pick({"0", "1 2 30 40 " + number() + " 1 0 0 5", "1 2 30 40 9 1 0 0 5 3 77"}); break;
                case 4: lines << pick({"\textabox", "\textbbox"}) + gap + pick({"0", "3 4 10 10"}); break;
                case 5: lines << pick({"\t# comment", "\tsound data/sounds/a.wav", "\t@cmd x"}); otherLines.last() << lines.last(); break;
                default: lines << pick({"\tbbox", "\tattack"}) + gap + number() + u' ' + number(); break;
                }
            }
            lines << pick({"\tframe ", "\tFrame\t", "\tFRAME  "}) + pick({"data/chars/hero/", "Data\\Chars\\Hero\\"}) + pick(sprites);
            frameLineEnds << int(lines.join(lineEnd).size() + lineEnd.size());
            otherLines << QStringList();
        }
        lines << pick({"\t# tail", "\tdelay 3"}) << "anim walk" << "\tframe data/chars/hero/walk01";
        otherLines.last() << lines[lines.size() - 3];
        const QByteArray file = lines.join(lineEnd).toUtf8() + "\n";
        const Opened opened = open(file, 0, game);
        QVERIFY2(opened.finished, file.constData());
        QVERIFY2(changedLines(file, save(opened, opened.animation)).isEmpty(), file.constData());

        model::Animation edited = opened.animation;
        int firstEdited = edited.rowCount();
        for (int e = random.bounded(1, 4); e > 0; --e) {
            const int row = random.bounded(edited.rowCount());
            firstEdited = qMin(firstEdited, row);
            model::FrameRecord& r = edited.frames[row];
            switch (random.bounded(7)) {
            case 0: setDelay(edited, row, qint16(random.bounded(1, 30))); break;
            case 1: r.offsetX = qint16(random.bounded(100)); break;
            case 2: r.bodyBox = {1, 2, qint16(random.bounded(1, 50)), 9}; r.bodyEmpty = model::BoxState::Normal; break;
            case 3: r.attackEmpty = random.bounded(2) ? model::BoxState::Empty : model::BoxState::Cleared; break;
            case 4: r.attackKind = pick({"Attack", "Blast", "Attack5"}); r.attackBox = {5, 5, 9, 9}; r.attackEmpty = model::BoxState::Normal; r.depth = qint16(random.bounded(2)); break;
            case 5: if (edited.rowCount() > 1) edited.removeFrame(row); break;
            default:
                if (row + 1 < edited.rowCount())
                    edited.swapFrames(row, row + 1);
                break;
            }
        }
        const QByteArray saved = save(opened, edited);
        QVERIFY2(!saved.startsWith("error"), saved.constData());
        verifyReadBack(saved, 0, edited, game);
        const QList<model::FrameRecord> resolved = model::resolvedValues(edited, model::FrameRecord());
        const QList<model::FrameRecord> scriptText = scriptTextValues(edited, game);
        for (int i = 0; i < edited.rowCount(); ++i)
            for (const model::ValueGroup group : {model::ValueGroup::Delay, model::ValueGroup::Offset,
                                                  model::ValueGroup::Attack, model::ValueGroup::Body})
                QVERIFY2(model::sameValues(group, scriptText[i], resolved[i]), qPrintable(QString::number(i)));

        const int unchanged = firstEdited == 0 ? 0 : frameLineEnds[firstEdited - 1];
        QVERIFY2(saved.startsWith(file.left(unchanged)), saved.constData());
        QStringList kept = otherLines.first() + otherLines.last();
        for (int i = 0; i < edited.rowCount(); ++i) // frame n has source id n + 1; frame 0's lines are the head
            if (edited.frames[i].sourceId > 1)
                kept += otherLines[int(edited.frames[i].sourceId) - 1];
        for (const QString& line : std::as_const(kept))
            QVERIFY2(saved.count((line + lineEnd).toUtf8()) >= kept.count(line), qPrintable(line));
    }
}

// The block is found again by its bytes after another program changed the
// file, and not at all when it no longer occurs exactly once.
void TestBlockSave::findsTheOpenedBlockAgain()
{
    const Game game;
    const Opened opened = open(kHero, 0, game);
    const model::CharacterScript moved("# new first line\r\n" + kHero);
    const model::AnimBlock* found = opened.block.locate(moved, false);
    QVERIFY(found && found->name == "idle" && found->lineStart > 0);
    const QByteArray idle = kHero.mid(kHero.indexOf("anim idle"), kHero.indexOf("anim walk") - kHero.indexOf("anim idle"));
    QVERIFY(!opened.block.locate(model::CharacterScript(kHero + idle), false));
    QVERIFY(!opened.block.locate(model::CharacterScript(QByteArray(kHero).replace("delay\t10", "delay\t11")), false));
}

QTEST_GUILESS_MAIN(TestBlockSave)
#include "TestBlockSave.moc"
