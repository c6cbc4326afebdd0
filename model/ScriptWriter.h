#pragma once

#include "model/Animation.h"

#include <QString>

namespace model {

// Script text generated from an animation, or the message that stopped it.
struct WriteResult {
    QString text;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Writes the frame lines of `animation` (one group per row, each value only
// where it changes) with frame paths below the "data" part of
// `browserFolder`. Lines end in CR LF; frame paths use "\" on every platform.
WriteResult writeScript(const Animation& animation, const QString& browserFolder);

} // namespace model
