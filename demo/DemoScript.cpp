#include "demo/DemoScript.h"

#include "model/animation/Animation.h"
#include "model/script/ScriptWriter.h"
#include "model/text/Numbers.h"

namespace demo {

namespace {

qint16 rounded(double value)
{
    return model::toInt16(model::roundHalfEven(value)).value_or(0);
}

model::Box boxOf(const QRectF& rect)
{
    return {rounded(rect.x()), rounded(rect.y()), rounded(rect.width()), rounded(rect.height())};
}

// Where the strike of `pose` hits, or nothing while the limb has not reached.
std::optional<QRectF> strikeArea(const DemoAnimation& animation, const Pose& pose)
{
    using Strike = DemoAnimation::Strike;
    const double angle = animation.strike == Strike::FrontHand ? pose.frontArm : pose.frontLeg;
    if (animation.strike == Strike::None || angle < animation.reach)
        return std::nullopt;
    const QPointF end = animation.strike == Strike::FrontHand ? pose.hand(angle) : pose.foot(angle);
    return QRectF(end - QPointF(12, 10), QSizeF(24, 20));
}

model::FrameRecord frameOf(const DemoAnimation& animation, const Pose& pose, bool struckBefore)
{
    model::FrameRecord record;
    record.frameDelay = animation.delay;
    record.offsetX = rounded(pose.anchor().x());
    record.offsetY = rounded(pose.anchor().y());
    record.bodyBox = boxOf(pose.body());
    if (const auto area = strikeArea(animation, pose)) {
        record.attackKind = QStringLiteral("Attack");
        record.attackBox = boxOf(*area);
        record.damage = animation.damage;
    } else if (struckBefore) {
        // The strike is over: the attack box is switched off.
        record.attackEmpty = model::BoxState::Empty;
    }
    return record;
}

} // namespace

QList<DemoAnimation> demoAnimations()
{
    using Strike = DemoAnimation::Strike;
    return {
        {QStringLiteral("idle"), idlePoses(), 20, true},
        {QStringLiteral("walk"), walkPoses(), 10, true},
        {QStringLiteral("punch"), punchPoses(), 6, false, Strike::FrontHand, 80, 8},
        {QStringLiteral("kick"), kickPoses(), 8, false, Strike::FrontFoot, 75, 12},
    };
}

QString spriteName(const DemoAnimation& animation, int index)
{
    return QStringLiteral("%1%2.gif").arg(animation.name).arg(index, 2, 10, QChar(u'0'));
}

QString heroScript(const QString& spritesFolder, QString* error)
{
    QString script = QStringLiteral("name\thero\r\ntype\tplayer\r\nhealth\t100\r\nspeed\t10\r\n");
    for (const DemoAnimation& demo : demoAnimations()) {
        model::Animation animation;
        bool struck = false;
        for (int i = 0; i < demo.poses.size(); ++i) {
            animation.frames.append(frameOf(demo, demo.poses[i], struck));
            animation.rows.append(spriteName(demo, i));
            struck = struck || !animation.frames.last().attackKind.isEmpty();
        }
        const model::WriteResult written = model::writeScript(animation, spritesFolder);
        if (!written.ok()) {
            *error = written.error;
            return {};
        }
        script += QStringLiteral("\r\nanim\t") + demo.name + QStringLiteral("\r\n");
        if (demo.loops)
            script += QStringLiteral("\tloop\t1\r\n");
        script += written.text;
    }
    return script;
}

} // namespace demo
