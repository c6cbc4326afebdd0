#include "model/character/FrameValues.h"

#include "model/animation/Propagation.h"

namespace model {

namespace {

// A box is off when it is switched off or has no size.
bool isOff(BoxState state, const Box& box)
{
    return state == BoxState::Empty || box.isAllZero();
}

bool sameBox(BoxState stateA, const Box& a, BoxState stateB, const Box& b)
{
    const bool off = isOff(stateA, a);
    return off == isOff(stateB, b) && (off || a == b);
}

// A box that states nothing for its frame: the frame before's stays.
bool leftUnstated(BoxState state, const Box& box)
{
    return state == BoxState::Cleared || (state == BoxState::Normal && box.isAllZero());
}

} // namespace

std::optional<ValueGroup> groupOf(LineKind kind)
{
    switch (kind) {
    case LineKind::Delay:
        return ValueGroup::Delay;
    case LineKind::Offset:
        return ValueGroup::Offset;
    case LineKind::Attack:
        return ValueGroup::Attack;
    case LineKind::ExtAttack:
        return ValueGroup::ExtAttack;
    case LineKind::Body:
        return ValueGroup::Body;
    case LineKind::ExtBody:
        return ValueGroup::ExtBody;
    case LineKind::Other:
    case LineKind::Frame:
        break;
    }
    return std::nullopt;
}

bool sameValues(ValueGroup group, const FrameRecord& a, const FrameRecord& b)
{
    switch (group) {
    case ValueGroup::Delay:
        return a.frameDelay == b.frameDelay;
    case ValueGroup::Offset:
        return a.offsetX == b.offsetX && a.offsetY == b.offsetY;
    case ValueGroup::Attack:
        if (!sameBox(a.attackEmpty, a.attackBox, b.attackEmpty, b.attackBox))
            return false;
        return isOff(b.attackEmpty, b.attackBox)
            || (a.attackKind == b.attackKind && a.damage == b.damage
                && (a.knockdown == b.knockdown || b.attackKind == u"Blast") && a.unblockable == b.unblockable
                && a.noFlash == b.noFlash && a.pause == b.pause && a.depth == b.depth);
    case ValueGroup::ExtAttack:
        return isOff(b.attackEmpty, b.attackBox) || sameBox(a.extAttackEmpty, a.extAttackBox, b.extAttackEmpty, b.extAttackBox);
    case ValueGroup::Body:
        return sameBox(a.bodyEmpty, a.bodyBox, b.bodyEmpty, b.bodyBox);
    case ValueGroup::ExtBody:
        return isOff(b.bodyEmpty, b.bodyBox) || sameBox(a.extBodyEmpty, a.extBodyBox, b.extBodyEmpty, b.extBodyBox);
    }
    return false;
}

bool sameValues(const FrameRecord& actual, const FrameRecord& wanted)
{
    for (const ValueGroup group : kValueGroups)
        if (!sameValues(group, actual, wanted))
            return false;
    return true;
}

QList<FrameRecord> resolvedValues(const Animation& animation, const FrameRecord& start)
{
    // The start, then the rows' records: each takes from the one before it.
    Animation chain;
    chain.frames = QList<FrameRecord>{start} + animation.frames.first(qMin(animation.rowCount(), int(animation.frames.size())));
    for (int i = 1; i < chain.frames.size(); ++i) {
        const FrameRecord& r = chain.frames.at(i);
        if (leftUnstated(r.attackEmpty, r.attackBox))
            CopyAttack(chain, i - 1, i);
        if (leftUnstated(r.extAttackEmpty, r.extAttackBox))
            CopyExtAttack(chain, i - 1, i);
        if (leftUnstated(r.bodyEmpty, r.bodyBox))
            CopyBody(chain, i - 1, i);
        if (leftUnstated(r.extBodyEmpty, r.extBodyBox))
            CopyExtBody(chain, i - 1, i);
    }
    return chain.frames.mid(1);
}

} // namespace model
