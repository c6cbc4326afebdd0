#include "ZoomPictures.h"

#include <QApplication>
#include <QWheelEvent>

namespace editing {

void wheel(QWidget* widget, QPoint angle, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(widget->rect().center());
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(widget, &event);
}

} // namespace editing
