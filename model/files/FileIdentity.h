#pragma once

#include <QFileDevice>
#include <QString>

#include <optional>

namespace model {

// What a save keeps of the file it replaces: its permission bits, its owner
// and group, and how many names (hard links) share its contents. The calls
// below hide the system's own: POSIX on Unix, Qt's portable calls elsewhere.
struct FileIdentity {
    uint mode = 0;                        // POSIX permission bits (0777), on Unix
    QFileDevice::Permissions permissions; // the permissions elsewhere
    uint owner = 0;
    uint group = 0;
    quint64 links = 1;

    // The identity of the file at `path`, links followed; nullopt when no
    // file is there.
    static std::optional<FileIdentity> of(const QString& path);

    // Gives the open `file` this identity's owner and group; false when
    // this user may not (the file keeps the saver's own).
    bool giveOwnerTo(QFileDevice& file) const;
    // Gives the open `file` this identity's permission bits.
    bool giveModeTo(QFileDevice& file) const;
};

// Flushes the open `file` and waits until the system has it on disk;
// otherwise returns the system's reason.
QString syncToDisk(QFileDevice& file);

// Renames `from` to `to`, replacing whatever is at `to`: a link there is
// replaced, never followed. Returns the system's reason on failure.
QString renameOver(const QString& from, const QString& to);

} // namespace model
