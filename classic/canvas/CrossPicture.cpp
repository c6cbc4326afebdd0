#include "classic/canvas/CrossPicture.h"

#include "zoom/MagnifiedPainting.h"
#include "zoom/ZoomControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace classic {

CrossPicture::CrossPicture(QWidget* parent)
    : QWidget(parent)
    , m_zoom(new zoom::ZoomControl(this, zoom::ZoomControl::Panning::Off))
{
    setFocusPolicy(Qt::StrongFocus);
    connect(m_zoom, &zoom::ZoomControl::mappingChanged, this, &CrossPicture::fitToZoom);
}

void CrossPicture::setImage(const QImage& image)
{
    m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    fitToZoom();
}

void CrossPicture::setCross(QPoint cross)
{
    m_cross = cross;
    update();
}

void CrossPicture::fitToZoom()
{
    setFixedSize(m_image.size() * m_zoom->level());
    update();
}

// The cross is drawn into a copy of the sprite in sprite pixels, so that it
// grows with the sprite and covers the same pixels at every level.
void CrossPicture::paintEvent(QPaintEvent* event)
{
    QImage picture = m_image;
    {
        QPainter painter(&picture);
        painter.setPen(Qt::black);
        painter.drawLine(m_cross.x() - 5, m_cross.y(), m_cross.x() + 5, m_cross.y());
        painter.drawLine(m_cross.x(), m_cross.y() - 5, m_cross.x(), m_cross.y() + 5);
    }
    QPainter painter(this);
    zoom::drawMagnified(painter, picture, m_zoom->mapping(), event->rect());
}

void CrossPicture::mousePressEvent(QMouseEvent* event)
{
    emit pressed(m_zoom->mapping().toCanvas(event->position()).toPoint());
}

void CrossPicture::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event->key());
}

} // namespace classic
