// Saving a character file as edited: new, renamed, copied and deleted
// animations and edited ones written in one go into the file as it is
// now; blocks nobody touched keep every byte. Also the state after a save,
// and the recovery of the edits onto the file at the next start.

#include "model/character/EditedCharacter.h"
#include "model/script/ScriptReader.h"

#include <QDir>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

const QByteArray kFile = "name\thero\r\n"
                         "anim\tidle   # standing\r\n\tdelay\t5\r\n\tframe\tdata/chars/hero/a\r\n\r\n"
                         "anim walk\r\n\tframe\tdata/chars/hero/b\r\n"
                         "anim\tkick\r\n\tframe\tdata/chars/hero/a";

// The character as an author edits it: animations opened and edited.
class Editing {
public:
    explicit Editing(const QByteArray& bytes)
        : character(model::CharacterScript(bytes))
    {
        QDir(m_game.path()).mkpath(QStringLiteral("data/chars/hero"));
        for (const char* name : {"a.gif", "b.gif"}) {
            QFile sprite(m_game.filePath(QStringLiteral("data/chars/hero/") + QLatin1String(name)));
            sprite.open(QIODevice::WriteOnly);
        }
    }

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
        model::OpenedBlock& block = character.open(entry);
        model::ReadResult read = model::readScript(block.readerText(), m_game.path(), [](const QString&, QString*) {
            return QImage(4, 4, QImage::Format_RGB32);
        });
        for (int i = 0; i < read.animation.rowCount(); ++i) {
            read.animation.frames[i].sourceId = block.sourceIdOf(i);
            read.animation.frames[i].frameDelay = delay;
        }
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
    QTemporaryDir m_game;
    QHash<quint32, model::Animation> m_edited;
};

using Steps = std::function<void(Editing&)>;

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestEditedCharacter : public QObject {
    Q_OBJECT
private slots:
    void saveWritesTheChanges_data();
    void saveWritesTheChanges();
    void restoredOntoTheFile_data();
    void restoredOntoTheFile();
};

void TestEditedCharacter::saveWritesTheChanges_data()
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

void TestEditedCharacter::saveWritesTheChanges()
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

void TestEditedCharacter::restoredOntoTheFile_data()
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
void TestEditedCharacter::restoredOntoTheFile()
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
    const model::AnimationEntry* idle = nullptr;
    for (const model::AnimationEntry& entry : restored->character.entries())
        if (entry.name == u"idle")
            idle = &entry;
    QVERIFY(idle && idle->opened);
    editing.character = restored->character;
    editing.editDelay("idle", 7);
    QCOMPARE(editing.save(now), expected);
}

QTEST_GUILESS_MAIN(TestEditedCharacter)
#include "TestEditedCharacter.moc"
