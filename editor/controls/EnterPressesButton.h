#pragma once

#include <QObject>

class QPlainTextEdit;
class QPushButton;

namespace animbox {

// Presses a dialog's button when Enter with exactly the given modifiers is
// typed into a multi-line text box, which would otherwise take every Enter
// as a new line and never reach the dialog's default button.
class EnterPressesButton : public QObject {
    Q_OBJECT
public:
    EnterPressesButton(QPlainTextEdit* edit, QPushButton* button, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* m_button;
    Qt::KeyboardModifiers m_modifiers;
};

} // namespace animbox
