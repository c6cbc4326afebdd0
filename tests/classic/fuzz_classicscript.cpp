#include "classic/ClassicScript.h"

#include <cstddef>
#include <cstdint>

// Feeds arbitrary script text, frame names and lines to the text model. The
// input is split at the first two NUL bytes into text, name and line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList parts = input.split(QChar(0));
    const QString text = parts.value(0);
    const QString name = parts.value(1);
    const QString line = parts.value(2);

    classic::findLastKeywordLine(text, u"offset", name);
    classic::findFrameKeywordLine(text, u"frame", name);
    const QString changed = classic::setFrameLine(text, name, line);
    // A changed text always holds the line that was set.
    if (changed != text && !changed.contains(line.trimmed()))
        __builtin_trap();
    classic::insertDefinition(text, name, line);
    classic::listFramesFromText(text);
    classic::parseOffsetLine(line);
    classic::lineValues(line, 4);
    classic::delayMilliseconds(line);
    classic::Offset current;
    classic::shiftAllOffsets(text, {name, name}, 1, -1, current);
    return 0;
}
