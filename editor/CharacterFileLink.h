#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace animbox {

// Where the animation being edited came from: the character file, the
// animation's block in it, the file's bytes as last read or written, and
// what the writer cannot give back (the lines after the last frame line,
// frames from several folders, a block that was not read completely).
class CharacterFileLink {
public:
    CharacterFileLink() = default;
    // A link to `animName` of `path`, whose block `blockText` was read
    // (`complete` when reading reached its end).
    CharacterFileLink(QString path, QString animName, QByteArray bytes, const QString& blockText, bool complete,
                      bool lossless);

    bool isOpen() const { return !m_path.isEmpty(); }
    const QString& path() const { return m_path; }
    const QString& animName() const { return m_animName; }
    const QByteArray& bytes() const { return m_bytes; }
    // The lines after the block's last frame line, CR LF line ends.
    const QString& trailingLines() const { return m_trailing; }

    // Why the animation cannot be written back; empty when it can.
    QString saveRefusal() const;

    // After a save: the file now holds `bytes` with the animation as `animName`.
    void saved(const QString& path, const QString& animName, const QByteArray& bytes);

private:
    QString m_path;
    QString m_animName;
    QByteArray m_bytes;
    QString m_trailing;
    QStringList m_folders;
    bool m_complete = true;
    bool m_lossless = true;
};

} // namespace animbox
