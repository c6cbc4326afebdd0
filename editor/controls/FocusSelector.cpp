#include "editor/controls/FocusSelector.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace animbox {

FocusSelector::FocusSelector(QLineEdit* edit, int start, int length)
    : QObject(edit)
    , m_edit(edit)
    , m_start(start)
    , m_length(length)
{
    edit->installEventFilter(this);
}

bool FocusSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, this, [this] {
            const int size = int(m_edit->text().size());
            const int start = std::min(m_start, size);
            m_edit->setSelection(start, std::min(m_length, size - start));
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace animbox
