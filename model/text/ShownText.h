#pragma once

#include <QString>

namespace model {

// Text from a file, an archive or a path as it may be shown to the author:
// each bidirectional control character (embeddings, overrides, isolates,
// the direction marks) is written out as "[U+202E]", so that a name cannot
// reorder the message it is shown in (a name "txt.exe" stays "txt.exe").
// Shown as plain text, the result can neither restyle the message.
QString withVisibleBidiControls(const QString& text);

} // namespace model
