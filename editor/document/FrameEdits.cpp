#include "editor/document/FrameEdits.h"

#include "model/animation/Propagation.h"

namespace animbox::FrameEdits {

namespace {

// The box and its state of each target, in the order of BoxTarget.
struct TargetFields {
    model::Box model::FrameRecord::*box;
    model::BoxState model::FrameRecord::*state;
};
constexpr TargetFields kFields[] = {
    {&model::FrameRecord::attackBox, &model::FrameRecord::attackEmpty},
    {&model::FrameRecord::extAttackBox, &model::FrameRecord::extAttackEmpty},
    {&model::FrameRecord::bodyBox, &model::FrameRecord::bodyEmpty},
    {&model::FrameRecord::extBodyBox, &model::FrameRecord::extBodyEmpty},
};

model::Box& boxOf(model::FrameRecord& record, BoxTarget target)
{
    return record.*kFields[int(target)].box;
}

const model::Box& boxOf(const model::FrameRecord& record, BoxTarget target)
{
    return record.*kFields[int(target)].box;
}

model::BoxState& stateOf(model::FrameRecord& record, BoxTarget target)
{
    return record.*kFields[int(target)].state;
}

void propagate(model::Animation& animation, int row, BoxTarget target, const model::Box& oldBox)
{
    switch (target) {
    case BoxTarget::Attack:
        model::PropagateAttack(animation, row, oldBox);
        return;
    case BoxTarget::ExtAttack:
        model::PropagateExtAttack(animation, row, oldBox);
        return;
    case BoxTarget::Body:
        model::PropagateBody(animation, row, oldBox);
        return;
    case BoxTarget::ExtBody:
        model::PropagateExtBody(animation, row, oldBox);
        return;
    }
}

// The ordinary and the extended box of a side.
std::pair<BoxTarget, BoxTarget> targetsOf(BoxSide side)
{
    if (side == BoxSide::Attack)
        return {BoxTarget::Attack, BoxTarget::ExtAttack};
    return {BoxTarget::Body, BoxTarget::ExtBody};
}

} // namespace

BoxTarget releaseTarget(Qt::MouseButton button, bool extended)
{
    if (button == Qt::RightButton)
        return extended ? BoxTarget::ExtAttack : BoxTarget::Attack;
    return extended ? BoxTarget::ExtBody : BoxTarget::Body;
}

void writeDrawnBox(model::Animation& animation, int row, BoxTarget target, const model::Box& box)
{
    model::FrameRecord& record = animation.frames[row];
    const model::Box oldBox = boxOf(record, target);
    boxOf(record, target) = box;
    stateOf(record, target) = model::BoxState::Normal;
    if (target == BoxTarget::Attack) {
        if (record.attackKind.isEmpty())
            record.attackKind = QStringLiteral("Attack");
        if (record.damage == 0)
            record.damage = 20;
        if (record.pause == 0)
            record.pause = 15;
    }
    propagate(animation, row, target, oldBox);
}

void emptySide(model::Animation& animation, int row, BoxSide side)
{
    const auto [box, extBox] = targetsOf(side);
    model::FrameRecord& record = animation.frames[row];
    stateOf(record, box) = model::BoxState::Empty;
    stateOf(record, extBox) = model::BoxState::Empty;
    // The frame's own boxes are unchanged, so the run is the rows that hold them too.
    const model::Box ownBox = boxOf(record, box);
    const model::Box ownExtBox = boxOf(record, extBox);
    propagate(animation, row, box, ownBox);
    propagate(animation, row, extBox, ownExtBox);
}

void clearSide(model::Animation& animation, int row, BoxSide side)
{
    if (row > 0) {
        if (side == BoxSide::Attack) {
            model::CopyAttack(animation, row - 1, row);
            model::CopyExtAttack(animation, row - 1, row);
        } else {
            model::CopyBody(animation, row - 1, row);
            model::CopyExtBody(animation, row - 1, row);
        }
        return;
    }
    const auto [box, extBox] = targetsOf(side);
    model::FrameRecord& record = animation.frames[row];
    stateOf(record, box) = model::BoxState::Cleared;
    stateOf(record, extBox) = model::BoxState::Cleared;
}

// A propagation of the target's box compares the following rows with the
// box the row holds before the edit.
int drawnBoxReach(const model::Animation& animation, int row, BoxTarget target)
{
    const model::Box& oldBox = boxOf(animation.frames.at(row), target);
    return model::forwardRunEnd(animation, row,
                                [&](const model::FrameRecord& r) { return boxOf(r, target) == oldBox; });
}

int emptySideReach(const model::Animation& animation, int row, BoxSide side)
{
    const auto [box, extBox] = targetsOf(side);
    return qMax(drawnBoxReach(animation, row, box), drawnBoxReach(animation, row, extBox));
}

int clearSideReach(const model::Animation&, int row, BoxSide)
{
    return row + 1;
}

} // namespace animbox::FrameEdits
