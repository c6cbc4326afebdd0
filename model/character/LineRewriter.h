#pragma once

#include "model/character/BlockLayout.h"
#include "model/character/FrameValues.h"

namespace model {

// Writes one group of a frame's values into a script line that already sets
// that group, keeping the line's spelling: its indentation, the keyword as it
// is spelt (unless the attack kind changes), the separators, and whatever
// follows the numbers the reader takes (extra numbers, a "#" comment). A
// number the line lacks is added after its last one.
QString rewriteLine(QStringView line, ValueGroup group, const FrameRecord& values);

// A new line that sets one group to `values`, spelt in `style`.
QString newGroupLine(ValueGroup group, const FrameRecord& values, const LineStyle& style);

// A new frame line for the image at `path` (below the data folder, "/" or
// "\" separated), spelt in `style`.
QString newFrameLine(const QString& path, const LineStyle& style);

} // namespace model
