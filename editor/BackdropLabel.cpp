#include "editor/BackdropLabel.h"

#include <QEvent>
#include <QPainter>

namespace animbox {

BackdropLabel::BackdropLabel(QWidget* parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    parent->installEventFilter(this);
}

void BackdropLabel::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    if (m_backdrop.isNull() || m_backdrop.devicePixelRatio() != ratio) {
        // The parent alone, without its children: this label is one of them.
        m_backdrop = QPixmap(size() * ratio);
        m_backdrop.setDevicePixelRatio(ratio);
        m_backdrop.fill(Qt::transparent);
        parentWidget()->render(&m_backdrop, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    }
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_backdrop);
    }
    QLabel::paintEvent(event);
}

void BackdropLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        m_backdrop = QPixmap();
    QLabel::changeEvent(event);
}

void BackdropLabel::moveEvent(QMoveEvent* event)
{
    m_backdrop = QPixmap();
    QLabel::moveEvent(event);
}

void BackdropLabel::resizeEvent(QResizeEvent* event)
{
    m_backdrop = QPixmap();
    QLabel::resizeEvent(event);
}

bool BackdropLabel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        m_backdrop = QPixmap();
        break;
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace animbox
