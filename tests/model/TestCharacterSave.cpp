// Saving a character file as an author edits it, each case a folder below
// cases/save/: file.txt, the file as opened; edits.txt, one edit a line (see
// Editing::apply); current.txt, the file when saved if another program changed
// it; expected.txt, the bytes saved or "error: " and the start of the message.
// Random animations and edits too: only the lines of the change differ.

#include "../FileBytes.h"
#include "ModelFixtures.h"
#include "model/character/EditedCharacter.h"
#include "model/character/FrameValues.h"
#include "model/animation/Propagation.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"

#include <QDir>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A game folder with empty sprite files: the reader only needs them to exist.
const QTemporaryDir& game()
{
    static const QTemporaryDir dir;
    if (!QFile::exists(dir.filePath(QStringLiteral("data"))))
        for (const char* name : {"idle01.gif", "Idle02.gif", "idle03.gif", "walk01.gif", "a.gif", "b.gif"})
            testfiles::writeFile(dir.filePath(QStringLiteral("data/chars/hero/") + QLatin1String(name)), {});
    return dir;
}

QString heroFolder() { return game().filePath(QStringLiteral("data/chars/hero")); }

// The values each frame must read back as: those of reading its script
// text line by line (its frame paths need not name files).
QList<model::FrameRecord> scriptTextValues(const model::Animation& animation)
{
    const model::WriteResult written = model::writeScript(animation, heroFolder(), model::AttackKeywords::AsRead);
    QList<model::FrameRecord> values;
    model::FrameRecord state;
    for (const QString& line : written.text.split(QStringLiteral("\r\n")))
        if (model::applyScriptLine(line, state).kind == model::LineKind::Frame)
            values.append(state);
    return values;
}

void setDelay(model::Animation& a, int row, qint16 delay)
{
    const qint16 old = a.frames[row].frameDelay;
    a.frames[row].frameDelay = delay;
    model::PropagateDelay(a, row, old);
}

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

    // Opens the animation as the editor does (frames numbered by the lines
    // they came from, every image a blank picture) for the edits that follow;
    // written back unchanged it gives its block again.
    void open(const QString& name)
    {
        m_open = id(name);
        QVERIFY2(m_open, qPrintable(name));
        const model::OpenedBlock& block = character.open(m_open);
        model::ReadResult read = model::readScript(block.readerText(), game().path(), [](const QString&, QString*) {
            return QImage(8, 8, QImage::Format_RGB32);
        });
        QVERIFY2(read.finished, character.file().bytes().constData());
        for (int i = 0; i < read.animation.rowCount(); ++i)
            read.animation.frames[i].sourceId = block.sourceIdOf(i);
        if (read.animation.frames.size() > read.animation.rowCount())
            read.animation.frames.last().extra.clear();
        const model::AnimationEntry& entry = *character.entry(m_open);
        QString error;
        const std::optional<QByteArray> unchanged = character.blockFor(entry, &read.animation, &error);
        if (read.animation.hasFrames() && !entry.isRenamed())
            QCOMPARE(unchanged.value_or(error.toUtf8()), character.bytesOf(entry));
        m_edited[m_open] = read.animation;
    }
    model::Animation& edited() { return m_edited[m_open]; }
    const QHash<quint32, model::Animation>& allEdited() const { return m_edited; }

    // One edit: "open NAME"; for the animation opened last, "set ROW FIELD
    // VALUE" (a field as ModelFixtures dumps it), "remove ROW", "swap ROW
    // ROW", "append SPRITE" (a fresh frame); "rename NAME NEW", "duplicate
    // NAME COPY", "delete NAME", "add NAME" (an empty animation at the end);
    // "restore [LOST...]", the edits kept in a recovery file and restored
    // onto `current`, losing the animations named.
    void apply(const QString& edit, const QByteArray& current)
    {
        const QStringList word = edit.split(u' ');
        const int row = word.value(1).toInt();
        if (word[0] == u"open") {
            open(word[1]);
        } else if (word[0] == u"set") {
            QVERIFY2(modeltest::setField(edited().frames[row], word[2], word.mid(3).join(u' ')), qPrintable(edit));
        } else if (word[0] == u"remove") {
            edited().removeFrame(row);
        } else if (word[0] == u"swap") {
            edited().swapFrames(row, word[2].toInt());
        } else if (word[0] == u"append") {
            edited().frames.resize(edited().rowCount());
            edited().frames.append(model::FrameRecord());
            edited().frames.last().folder = heroFolder();
            edited().rows.append(word[1]);
        } else if (word[0] == u"rename") {
            character.rename(id(word[1]), word[2]);
        } else if (word[0] == u"duplicate") {
            duplicate(word[1], word[2]);
        } else if (word[0] == u"delete") {
            character.setRemoved(id(word[1]), true);
        } else if (word[0] == u"add") {
            character.insert(int(character.entries().size()), *character.emptyBlock(word[1]));
        } else if (word[0] == u"restore") {
            restore(current, word.mid(1));
        } else {
            QFAIL(qPrintable(edit));
        }
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

    model::EditedCharacter character;

private:
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

    // The edited animations come back opened, their edits to be made again.
    void restore(const QByteArray& current, const QStringList& lost)
    {
        QStringList names;
        for (const quint32 id : m_edited.keys())
            names << character.entry(id)->name;
        const QJsonObject kept = character.toJson(m_edited.keys());
        std::optional<model::EditedCharacter::Restored> restored
            = model::EditedCharacter::restore(current, character.encoding(), kept, current == character.file().bytes());
        QVERIFY(restored);
        QCOMPARE(restored->lost, lost);
        character = restored->character;
        m_edited.clear();
        for (const QString& name : names)
            QVERIFY2(id(name) && character.entry(id(name))->opened, qPrintable(name));
    }

    QHash<quint32, model::Animation> m_edited;
    quint32 m_open = 0;
};

// Reading the saved animation gives the rows and the values the records stand for.
void verifyReadBack(const QByteArray& saved, const QString& name, const model::Animation& animation)
{
    Editing reread(saved);
    reread.open(name);
    if (QTest::currentTestFailed())
        return;
    const model::Animation& read = reread.edited();
    QCOMPARE(read.rowCount(), animation.rowCount());
    const QList<model::FrameRecord> expected = model::resolvedValues(animation, model::FrameRecord());
    for (int i = 0; i < animation.rowCount(); ++i) {
        QCOMPARE(read.rows[i].toLower(), animation.rows[i].toLower());
        QVERIFY2(model::sameValues(read.frames[i], expected[i]), qPrintable(QString::number(i)));
    }
}

} // namespace

class TestCharacterSave : public QObject {
    Q_OBJECT

private slots:
    void savesTheEdits_data();
    void savesTheEdits();
    void randomEditsKeepUntouchedLines();
};

void TestCharacterSave::savesTheEdits_data()
{
    QTest::addColumn<QString>("folder");
    const QDir root(QStringLiteral(KES_SAVE_CASES_DIR));
    const QStringList cases = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QVERIFY(!cases.isEmpty());
    for (const QString& name : cases)
        QTest::newRow(qPrintable(name)) << root.filePath(name);
}

// Only the lines of a change differ, in the file's encoding and line ends;
// each block is found again in a file that changed meanwhile, or the save is
// refused; the saved animations read back as edited, and nothing is left to save.
void TestCharacterSave::savesTheEdits()
{
    QFETCH(QString, folder);
    const QByteArray file = testfiles::fileBytes(folder + QStringLiteral("/file.txt"));
    const QString currentPath = folder + QStringLiteral("/current.txt");
    const QByteArray current = QFile::exists(currentPath) ? testfiles::fileBytes(currentPath) : file;
    const QByteArray expected = testfiles::fileBytes(folder + QStringLiteral("/expected.txt"));
    Editing editing(file);
    const QByteArray edits = testfiles::fileBytes(folder + QStringLiteral("/edits.txt"));
    for (const QString& edit : QString::fromUtf8(edits).split(u'\n', Qt::SkipEmptyParts)) {
        editing.apply(edit, current);
        if (QTest::currentTestFailed())
            return;
    }
    const QHash<quint32, model::Animation> edited = editing.allEdited();
    const QByteArray written = editing.save(current);
    if (expected.startsWith("error: ")) {
        QVERIFY2(written.startsWith(expected), written.constData());
        return;
    }
    QCOMPARE(written, expected);
    for (auto it = edited.cbegin(); it != edited.cend(); ++it)
        verifyReadBack(written, editing.character.entry(it.key())->name, it.value());
    // The entries are the file's blocks again, so nothing is left to write.
    QCOMPARE(editing.character.shownIds().size(), model::CharacterScript(written).blocks().size());
    QCOMPARE(editing.save(written), written);
}

// Random animations in random spellings, random edits: reading the saved
// block gives the records' values, which are those of the script text (but
// for an extended box set while its box was off, which the script text
// cannot state); all before the first edited frame stays byte for byte, and
// so do the animation's own lines and the other lines of every frame that stays.
void TestCharacterSave::randomEditsKeepUntouchedLines()
{
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
        Editing editing(file);
        editing.open(QStringLiteral("idle"));
        if (QTest::currentTestFailed())
            return;

        model::Animation& edited = editing.edited();
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
        const QList<model::FrameRecord> resolved = model::resolvedValues(edited, model::FrameRecord());
        const QList<model::FrameRecord> scriptText = scriptTextValues(edited);
        for (int i = 0; i < edited.rowCount(); ++i)
            for (const model::ValueGroup group : {model::ValueGroup::Delay, model::ValueGroup::Offset,
                                                  model::ValueGroup::Attack, model::ValueGroup::Body})
                QVERIFY2(model::sameValues(group, scriptText[i], resolved[i]), qPrintable(QString::number(i)));
        const model::Animation animation = edited;
        const QByteArray saved = editing.save(file);
        QVERIFY2(!saved.startsWith("error"), saved.constData());
        verifyReadBack(saved, QStringLiteral("idle"), animation);
        const int unchanged = firstEdited == 0 ? 0 : frameLineEnds[firstEdited - 1];
        QVERIFY2(saved.startsWith(file.left(unchanged)), saved.constData());
        QStringList kept = otherLines.first() + otherLines.last();
        for (int i = 0; i < animation.rowCount(); ++i) // frame n has source id n + 1; frame 0's lines are the head
            if (animation.frames[i].sourceId > 1)
                kept += otherLines[int(animation.frames[i].sourceId) - 1];
        for (const QString& line : std::as_const(kept))
            QVERIFY2(saved.count((line + lineEnd).toUtf8()) >= kept.count(line), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(TestCharacterSave)
#include "TestCharacterSave.moc"
