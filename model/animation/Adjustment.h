#pragma once

#include "model/animation/Animation.h"

#include <QPointF>
#include <QRect>
#include <QStringView>

#include <optional>

namespace model {

// A move of every anchor point, in sprite pixels.
struct OffsetStep {
    qint16 dx = 0;
    qint16 dy = 0;
    friend bool operator==(const OffsetStep&, const OffsetStep&) = default;
};

// Reads the "x=..,y=.." command of the adjustment dialog: the number at the
// start of each value, rounded half to even; a missing or non-numeric value
// is 0. Nothing when a value leaves the 16-bit range.
std::optional<OffsetStep> parseOffsetStep(QStringView command);

// Moves the anchor of every row by `step`. All or nothing: when any anchor
// would leave the 16-bit range no record changes and the first such row is
// returned; -1 when every anchor moved.
int adjustOffsets(Animation& animation, OffsetStep step);

// Milliseconds playback waits after showing a frame: delay × 10 − 10, at
// least 1 when that is negative, and at most the largest 16-bit wait.
int playbackWait(qint16 frameDelay);

// The anchor coordinate during an anchor drag: the press-time coordinate
// moved against the pointer, so the sprite follows it. Nothing when the
// result leaves the 16-bit range.
std::optional<qint16> draggedOffset(double pressPosition, double pointerPosition, qint16 pressOffset);

// The box of a rubber band `band` (canvas pixels) on a sprite whose top-left
// corner lies at `spriteCorner`; nothing when a number leaves the 16-bit range.
std::optional<Box> boxFromBand(const QRect& band, QPoint spriteCorner);

} // namespace model
