#pragma once

#include "model/character/BlockComposer.h"
#include "model/character/CharacterScript.h"

#include <QJsonObject>

namespace model {

// An animation block opened from a character file, for writing it back so
// that a save changes only what the author changed. It knows where the
// block lay and its bytes (with its "anim" line) as read or last written,
// and the lines of every frame read from it by the frame's source id. It
// keeps the lines of frames no longer in the block too, so that a frame an
// undo brings back is written with its own lines again.
class OpenedBlock {
public:
    OpenedBlock() = default;
    // The block of `script`; its frames are numbered from 1 up.
    OpenedBlock(const CharacterScript& script, const AnimBlock& block);

    const QString& name() const { return m_name; }
    // The block's text as the script reader takes it.
    const QString& readerText() const { return m_readerText; }
    // The source id of the frame read from the block's `index`-th frame line.
    quint32 sourceIdOf(int index) const;
    TextEncoding encoding() const { return m_source.encoding; }

    // The bytes of the block rewritten for `animation`: into the block
    // itself, or (`target` given) over another block, whose head and tail
    // stay, or as a new block (`target` null, `own` false). `script` is the
    // file written into; a file other than the one read gets the frames'
    // lines in its own encoding and line ends.
    ComposedBlock compose(const Animation& animation, const CharacterScript& script, const AnimBlock* target,
                          bool sameFile) const;

    // After a save: the file now holds `block` of `script`, written from
    // `animation`, whose rows keep their source ids.
    void saved(const CharacterScript& script, const AnimBlock& block, const Animation& animation);
    // After a save that left its frames as they were: the block is now
    // `block` of `script` (renamed, or moved by the changes around it).
    void moved(const CharacterScript& script, const AnimBlock& block);

    // What it knows, as JSON for the recovery file, and back; nullopt when
    // the JSON is not such a block.
    QJsonObject toJson() const;
    static std::optional<OpenedBlock> fromJson(const QJsonObject& json);

private:
    void take(const CharacterScript& script, const AnimBlock& block, const QList<quint32>& ids);

    QString m_name;
    QByteArray m_bytes; // the block with its "anim" line, as in the file
    qsizetype m_position = 0; // where the block began when read; kept in the recovery file
    QString m_readerText;
    QList<quint32> m_ids; // the source ids of the block's frames, in order
    BlockSource m_source;
    quint32 m_nextId = 1;
};

} // namespace model
