#pragma once

#include "program/ProgramInfo.h"

#include <QString>

#include <memory>

class QWidget;

namespace programtests {

// The sprites of a window's browser below `folder`: a01.gif and the
// reference idle00.gif, both 64 × 80.
QString spriteFolder(const QString& folder);

// A shown window of `program` with its settings in `folder`; the editors'
// browsers on the sprite folder, animbox with a01.gif as its selected frame.
// Null when a step failed.
std::unique_ptr<QWidget> openWindow(program::Program program, const QString& folder);

} // namespace programtests
