#pragma once

#include "model/animation/Animation.h"

namespace animbox {

// Which of a frame's four boxes an edit works on.
enum class BoxTarget { Attack, ExtAttack, Body, ExtBody };

// The side of a frame the empty and clear buttons work on: its ordinary box
// and its extended box together.
enum class BoxSide { Attack, Body };

// Edits of the current frame's boxes made by the canvas and the panel
// buttons. They change records only; the caller redraws.
namespace FrameEdits {

// The box a release writes: button 2 the attack side, any other the body
// side; the extended box when `extended`.
BoxTarget releaseTarget(Qt::MouseButton button, bool extended);

// Writes a drawn box into row `row`, marks it stated, gives a new attack box
// the default kind, damage and pause, and carries the change forward over
// the following rows that held the old box.
void writeDrawnBox(model::Animation& animation, int row, BoxTarget target, const model::Box& box);

// "空攻击框" / "空受击框": both boxes of the side explicitly without a box, on
// this row and on the following rows that held the same boxes.
void emptySide(model::Animation& animation, int row, BoxSide side);

// "清除攻框" / "清除受框": a later row takes both groups of the side from the
// row before; the first row states nothing of its own for that side.
void clearSide(model::Animation& animation, int row, BoxSide side);

// One past the last row that each edit above writes when made on `row` now,
// so an undo step can keep those records before they change.
int drawnBoxReach(const model::Animation& animation, int row, BoxTarget target);
int emptySideReach(const model::Animation& animation, int row, BoxSide side);
int clearSideReach(const model::Animation& animation, int row, BoxSide side);

} // namespace FrameEdits

} // namespace animbox
