#include "editor/controls/EnterPressesButton.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace animbox {

EnterPressesButton::EnterPressesButton(QPlainTextEdit* edit, QPushButton* button, Qt::KeyboardModifiers modifiers)
    : QObject(edit)
    , m_button(button)
    , m_modifiers(modifiers)
{
    edit->installEventFilter(this);
}

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // The Enter of the number pad carries the keypad modifier.
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != m_modifiers)
        return QObject::eventFilter(watched, event);
    m_button->click();
    return true;
}

} // namespace animbox
