// The canvas events of the main window, handed to the gesture handling.

#include "editor/window/FrmMain.h"

#include "editor/window/CanvasGestures.h"

namespace animbox {

void FrmMain::PicEdit_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF point)
{
    m_gestures->mouseDown(button, shift, point);
}

void FrmMain::PicEdit_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers shift, QPointF point)
{
    m_gestures->mouseMove(shift, point);
}

void FrmMain::PicEdit_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF)
{
    m_gestures->mouseUp(button, shift);
}

void FrmMain::PicEdit_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    m_gestures->keyDown(keyCode);
}

} // namespace animbox
