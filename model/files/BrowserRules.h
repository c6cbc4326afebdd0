#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace model {

// The file-list pattern for a text typed into the pattern box: a text with
// ";" is used as it stands, a text ending in "*" or "?" gets ".gif", any
// other text (also an empty one) gets "*.gif".
QString patternFromText(const QString& text);

// The patterns of a pattern text, split at ";" with empty parts dropped.
QStringList splitPatterns(const QString& pattern);

// Whether `name` matches `pattern` as a whole, "*" any run, "?" one
// character, without regard to letter case.
bool matchesPattern(const QString& name, const QString& pattern);

// Position of the game's data folder in a folder path, or -1: a folder
// qualifies as below the game's data folder when this is not -1. The last
// path component that is exactly "data" (any case) is that folder, so that a
// parent such as /media/u/Data or /home/u/metadata does not count; only a
// path without such a component falls back to its first "data" anywhere.
qsizetype dataFolderIndex(QStringView folder);
inline bool isDataFolder(QStringView folder) { return dataFolderIndex(folder) >= 0; }

// The game folder of a path below the data folder: the part before the
// first "data", without the separator before it; empty when there is none.
QString gameFolderOf(QStringView path);

} // namespace model
