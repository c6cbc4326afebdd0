#include "model/animation/Propagation.h"

namespace model {

void CopyAttack(Animation& animation, int from, int to)
{
    const FrameRecord& source = animation.frames.at(from);
    FrameRecord& target = animation.frames[to];
    target.attackKind = source.attackKind;
    target.attackBox = source.attackBox;
    target.damage = source.damage;
    target.knockdown = source.knockdown;
    target.unblockable = source.unblockable;
    target.noFlash = source.noFlash;
    target.pause = source.pause;
    target.depth = source.depth;
    target.attackEmpty = source.attackEmpty;
}

void CopyExtAttack(Animation& animation, int from, int to)
{
    animation.frames[to].extAttackBox = animation.frames.at(from).extAttackBox;
    animation.frames[to].extAttackEmpty = animation.frames.at(from).extAttackEmpty;
}

void CopyBody(Animation& animation, int from, int to)
{
    animation.frames[to].bodyBox = animation.frames.at(from).bodyBox;
    animation.frames[to].bodyEmpty = animation.frames.at(from).bodyEmpty;
}

void CopyExtBody(Animation& animation, int from, int to)
{
    animation.frames[to].extBodyBox = animation.frames.at(from).extBodyBox;
    animation.frames[to].extBodyEmpty = animation.frames.at(from).extBodyEmpty;
}

namespace {

// Applies `copy` to the rows after `index` while `stillOld` holds.
void propagate(Animation& animation, int index, const std::function<bool(const FrameRecord&)>& stillOld,
               void (*copy)(Animation&, int, int))
{
    if (!animation.isValidRow(index))
        return;
    const int end = forwardRunEnd(animation, index, stillOld);
    for (int j = index + 1; j < end; ++j)
        copy(animation, index, j);
}

void copyDelay(Animation& animation, int from, int to)
{
    animation.frames[to].frameDelay = animation.frames.at(from).frameDelay;
}

} // namespace

int forwardRunEnd(const Animation& animation, int index, const std::function<bool(const FrameRecord&)>& stillOld)
{
    const int rows = qMin(animation.rowCount(), int(animation.frames.size()));
    int end = index + 1;
    while (end < rows && stillOld(animation.frames.at(end)))
        ++end;
    return end;
}

void PropagateAttack(Animation& animation, int index, const Box& oldBox)
{
    propagate(animation, index, [&](const FrameRecord& r) { return r.attackBox == oldBox; }, CopyAttack);
}

void PropagateExtAttack(Animation& animation, int index, const Box& oldBox)
{
    propagate(animation, index, [&](const FrameRecord& r) { return r.extAttackBox == oldBox; }, CopyExtAttack);
}

void PropagateBody(Animation& animation, int index, const Box& oldBox)
{
    propagate(animation, index, [&](const FrameRecord& r) { return r.bodyBox == oldBox; }, CopyBody);
}

void PropagateExtBody(Animation& animation, int index, const Box& oldBox)
{
    propagate(animation, index, [&](const FrameRecord& r) { return r.extBodyBox == oldBox; }, CopyExtBody);
}

void PropagateDelay(Animation& animation, int index, qint16 oldDelay)
{
    propagate(animation, index, [&](const FrameRecord& r) { return r.frameDelay == oldDelay; }, copyDelay);
}

} // namespace model
