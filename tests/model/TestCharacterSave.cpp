// Saving into a character file: one animation saved back into its block
// (only the lines of the change differ, also over random files and edits),
// and the edited character saved in one go, restored from recovery too.

#include "../FileBytes.h"
#include "model/character/EditedCharacter.h"
#include "model/character/OpenedBlock.h"
#include "model/character/FrameValues.h"
#include "model/animation/Propagation.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"
#include "model/text/TextHelpers.h"

#include <QDir>
#include <QJsonObject>
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
        for (const char* name : {"idle01.gif", "Idle02.gif", "idle03.gif", "walk01.gif", "a.gif", "b.gif"})
            testfiles::writeFile(hero() + u'/' + QLatin1String(name), {});
    }
    QString path() const { return m_dir.path(); }
    QString hero() const { return m_dir.filePath(QStringLiteral("data/chars/hero")); }

private:
    QTemporaryDir m_dir;
};

// Reads an opened block as the editor does: its frames numbered by the
// lines they came from, every image a blank picture.
model::ReadResult readOpened(const model::OpenedBlock& block, const Game& game)
{
    model::ReadResult read = model::readScript(block.readerText(), game.path(), [](const QString&, QString*) {
        return QImage(8, 8, QImage::Format_RGB32);
    });
    for (int i = 0; i < read.animation.rowCount(); ++i)
        read.animation.frames[i].sourceId = block.sourceIdOf(i);
    return read;
}

// The first block of a file opened as the editor opens it.
struct Opened {
    model::CharacterScript script;
    model::OpenedBlock block;
    model::Animation animation;
    bool finished = false;
};

Opened open(const QByteArray& bytes, const Game& game)
{
    Opened opened{model::CharacterScript(bytes), {}, {}};
    opened.block = model::OpenedBlock(opened.script, opened.script.blocks().at(0));
    model::ReadResult read = readOpened(opened.block, game);
    if (read.animation.frames.size() > read.animation.rowCount())
        read.animation.frames.last().extra.clear();
    opened.animation = read.animation;
    opened.finished = read.finished;
    return opened;
}

// The file after saving `animation` into the opened block; "error: ..." when refused.
QByteArray save(const Opened& opened, const model::Animation& animation)
{
    const model::AnimBlock& block = opened.script.blocks().at(0);
    const model::ComposedBlock composed = opened.block.compose(animation, opened.script, &block, true);
    if (!composed.ok())
        return "error: " + composed.error.toUtf8();
    return opened.script.withBlockReplaced(block, composed.bytes).bytes();
}

// The values each frame must read back as: those of reading its script
// text line by line (its frame paths need not name files).
QList<model::FrameRecord> scriptTextValues(const model::Animation& animation, const Game& game)
{
    const model::WriteResult written = model::writeScript(animation, game.hero(), model::AttackKeywords::AsRead);
    QList<model::FrameRecord> values;
    model::FrameRecord state;
    for (const QString& line : written.text.split(QStringLiteral("\r\n")))
        if (model::applyScriptLine(line, state).kind == model::LineKind::Frame)
            values.append(state);
    return values;
}

// Reading the saved block gives the rows and the values the records stand for.
void verifyReadBack(const QByteArray& saved, const model::Animation& animation, const Game& game)
{
    const Opened reread = open(saved, game);
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

// A frame after the last; its folder is the hero's.
model::FrameRecord newFrame(const model::Animation& a)
{
    model::FrameRecord record = a.frames.value(a.rowCount());
    record.sourceId = 0;
    record.folder.clear();
    record.offsetX = 4;
    record.offsetY = 6;
    return record;
}

// A character of three animations, the last without a line end.
const QByteArray kFile = "name\thero\r\n"
                         "anim\tidle   # standing\r\n\tdelay\t5\r\n\tframe\tdata/chars/hero/a\r\n\r\n"
                         "anim walk\r\n\tframe\tdata/chars/hero/b\r\n"
                         "anim\tkick\r\n\tframe\tdata/chars/hero/a";

// The character as an author edits it: animations opened and edited.
class Editing {
public:
    explicit Editing(const QByteArray& bytes) : character(model::CharacterScript(bytes)) {}

    quint32 id(const QString& name) const
    {
        for (const model::AnimationEntry& entry : character.entries())
            if (entry.name == name && !entry.removed)
                return entry.id;
        return 0;
    }

    // Opens the animation and changes every frame's delay to `delay`.
    void editDelay(const QString& name, qint16 delay)
    {
        const quint32 entry = id(name);
        model::ReadResult read = readOpened(character.open(entry), m_game);
        for (int i = 0; i < read.animation.rowCount(); ++i)
            read.animation.frames[i].frameDelay = delay;
        read.animation.frames.resize(read.animation.rowCount());
        m_edited[entry] = read.animation;
    }

    // Saves into `current`: the bytes written, or "error: " and why.
    QByteArray save(const QByteArray& current)
    {
        QHash<quint32, const model::Animation*> edited;
        for (auto it = m_edited.cbegin(); it != m_edited.cend(); ++it)
            edited.insert(it.key(), &it.value());
        const model::CharacterComposition written = character.compose(current, edited);
        if (!written.ok())
            return "error: " + written.error.toUtf8();
        character.saved(model::CharacterScript(written.bytes, character.encoding()), written, edited);
        m_edited.clear();
        return written.bytes;
    }

    // Copies the animation `name`, with its edits, as `copy` right after it.
    void duplicate(const QString& name, const QString& copy)
    {
        const quint32 source = id(name);
        model::AnimationEntry renamed = *character.entry(source);
        renamed.name = copy;
        QString error;
        const auto edited = m_edited.constFind(source);
        const std::optional<QByteArray> block
            = character.blockFor(renamed, edited == m_edited.cend() ? nullptr : &*edited, &error);
        QVERIFY2(block, qPrintable(error));
        character.insert(character.indexOf(source) + 1, *block);
    }

    model::EditedCharacter character;

private:
    Game m_game;
    QHash<quint32, model::Animation> m_edited;
};

using Steps = std::function<void(Editing&)>;

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestCharacterSave : public QObject {
    Q_OBJECT

private slots:
    void savesOnlyTheChange_data();
    void savesOnlyTheChange();
    void randomEditsKeepUntouchedLines();
    void saveWritesTheChanges_data();
    void saveWritesTheChanges();
    void restoredOntoTheFile_data();
    void restoredOntoTheFile();
};

void TestCharacterSave::savesOnlyTheChange_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QByteArray>("expected");

    const auto hero = [](const QByteArray& from, const QByteArray& to) { return QByteArray(kHero).replace(from, to); };
    const QByteArray idle02 = "\tframe data/chars/hero/Idle02", idle03 = "\tFrame\tdata\\chars\\hero\\idle03.gif\r\n";
    QTest::newRow("delay, box and attack: extra numbers kept, the next frame states its own delay")
        << kHero << Edit([](model::Animation& a) {
               for (auto& f : a.frames)
                   f.bodyBox.width = 44;
               a.frames[1].frameDelay = a.frames[2].frameDelay = 13;
               a.frames[1].damage = a.frames[2].damage = 9;
           })
        << hero("DELAY 12.5", "DELAY 13").replace("bbox 20 10 40", "bbox 20 10 44").replace("4 5 6 0", "4 9 6 0");
    QTest::newRow("anchor, comment kept; the next frame states the old one")
        << kHero << Edit([](model::Animation& a) { a.frames[0].offsetX = 42; })
        << hero("offset 41 90   #", "offset 42 90   #").replace(idle02, "\toffset\t41 90\r\n" + idle02);
    QTest::newRow("frame added in the block's spelling")
        << kHero << Edit([](model::Animation& a) {
               a.frames.resize(a.rowCount());
               a.frames.append(newFrame(a));
               a.rows.append(QStringLiteral("walk01.gif"));
           })
        << hero("\t# end", "\tdelay\t0\r\n\toffset\t4 6\r\n\tframe\tdata/chars/hero/walk01.gif\r\n\t# end");
    QTest::newRow("first frame deleted: the animation's lines stay")
        << kHero << Edit([](model::Animation& a) { a.removeFrame(0); })
        << hero(kHero.mid(kHero.indexOf("\tdelay\t10"), kHero.indexOf("\tDELAY") - kHero.indexOf("\tdelay\t10")), "")
               .replace(idle02, "\toffset\t41 90\r\n\tbbox\t20 10 40 80\r\n" + idle02);
    QTest::newRow("frames moved: the moved frame states what it inherited")
        << kHero << Edit([](model::Animation& a) { a.swapFrames(1, 2); })
        << hero(idle03, "").replace("\tDELAY", "\tdelay\t12\r\n\tattack\t1 2 3 4 5 6 0 0 0\r\n" + idle03 + "\tDELAY");
    QTest::newRow("byte-order mark, LF and mixed line ends")
        << QByteArray("\xEF\xBB\xBF" "anim idle\n\tdelay 5\r\n\tframe data/chars/hero/idle01\n\t# c\r\n")
        << Edit([](model::Animation& a) { setDelay(a, 0, 8); })
        << QByteArray("\xEF\xBB\xBF" "anim idle\n\tdelay 8\r\n\tframe data/chars/hero/idle01\n\t# c\r\n");
    QTest::newRow("empty animation keeps its lines")
        << QByteArray("anim idle\n\tloop 1\n\trange 0 80\nanim walk\n") << Edit([](model::Animation& a) {
               a.frames = {newFrame(a)};
               a.rows.append(QStringLiteral("idle01.gif"));
           })
        << QByteArray("anim idle\n\tloop 1\n\trange 0 80\n\tDelay\t0\n\tOffSet\t4 6\n"
                      "\tFrame\tdata\\chars\\hero\\idle01.gif\nanim walk\n");
}

void TestCharacterSave::savesOnlyTheChange()
{
    QFETCH(QByteArray, file);
    QFETCH(Edit, edit);
    QFETCH(QByteArray, expected);
    const Game game;
    const Opened opened = open(file, game);
    QVERIFY(opened.finished);
    if (opened.animation.hasFrames())
        QCOMPARE(save(opened, opened.animation), file);
    model::Animation edited = opened.animation;
    edit(edited);
    for (model::FrameRecord& record : edited.frames)
        if (record.folder.isEmpty())
            record.folder = game.hero();
    const QByteArray saved = save(opened, edited);
    QCOMPARE(saved, expected);
    verifyReadBack(saved, edited, game);
}

// Random animations in random spellings, random edits: reading the saved
// block gives the records' values, which are those of the script text (but
// for an extended box set while its box was off, which the script text
// cannot state); all
// before the first edited frame stays byte for byte, and so do the
// animation's own lines and the other lines of every frame that stays.
void TestCharacterSave::randomEditsKeepUntouchedLines()
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
        const Opened opened = open(file, game);
        QVERIFY2(opened.finished, file.constData());
        QCOMPARE(save(opened, opened.animation), file);

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
        verifyReadBack(saved, edited, game);
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

void TestCharacterSave::saveWritesTheChanges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QByteArray>("current"); // the file when saved; the file as read when empty
    QTest::addColumn<QByteArray>("expected");

    const QByteArray gbk = "anim \xCC\xF8 # \xCC\xF8\r\n\tframe\tdata/chars/hero/a\r\n";
    QTest::newRow("rename in GBK") << gbk << Steps([](Editing& e) { e.character.rename(e.id("跳"), "跑"); })
                                   << QByteArray() << QByteArray(gbk).replace("anim \xCC\xF8", "anim \xC5\xDC");
    QTest::newRow("copy of the last block, which has no line end")
        << kFile << Steps([](Editing& e) { e.duplicate("kick", "kick2"); }) << QByteArray()
        << kFile + "\r\nanim\tkick2\r\n\tframe\tdata/chars/hero/a";
    QTest::newRow("two edited animations, one renamed")
        << kFile << Steps([](Editing& e) {
               e.editDelay("idle", 7);
               e.editDelay("kick", 9);
               e.character.rename(e.id("kick"), "kick1");
           })
        << QByteArray()
        << QByteArray(kFile).replace("delay\t5", "delay\t7").replace("anim\tkick\r\n", "anim\tkick1\r\n\tdelay\t9\r\n");
    QTest::newRow("a copy of an edited animation holds the edits")
        << kFile << Steps([](Editing& e) {
               e.editDelay("walk", 3);
               e.duplicate("walk", "run");
           })
        << QByteArray() << QByteArray(kFile).replace("anim walk\r\n\tframe\tdata/chars/hero/b\r\n",
                                                    "anim walk\r\n\tdelay\t3\r\n\tframe\tdata/chars/hero/b\r\n"
                                                    "anim run\r\n\tdelay\t3\r\n\tframe\tdata/chars/hero/b\r\n");
    const QByteArray elsewhere = "# changed elsewhere\r\n" + QByteArray(kFile).replace("anim\tkick", "anim\tthrow\r\nanim\tkick");
    QTest::newRow("file changed by another program: blocks found by their bytes")
        << kFile << Steps([](Editing& e) {
               e.editDelay("idle", 7);
               e.character.setRemoved(e.id("kick"), true);
           })
        << elsewhere
        << QByteArray(elsewhere).replace("delay\t5", "delay\t7").replace("anim\tkick\r\n\tframe\tdata/chars/hero/a", "");
    QTest::newRow("a changed block found twice is refused by name")
        << kFile << Steps([](Editing& e) { e.character.rename(e.id("walk"), "go"); })
        << kFile + "\r\nanim walk\r\n\tframe\tdata/chars/hero/b\r\n" << QByteArray("error: 文件中找不到打开时的动画 walk");
    QTest::newRow("an untouched block found twice is no matter")
        << kFile << Steps([](Editing& e) { e.character.rename(e.id("idle"), "stand"); })
        << "\r\n" + kFile + "\r\nanim walk\r\n\tframe\tdata/chars/hero/b\r\n"
        << QByteArray("\r\n" + kFile + "\r\nanim walk\r\n\tframe\tdata/chars/hero/b\r\n").replace("\tidle ", "\tstand ");
}

void TestCharacterSave::saveWritesTheChanges()
{
    QFETCH(QByteArray, file);
    QFETCH(Steps, steps);
    QFETCH(QByteArray, current);
    QFETCH(QByteArray, expected);
    Editing editing(file);
    steps(editing);
    const QByteArray written = editing.save(current.isEmpty() ? file : current);
    if (expected.startsWith("error: ")) {
        QVERIFY2(written.startsWith(expected), written.constData());
        return;
    }
    QCOMPARE(written, expected);
    // The entries are the file's blocks again, so nothing is left to write.
    QCOMPARE(editing.character.shownIds().size(), model::CharacterScript(written).blocks().size());
    QCOMPARE(editing.save(written), written);
}

void TestCharacterSave::restoredOntoTheFile_data()
{
    QTest::addColumn<QByteArray>("now");      // the file at the next start
    QTest::addColumn<QByteArray>("expected"); // saved after the restore
    QTest::addColumn<QStringList>("lost");

    const QByteArray edited = QByteArray(kFile).replace("delay\t5", "delay\t7").replace("anim walk", "anim go") + "\r\nanim\tnew\r\n";
    QTest::newRow("file as it was") << kFile << edited << QStringList();
    QTest::newRow("file changed elsewhere") << "# x\r\n" + kFile << "# x\r\n" + edited << QStringList();
    QTest::newRow("file without the edited animation and the renamed one")
        << QByteArray("anim\tkick\r\n\tframe\tdata/chars/hero/a")
        << QByteArray("anim\tkick\r\n\tframe\tdata/chars/hero/a\r\nanim\tnew\r\n"
                      "anim\tidle   # standing\r\n\tdelay\t7\r\n\tframe\tdata/chars/hero/a\r\n\r\n")
        << QStringList{"go"};
}

// What a recovery file keeps, restored onto the file at the next start,
// saves as the edits would have been saved.
void TestCharacterSave::restoredOntoTheFile()
{
    QFETCH(QByteArray, now);
    QFETCH(QByteArray, expected);
    QFETCH(QStringList, lost);
    Editing editing(kFile);
    editing.editDelay("idle", 7);
    editing.character.rename(editing.id("walk"), "go");
    editing.character.insert(int(editing.character.entries().size()), *editing.character.emptyBlock("new"));
    const QJsonObject kept = editing.character.toJson({editing.id("idle")});

    std::optional<model::EditedCharacter::Restored> restored
        = model::EditedCharacter::restore(now, model::TextEncoding::Utf8, kept, now == kFile);
    QVERIFY(restored);
    QCOMPARE(restored->lost, lost);
    editing.character = restored->character;
    const model::AnimationEntry* idle = editing.character.entry(editing.id("idle"));
    QVERIFY(idle && idle->opened);
    editing.editDelay("idle", 7);
    QCOMPARE(editing.save(now), expected);
}

QTEST_GUILESS_MAIN(TestCharacterSave)
#include "TestCharacterSave.moc"
