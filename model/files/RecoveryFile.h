#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace model {

// What an editor keeps of unsaved work so that it can be restored after a
// crash: the script text and where it came from, and what else the editor
// needs. The classic editor uses only `file`, `text` and the state of the
// file; the frame editor keeps its records and its file link in `state`.
struct RecoveryData {
    QString text;          // script text, CR LF line ends
    QString gameFolder;    // the folder that holds the game's data folder
    QString browserFolder; // the folder of the frame images
    QString file;          // the character file it was opened from, or empty
    QString animName;      // the animation in that file, or empty
    QStringList rows;      // the frame list
    QJsonObject state;     // the editor's own: records, the file link
    // The file's bytes as last opened or saved and the encoding they were
    // read in; nullopt and empty in files written before they were kept.
    std::optional<QByteArray> fileBytes;
    QString fileEncoding;

    friend bool operator==(const RecoveryData&, const RecoveryData&) = default;
};

// The recovery file of one window: a small JSON document in the per-user
// data folder, named and locked by model::RecoverySlot.
class RecoveryFile {
public:
    explicit RecoveryFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    bool exists() const;

    // Writes atomically; returns false when the file could not be written.
    bool write(const RecoveryData& data) const;
    // The kept data; nullopt and `error` set when the file cannot be read
    // or is damaged.
    std::optional<RecoveryData> read(QString* error) const;
    // read(), but a file that cannot be read is moved out of the way (to
    // path + ".damaged") so that the next start does not meet it again,
    // and `error` says so.
    std::optional<RecoveryData> readOrSetAside(QString* error) const;
    void remove() const;

private:
    QString m_path;
};

} // namespace model
