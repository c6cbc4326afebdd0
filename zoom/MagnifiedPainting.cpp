#include "zoom/MagnifiedPainting.h"

#include "model/zoom/ZoomMapping.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

namespace zoom {

void drawMagnified(QPainter& painter, const QImage& picture, const model::ZoomMapping& mapping, const QRect& exposed)
{
    const QRect source = mapping.canvasPixelsUnder(exposed) & picture.rect();
    if (source.isEmpty())
        return;
    // Without the smooth-transform hint the scaling is nearest-neighbour.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(mapping.toView(source), picture, source);
}

void drawPixelOutline(QPainter& painter, const QRectF& rect, const QColor& colour)
{
    const qreal device = 1.0 / painter.device()->devicePixelRatioF();
    painter.setPen(QPen(colour, device));
    painter.setBrush(Qt::NoBrush);
    // A stroke centred half a device pixel inside the edge covers exactly the
    // outermost device pixels of the rectangle.
    painter.drawRect(QRectF(rect.x() + device / 2, rect.y() + device / 2, qMax(0.0, rect.width() - device),
                            qMax(0.0, rect.height() - device)));
}

} // namespace zoom
