#pragma once

#include <QString>

namespace pakunpack {

// Text that comes from a file, an archive entry or a path, made fit to be
// shown, as plain text: control characters, the line and paragraph
// separators and the bidirectional controls, which would reorder what
// follows them (showing "gpj<RLO>exe.txt" as "gpjtxt.exe"), are written as
// \uXXXX, so the text reads as it is.
QString shownText(const QString& text);

} // namespace pakunpack
