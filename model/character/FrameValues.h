#pragma once

#include "model/animation/Animation.h"
#include "model/animation/FrameRecord.h"
#include "model/script/ScriptLine.h"

#include <array>
#include <optional>

namespace model {

// The values of a frame that script lines set, in groups of one line kind
// each, in the order the writer writes them.
enum class ValueGroup { Delay, Offset, Attack, ExtAttack, Body, ExtBody };

inline constexpr std::array<ValueGroup, 6> kValueGroups{ValueGroup::Delay,     ValueGroup::Offset, ValueGroup::Attack,
                                                        ValueGroup::ExtAttack, ValueGroup::Body,   ValueGroup::ExtBody};

// The group an interpreted line kind sets; LineKind::Other and Frame set none.
std::optional<ValueGroup> groupOf(LineKind kind);

// Whether a frame read as `actual` shows what `wanted` holds, in one group
// or in all of them. A box that is off (switched off, or without size) is
// like any other box that is off, whatever numbers it keeps, and so is an
// attack; an extended box counts only while its box is on; a blast's
// knock-down does not count, nor do the image, the uninterpreted lines and
// the origin.
bool sameValues(ValueGroup group, const FrameRecord& actual, const FrameRecord& wanted);
bool sameValues(const FrameRecord& actual, const FrameRecord& wanted);

// The values each row of `animation` stands for, read from `start` on: a
// box that the frame leaves without a line of its own (cleared, or without
// size) is the frame before's, as the writer leaves it unwritten.
QList<FrameRecord> resolvedValues(const Animation& animation, const FrameRecord& start);

} // namespace model
