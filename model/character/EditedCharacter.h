#pragma once

#include "model/character/CharacterScript.h"
#include "model/character/OpenedBlock.h"

#include <QHash>
#include <QJsonObject>

#include <functional>
#include <memory>

namespace model {

// One animation of a character file as the author has it now.
struct AnimationEntry {
    quint32 id = 0;
    QString name;     // shown, and written on its "anim" line
    QString fileName; // the name on the "anim" line of its block as last read, written or made
    int block = -1;   // its block in the file as last read or written; -1 when not in it
    QByteArray bytes; // not in the file: its block, "anim" line first
    bool removed = false;
    // Whether reading its block reached the end, so that writing it back
    // keeps every frame.
    bool complete = true;
    // Made when the animation is first opened; shared between copies of
    // the list, so that all of them know the lines read.
    std::shared_ptr<OpenedBlock> opened;

    bool isInFile() const { return block >= 0; }
    bool isRenamed() const { return name != fileName; }
};

// The file a save writes, made from the file's current bytes, and which
// entry each of its blocks holds (0 for a block none holds, which another
// program put there).
struct CharacterComposition {
    QByteArray bytes;
    QString error;
    QList<quint32> blockEntries;
    bool ok() const { return error.isEmpty(); }
};

// The animations of one character file as edited: the blocks of the file
// as last read or written, in file order, with the animations added since
// (new, or copies), renamed and deleted. Entries keep their id for as long
// as the file is open; a deleted one stays in the list, marked removed, so
// that undoing the deletion puts it back in its place, also after a save.
// Builds the file a save writes out of the file's current bytes, changing
// only the blocks touched: the edited animations, each composed so that
// only its changed lines change, and the structural changes.
class EditedCharacter {
public:
    EditedCharacter() = default;
    // Every block of `file` is an entry.
    explicit EditedCharacter(CharacterScript file);

    const CharacterScript& file() const { return m_file; }
    TextEncoding encoding() const { return m_file.encoding(); }
    const QList<AnimationEntry>& entries() const { return m_entries; }
    const AnimationEntry* entry(quint32 id) const;
    int indexOf(quint32 id) const;
    // The ids of the entries not removed, in order.
    QList<quint32> shownIds() const;
    // The block of an entry as last read, written or made, "anim" line first.
    QByteArrayView bytesOf(const AnimationEntry& entry) const;
    int frameCountOf(const AnimationEntry& entry) const;

    // Why `name` cannot name an animation (blanks, "#", a name another
    // shown animation than `except` has, letter case ignored, or a
    // character the file's encoding cannot write); empty when it can.
    QString nameProblem(const QString& name, quint32 except = 0) const;

    // Structural changes. A new entry holds `block` (with its "anim" line)
    // at list position `index`; its id is returned.
    quint32 insert(int index, const QByteArray& block);
    void setRemoved(quint32 id, bool removed);
    void rename(quint32 id, const QString& name);
    // An empty block named `name`, in the file's encoding and line ends.
    std::optional<QByteArray> emptyBlock(const QString& name) const;

    // The entry's opened block, made from its bytes when first asked for.
    OpenedBlock& open(quint32 id);
    void setComplete(quint32 id, bool complete);

    // The block an entry would be written as: its "anim" line with its
    // name, and its lines, or (`edited` given) the animation composed into
    // them. Error texts name the animation.
    std::optional<QByteArray> blockFor(const AnimationEntry& entry, const Animation* edited, QString* error) const;

    // The file to write, made from `current`, the file as it is now: every
    // block an entry holds that changed is found where it was when the file
    // is as last read or written, else by its bytes, which must occur
    // exactly once; `edited` holds the animations with unsaved edits.
    CharacterComposition compose(const QByteArray& current, const QHash<quint32, const Animation*>& edited) const;
    // After `composition` was written: the file now holds `written`. The
    // entries of its blocks keep their ids; entries not found again are
    // dropped; removed ones stay removed, outside the file.
    void saved(const CharacterScript& written, const CharacterComposition& composition,
               const QHash<quint32, const Animation*>& edited);

    // The shown entry whose block holds line `line` (1-based) of `bytes`,
    // when `bytes` are the file as last read or written; else the first
    // shown entry named `name`. 0 when none.
    quint32 entryAtLine(QByteArrayView bytes, int line, QStringView name) const;

    // What a recovery file keeps: the entries that differ from the file,
    // those with an id in `edited` with their opened blocks, and those that
    // added animations follow; and the file's encoding.
    QJsonObject toJson(const QList<quint32>& edited) const;
    // The entries of `json` restored onto `current`, the file as it is now
    // (`asWritten` when it is the file they were kept from). Entries whose
    // block is no longer there exactly once are named in `lost`; those of
    // them that were edited come back as new animations at the end.
    struct Restored;
    static std::optional<Restored> restore(const QByteArray& current, TextEncoding encoding, const QJsonObject& json,
                                           bool asWritten);

private:
    AnimationEntry& entryRef(quint32 id);
    // Which entries a save writes anew or writes beside, or a recovery
    // file keeps: in the file, those removed, renamed, edited, or followed
    // by added ones (the first also when added ones come before it); and
    // the added ones shown.
    QList<bool> touched(const std::function<bool(quint32)>& isEdited) const;
    // The block of `script` whose bytes, "anim" line first, are `bytes`: the
    // one at `position`, else the only one; -1 when there is none.
    static int findBlock(const CharacterScript& script, QByteArrayView bytes, qsizetype position);
    // For each entry, its block in `script`, or -1 when it is not found or
    // another entry is found there too.
    QList<int> locateAll(const CharacterScript& script, bool sameFile) const;

    CharacterScript m_file{QByteArray()};
    QList<AnimationEntry> m_entries;
    quint32 m_nextId = 1;
};

struct EditedCharacter::Restored {
    EditedCharacter character;
    QStringList lost;
    QStringList appended;
};

} // namespace model
