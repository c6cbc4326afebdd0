#pragma once

#include "model/animation/Animation.h"

#include <QString>

namespace model {

// Script text generated from an animation, or the message that stopped it.
struct WriteResult {
    QString text;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// How attacks of the kinds "Attack5" and "Attack6" are spelt: as the kind
// (the script text of the clipboard), or as the keyword that reads back as
// that kind ("Freeze", "Burn").
enum class AttackKeywords { AsKinds, AsRead };

// Writes the frame lines of `animation` (one group per row, each value only
// where it changes) with frame paths below the "data" part of
// `browserFolder`. Lines end in CR LF; frame paths use "\" on every platform.
WriteResult writeScript(const Animation& animation, const QString& browserFolder,
                        AttackKeywords keywords = AttackKeywords::AsKinds);

} // namespace model
