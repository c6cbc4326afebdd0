#include "editor/BackdropLabel.h"

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
    if (!m_backdrop.isNull()) {
        // On a screen of another pixel ratio the old picture serves this once.
        const QPixmap backdrop = m_backdrop;
        if (backdrop.devicePixelRatio() != devicePixelRatioF())
            retakeBackdrop();
        painter.drawPixmap(0, 0, backdrop);
    }
    drawFrame(&painter);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    m_runs.draw(painter, contentsRect(), text(), font());
}

// The label paints as a see-through one until the new picture is taken,
// outside any painting: a widget cannot render another while the window paints.
void BackdropLabel::retakeBackdrop()
{
    m_backdrop = QPixmap();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    if (m_taking)
        return;
    m_taking = true;
    QMetaObject::invokeMethod(this, &BackdropLabel::takeBackdrop, Qt::QueuedConnection);
}

void BackdropLabel::takeBackdrop()
{
    m_taking = false;
    if (!isVisible())
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
        retakeBackdrop();
    QLabel::changeEvent(event);
}

void BackdropLabel::showEvent(QShowEvent* event)
{
    retakeBackdrop();
    QLabel::showEvent(event);
}

void BackdropLabel::moveEvent(QMoveEvent* event)
{
    retakeBackdrop();
    QLabel::moveEvent(event);
}

void BackdropLabel::resizeEvent(QResizeEvent* event)
{
    retakeBackdrop();
    QLabel::resizeEvent(event);
}

bool BackdropLabel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        retakeBackdrop();
        break;
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace animbox
