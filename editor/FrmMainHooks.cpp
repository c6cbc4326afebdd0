// Handlers of the canvas gestures, the frame property panel, the global
// adjustment, the reference frame, playback and frame stepping. They are
// wired to their controls and menu items but do nothing yet.

#include "editor/FrmMain.h"

namespace animbox {

void FrmMain::PicEdit_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {}
void FrmMain::PicEdit_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF) {}
void FrmMain::PicEdit_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {}
void FrmMain::PicEdit_KeyDown(int, Qt::KeyboardModifiers) {}
void FrmMain::txtAtType_Click() {}
void FrmMain::txtPow_Change() {}
void FrmMain::txtDown_Click() {}
void FrmMain::txtBlock_Click() {}
void FrmMain::txtFlash_Click() {}
void FrmMain::txtPause_Click() {}
void FrmMain::txtDelay_Change() {}
void FrmMain::Command1_Click() {}
void FrmMain::Command8_Click() {}
void FrmMain::CmdClearAt_Click() {}
void FrmMain::Command2_Click() {}
void FrmMain::Command3_Click() {}
void FrmMain::mplay_Click() {}
void FrmMain::mploop_Click() {}
void FrmMain::pframe_Click() {}
void FrmMain::Nframe_Click() {}
void FrmMain::moa_Click() {}

} // namespace animbox
