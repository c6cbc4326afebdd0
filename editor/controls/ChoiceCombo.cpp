#include "editor/controls/ChoiceCombo.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QWheelEvent>

namespace animbox {

ChoiceCombo::ChoiceCombo(QWidget* parent)
    : QComboBox(parent)
{
    // Editable through a line edit of its own that brings a completer: the
    // box then makes neither its popup list nor a completer of its own
    // before it is first opened, and is built in a quarter of the time.
    auto* edit = new QLineEdit(this);
    edit->setCompleter(new QCompleter(edit));
    setLineEdit(edit);
    setInsertPolicy(QComboBox::NoInsert);
    // No completion: a typed "3" must stay "3", not become the item "30".
    setCompleter(nullptr);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_typing)
            emit chosen();
    });
}

void ChoiceCombo::showValue(const QString& text)
{
    setCurrentIndex(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    setEditText(text);
}

void ChoiceCombo::keyPressEvent(QKeyEvent* event)
{
    // The box finishes typed text on Enter and activates an item that reads
    // like it; only the keys that step through the list choose.
    const int key = event->key();
    const bool steps = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    const QScopedValueRollback typing(m_typing, !steps);
    QComboBox::keyPressEvent(event);
}

void ChoiceCombo::focusOutEvent(QFocusEvent* event)
{
    const QScopedValueRollback typing(m_typing, true);
    QComboBox::focusOutEvent(event);
}

void ChoiceCombo::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace animbox
