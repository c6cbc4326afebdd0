#pragma once

#include "model/animation/Animation.h"

#include <functional>

namespace model {

// Group copies: every field of one group from record `from` to record `to`.
void CopyAttack(Animation& animation, int from, int to);
void CopyExtAttack(Animation& animation, int from, int to);
void CopyBody(Animation& animation, int from, int to);
void CopyExtBody(Animation& animation, int from, int to);

// Carries a changed value forward over the run of following rows that still
// held the old one; the first row that differs ends the run. Bounded by the
// row count, not by the number of records.
void PropagateAttack(Animation& animation, int index, const Box& oldBox);
void PropagateExtAttack(Animation& animation, int index, const Box& oldBox);
void PropagateBody(Animation& animation, int index, const Box& oldBox);
void PropagateExtBody(Animation& animation, int index, const Box& oldBox);
void PropagateDelay(Animation& animation, int index, qint16 oldDelay);

// One past the last row a propagation from `index` writes: the rows after it
// for which `stillOld` holds, up to the first that fails. `index` + 1 when
// the run is empty. Lets an edit know which records it will touch before it
// touches them.
int forwardRunEnd(const Animation& animation, int index, const std::function<bool(const FrameRecord&)>& stillOld);

} // namespace model
