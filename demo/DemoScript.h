#pragma once

#include "demo/DemoPoses.h"

#include <QString>

namespace demo {

// One animation of the demo character: its name in the model script, the
// prefix of its sprite files (name00.gif, name01.gif, …), its poses and the
// delay of each frame.
struct DemoAnimation {
    QString name;
    QList<Pose> poses;
    qint16 delay = 10;
    bool loops = false;
    // The attack of a punch or a kick: the limb whose end hits, the angle
    // from which on it does, and the damage.
    enum class Strike { None, FrontHand, FrontFoot } strike = Strike::None;
    double reach = 0;
    qint16 damage = 0;
};

// The four animations of the demo character.
QList<DemoAnimation> demoAnimations();

// The sprite file of frame `index` of `animation`.
QString spriteName(const DemoAnimation& animation, int index);

// The demo character's model script: a short header, then an "anim" block
// per animation as the editor writes it, each frame with its anchor on the
// figure's feet and its body box, the strikes with an attack box on the
// hitting hand or foot. `spritesFolder` is the folder below "data" that
// holds the sprites; the script names them relative to "data".
// Empty, with `error` set, when the writer refuses.
QString heroScript(const QString& spritesFolder, QString* error);

} // namespace demo
