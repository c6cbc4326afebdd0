#pragma once

#include <QString>

namespace model {

// Finds the file `relative` (parts separated by "/" or "\") below `base`.
// The exact path wins; otherwise each part is matched without regard to
// letter case, as on a file system that ignores case. Returns the real path
// on disk, or an empty text when there is no such file. Parts "." and ".."
// and absolute paths are refused, so a script cannot reach outside `base`.
QString findFileIgnoringCase(const QString& base, const QString& relative);

// Joins a folder and a file name with the platform's separator.
QString joinPath(const QString& folder, const QString& name);

} // namespace model
