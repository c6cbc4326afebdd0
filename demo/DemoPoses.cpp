#include "demo/DemoPoses.h"

#include <QtMath>

#include <cmath>

namespace demo {

namespace {

constexpr double kLegLength = 44;
constexpr double kTorsoLength = 40;
constexpr double kArmLength = 34;

QPointF limbEnd(QPointF start, double length, double degrees)
{
    const double rad = qDegreesToRadians(degrees);
    return start + QPointF(std::sin(rad) * length, std::cos(rad) * length);
}

} // namespace

QPointF Pose::hips() const
{
    return {width / 2.0, kSpriteHeight - 2 - kLegLength + bob};
}

QPointF Pose::shoulders() const
{
    return hips() - QPointF(0, kTorsoLength);
}

QPointF Pose::head() const
{
    return shoulders() - QPointF(0, 14);
}

QPointF Pose::hand(double armAngle) const
{
    return limbEnd(shoulders(), kArmLength, armAngle);
}

QPointF Pose::foot(double legAngle) const
{
    return limbEnd(hips(), kLegLength - bob, legAngle);
}

QPointF Pose::anchor() const
{
    return {width / 2.0, kSpriteHeight - 2.0};
}

QRectF Pose::body() const
{
    const double top = head().y() - kHeadRadius;
    return {width / 2.0 - 14, top, 28, anchor().y() - top};
}

QList<Pose> idlePoses()
{
    QList<Pose> poses;
    for (int i = 0; i < 8; ++i) {
        Pose pose;
        pose.bob = int(std::round(2 * std::sin(i * M_PI / 4)));
        pose.rearArm = 10 + pose.bob * 2;
        pose.frontArm = -10 - pose.bob * 2;
        poses.append(pose);
    }
    return poses;
}

QList<Pose> walkPoses()
{
    QList<Pose> poses;
    for (int i = 0; i < 8; ++i) {
        Pose pose;
        const double swing = 25 * std::sin(i * M_PI / 4);
        pose.frontLeg = swing;
        pose.rearLeg = -swing;
        pose.frontArm = -swing;
        pose.rearArm = swing;
        pose.bob = i % 4 == 0 ? 0 : 1;
        poses.append(pose);
    }
    return poses;
}

// Punches and kicks reach past the standing width, so these sprites are
// wider; the figure stays centred, as the default scheme expects.
QList<Pose> punchPoses()
{
    QList<Pose> poses;
    for (const double angle : {-10, 20, 50, 80, 95, 95, 80, 50, 20, -10}) {
        Pose pose;
        pose.width = 160;
        pose.frontArm = angle;
        pose.rearArm = 30;
        pose.frontLeg = 20;
        pose.rearLeg = -15;
        poses.append(pose);
    }
    return poses;
}

QList<Pose> kickPoses()
{
    QList<Pose> poses;
    for (const double angle : {10, 40, 75, 95, 60, 15}) {
        Pose pose;
        pose.width = 160;
        pose.frontLeg = angle;
        pose.rearLeg = -10;
        pose.frontArm = -40;
        pose.rearArm = 40;
        poses.append(pose);
    }
    return poses;
}

} // namespace demo
