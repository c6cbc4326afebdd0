#include "classic/script/ClassicScript.h"

#include <cstddef>
#include <cstdint>

// Feeds arbitrary script text, frame names and lines to the text model. The
// input is split at NUL bytes into text, name and line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList parts = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(QChar(0));
    const QString text = parts.value(0), name = parts.value(1), line = parts.value(2);
    const QString changed = classic::setFrameLine(text, name, line);
    // A changed text always holds the line that was set.
    if (changed != text && !changed.contains(line.trimmed()))
        __builtin_trap();
    classic::findFrameKeywordLine(text, u"frame", name);
    classic::insertDefinition(text, name, line);
    classic::listFramesFromText(text);
    classic::lineValues(line, 4);
    classic::delayMilliseconds(line);
    classic::Offset current;
    classic::shiftAllOffsets(text, {name, name}, 1, -1, current);
    return 0;
}
