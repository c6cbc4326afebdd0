#pragma once

#include "model/OpenedBlock.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace animbox {

// Where the animation being edited came from: the character file, the
// state of that file when it was last read or written (its bytes when this
// run read them, and always their digest), and the block opened in it,
// which knows the lines of every frame read so that a save changes only
// what changed.
class CharacterFileLink {
public:
    CharacterFileLink() = default;
    // A link to `block` of the file at `path` holding `bytes`; `complete`
    // when reading the block reached its end.
    CharacterFileLink(QString path, QByteArray bytes, model::OpenedBlock block, bool complete);

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }
    const QString& animName() const { return m_block.name(); }
    // The file as last read or written; empty when only its digest is known.
    const QByteArray& bytes() const { return m_bytes; }
    const model::OpenedBlock& block() const { return m_block; }
    // Whether `bytes` are the file as last read or written.
    bool isUnchanged(const QByteArray& bytes) const;

    // Why the animation cannot be written back; empty when it can.
    QString saveRefusal() const;

    // After a save: the file at `path` now holds `script`, the animation
    // `animation` written as its `block`.
    void saved(const QString& path, const model::CharacterScript& script, const model::AnimBlock& block,
               const model::Animation& animation);

    // What it knows, for the recovery file; the bytes are not kept.
    QJsonObject toJson() const;
    // A link restored from the recovery file onto the file as it is now
    // (`bytes`, empty when it is gone); nullopt when the JSON is damaged.
    static std::optional<CharacterFileLink> fromJson(const QJsonObject& json, const QByteArray& bytes);

private:
    QByteArray digest() const;

    QString m_path;
    QByteArray m_bytes;
    // The digest of the file as last read or written: made when first asked
    // for; given, for a link restored onto a file that may have changed.
    mutable QByteArray m_digest;
    bool m_bytesAreLastState = true; // `m_bytes` are the file as last read or written
    model::OpenedBlock m_block;
    bool m_complete = true;
};

} // namespace animbox
