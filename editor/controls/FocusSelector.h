#pragma once

#include <QObject>

class QLineEdit;

namespace animbox {

// Selects part of a text box's text whenever the box gets the keyboard focus,
// so typing replaces it: from `start` on, at most `length` characters. The
// selection is made after the focus event, once a click that gave the focus
// has placed its cursor.
class FocusSelector : public QObject {
    Q_OBJECT
public:
    FocusSelector(QLineEdit* edit, int start, int length);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    int m_start;
    int m_length;
};

} // namespace animbox
