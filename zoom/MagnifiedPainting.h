#pragma once

#include <QColor>
#include <QRect>

class QImage;
class QPainter;

namespace model {
class ZoomMapping;
}

namespace zoom {

// Paints the part of `picture` (canvas pixels) that falls into `exposed`
// (view pixels), each canvas pixel a square of `mapping`'s level, never
// smoothed. The painter's origin is the view's top-left corner.
void drawMagnified(QPainter& painter, const QImage& picture, const model::ZoomMapping& mapping, const QRect& exposed);

// A rectangle outline one device pixel wide along the inside of `rect`, so
// that it lies on the edges of the pixels it frames at any magnification
// and device pixel ratio.
void drawPixelOutline(QPainter& painter, const QRectF& rect, const QColor& colour);

} // namespace zoom
