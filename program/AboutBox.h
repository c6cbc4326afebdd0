#pragma once

#include "program/ProgramInfo.h"

class QMenuBar;
class QWidget;

namespace program {

// The "帮助" (help) menu, the last of `bar`, with "关于" (about), which shows
// the About box of `program` over the bar's window.
void addHelpMenu(QMenuBar* bar, Program program);

// The About box: the program and its version, what it does, the package
// and its version, the licence and the Qt version the program runs on.
QString aboutText(Program program);
void showAbout(QWidget* parent, Program program);

} // namespace program
