#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

namespace demo {

constexpr int kSpriteHeight = 140;

// One pose of the demo figure: joint angles in degrees (0 = straight down,
// positive = forward), a vertical body shift and the sprite's width.
struct Pose {
    double rearArm = 10;
    double frontArm = -10;
    double rearLeg = -8;
    double frontLeg = 8;
    int bob = 0;
    int width = 120;

    // Joints and limb ends in sprite pixels.
    QPointF hips() const;
    QPointF shoulders() const;
    QPointF head() const;
    QPointF hand(double armAngle) const;
    QPointF foot(double legAngle) const;
    // Where the figure stands: centred, on the sprite's bottom row.
    QPointF anchor() const;
    // The figure from the top of the head to the feet, as wide as the torso
    // and the head.
    QRectF body() const;

    static constexpr double kHeadRadius = 11;
};

// The four animations of the demo character, one pose a frame.
QList<Pose> idlePoses();
QList<Pose> walkPoses();
QList<Pose> punchPoses();
QList<Pose> kickPoses();

} // namespace demo
