#pragma once

#include "program/ProgramInfo.h"

#include <QIcon>

namespace program {

// The icon of `program`: the one of the installed icon theme, else the one
// built into the program, drawn from the same picture at the sizes a window
// manager asks for.
QIcon windowIcon(Program program);

// Gives every window of the application the icon of `program`. Called once
// the first frame is on screen, since reading the icon decodes images.
void setWindowIcon(Program program);

} // namespace program
