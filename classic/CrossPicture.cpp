#include "classic/CrossPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace classic {

CrossPicture::CrossPicture(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CrossPicture::setImage(const QImage& image)
{
    m_image = image;
    setFixedSize(image.size());
    update();
}

void CrossPicture::setCross(QPoint cross)
{
    m_cross = cross;
    update();
}

void CrossPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    painter.setPen(Qt::black);
    painter.drawLine(m_cross.x() - 5, m_cross.y(), m_cross.x() + 5, m_cross.y());
    painter.drawLine(m_cross.x(), m_cross.y() - 5, m_cross.x(), m_cross.y() + 5);
}

void CrossPicture::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->position().toPoint());
}

void CrossPicture::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event->key());
}

} // namespace classic
