#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace animbox {

// The character file open in the window as it was last read or written:
// its path, its bytes when this run read or wrote them, and always their
// digest, so that a save can tell whether another program changed the file
// since.
class CharacterFileLink {
public:
    CharacterFileLink() = default;
    CharacterFileLink(QString path, QByteArray bytes);

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }
    // The file as last read or written; empty when only its digest is known.
    const QByteArray& bytes() const { return m_bytes; }
    // Whether `bytes` are the file as last read or written.
    bool isUnchanged(const QByteArray& bytes) const;

    // After a save: the file at `path` now holds `bytes`.
    void saved(const QString& path, const QByteArray& bytes);

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
};

} // namespace animbox
