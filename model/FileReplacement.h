#pragma once

#include <QByteArray>
#include <QString>

namespace model {

// Writes `contents` to `path` beside it and renames it over the old file,
// so that a failure leaves the old file whole. Returns an empty text on
// success, otherwise a message that names the file and says why.
QString writeFileAtomically(const QString& path, const QByteArray& contents);

// Replaces the file at `path` with `contents` so that a failure part-way
// leaves the old file whole: the new contents are written beside it and
// renamed over it. The previous contents, `previous`, are first kept as
// `path` + ".bak" (also written atomically). Returns an empty text on
// success, otherwise a message that names the file and says why.
QString replaceFile(const QString& path, const QByteArray& contents, const QByteArray& previous);

// Reads a whole file; on failure returns an empty array and sets `error`.
QByteArray readWholeFile(const QString& path, QString* error);

} // namespace model
