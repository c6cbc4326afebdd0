#include "editor/panels/BackdropLabel.h"

#include <QEvent>
#include <QPainter>

namespace animbox {

BackdropLabel::BackdropLabel(QWidget* parent)
    : QLabel(parent)
{
    parent->installEventFilter(this);
}

void BackdropLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_backdrop.isNull()) {
        // Seen through this time; the picture is taken once the frame is out.
        scheduleTake();
    } else {
        // On a screen of another pixel ratio the old picture serves this once.
        const QPixmap backdrop = m_backdrop;
        if (backdrop.devicePixelRatio() != devicePixelRatioF())
            dropBackdrop();
        painter.drawPixmap(0, 0, backdrop);
    }
    drawFrame(&painter);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    m_runs.draw(painter, contentsRect(), text(), font());
}

// Whatever changes the picture beneath also repaints the label, whose next
// paint has the picture taken again.
void BackdropLabel::dropBackdrop()
{
    m_backdrop = QPixmap();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

// Outside any painting: a widget cannot render another while the window
// paints. Queued from a paint, the picture is taken after that frame, which
// keeps it out of the window's first one.
void BackdropLabel::scheduleTake()
{
    if (m_taking)
        return;
    m_taking = true;
    QMetaObject::invokeMethod(this, &BackdropLabel::takeBackdrop, Qt::QueuedConnection);
}

void BackdropLabel::takeBackdrop()
{
    m_taking = false;
    if (!isVisible() || !m_backdrop.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap backdrop(size() * ratio);
    backdrop.setDevicePixelRatio(ratio);
    backdrop.fill(Qt::transparent);
    // The parent alone, without its children: this label is one of them.
    parentWidget()->render(&backdrop, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    m_backdrop = backdrop;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void BackdropLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        dropBackdrop();
    QLabel::changeEvent(event);
}

void BackdropLabel::showEvent(QShowEvent* event)
{
    dropBackdrop();
    QLabel::showEvent(event);
}

void BackdropLabel::moveEvent(QMoveEvent* event)
{
    dropBackdrop();
    QLabel::moveEvent(event);
}

void BackdropLabel::resizeEvent(QResizeEvent* event)
{
    dropBackdrop();
    QLabel::resizeEvent(event);
}

bool BackdropLabel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        dropBackdrop();
        break;
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace animbox
