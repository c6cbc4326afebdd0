#pragma once

#include <QByteArray>
#include <QString>

namespace model {

// Writes `contents` to a new file beside `path` and renames it over the old
// file, so that a failure leaves the old file whole. A link at `path` is
// followed to the file it names; that file keeps its permission bits (and
// its owner and group where this user may set them). Returns an empty text
// on success, otherwise a message that names the file and gives the
// system's reason.
QString writeFileAtomically(const QString& path, const QByteArray& contents);

// Replaces the file at `path` with `contents`. The previous contents,
// `previous`, are first kept as `path` + ".bak": a new file with the file's
// permission bits that takes the place of whatever was at that name (a
// link is replaced, never written through). Then the new contents are
// written beside the file and renamed over it; a file with other names
// (hard links), or whose owner or group this user may not give a new file,
// is instead rewritten in place, and put back as it was when that fails.
// Returns an empty text on success, otherwise a message that names the
// file, gives the system's reason and says whether the file is unchanged.
QString replaceFile(const QString& path, const QByteArray& contents, const QByteArray& previous);

// Reads a whole file; on failure returns an empty array and sets `error`.
QByteArray readWholeFile(const QString& path, QString* error);

} // namespace model
