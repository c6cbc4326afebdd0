#pragma once

#include "model/OpenedBlock.h"

#include <QByteArray>
#include <QString>

namespace animbox {

// Where the animation being edited came from: the character file, its
// bytes as last read or written, and the block opened in it, which knows
// the lines of every frame read so that a save changes only what changed.
class CharacterFileLink {
public:
    CharacterFileLink() = default;
    // A link to `block` of the file at `path` holding `bytes`; `complete`
    // when reading the block reached its end.
    CharacterFileLink(QString path, QByteArray bytes, model::OpenedBlock block, bool complete);

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }
    const QString& animName() const { return m_block.name(); }
    const QByteArray& bytes() const { return m_bytes; }
    const model::OpenedBlock& block() const { return m_block; }

    // Why the animation cannot be written back; empty when it can.
    QString saveRefusal() const;

    // After a save: the file at `path` now holds `script`, the animation
    // `animation` written as its `block`.
    void saved(const QString& path, const model::CharacterScript& script, const model::AnimBlock& block,
               const model::Animation& animation);

private:
    QString m_path;
    QByteArray m_bytes;
    model::OpenedBlock m_block;
    bool m_complete = true;
};

} // namespace animbox
