#include "model/animation/Adjustment.h"

#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"

#include <algorithm>
#include <limits>

namespace model {

std::optional<OffsetStep> parseOffsetStep(QStringView command)
{
    const Int16Result dx = lenientInt16(KeyValue(command, u"x"));
    const Int16Result dy = lenientInt16(KeyValue(command, u"y"));
    if (!dx.ok() || !dy.ok())
        return std::nullopt;
    return OffsetStep{dx.value, dy.value};
}

int adjustOffsets(Animation& animation, OffsetStep step)
{
    const int rows = std::min(animation.rowCount(), int(animation.frames.size()));
    QList<OffsetStep> moved(rows);
    for (int i = 0; i < rows; ++i) {
        const FrameRecord& record = animation.frames[i];
        const auto x = addInt16(record.offsetX, step.dx);
        const auto y = addInt16(record.offsetY, step.dy);
        if (!x || !y)
            return i;
        moved[i] = {*x, *y};
    }
    for (int i = 0; i < rows; ++i) {
        animation.frames[i].offsetX = moved[i].dx;
        animation.frames[i].offsetY = moved[i].dy;
    }
    return -1;
}

int playbackWait(qint16 frameDelay)
{
    const int wait = int(frameDelay) * 10 - 10;
    if (wait < 0)
        return 1;
    return std::min(wait, int(std::numeric_limits<qint16>::max()));
}

std::optional<qint16> draggedOffset(double pressPosition, double pointerPosition, qint16 pressOffset)
{
    return toInt16(pressPosition - pointerPosition + pressOffset);
}

std::optional<Box> boxFromBand(const QRect& band, QPoint spriteCorner)
{
    const auto x = toInt16(double(band.x()) - spriteCorner.x());
    const auto y = toInt16(double(band.y()) - spriteCorner.y());
    const auto width = toInt16(band.width());
    const auto height = toInt16(band.height());
    if (!x || !y || !width || !height)
        return std::nullopt;
    return Box{*x, *y, *width, *height};
}

} // namespace model
