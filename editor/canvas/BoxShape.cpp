#include "editor/canvas/BoxShape.h"

#include "model/zoom/ZoomMapping.h"
#include "zoom/MagnifiedPainting.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace animbox {

BoxShape::BoxShape(const QString& name, QColor border, const model::ZoomMapping& mapping, QWidget* canvas)
    : QObject(canvas)
    , m_canvas(canvas)
    , m_border(border)
    , m_mapping(mapping)
{
    setObjectName(name);
}

void BoxShape::setBorderColor(QColor color)
{
    if (color == m_border)
        return;
    m_border = color;
    if (m_visible)
        repaintBorder();
}

void BoxShape::setCanvasRect(const QRect& rect)
{
    m_rect = rect;
    place();
}

void BoxShape::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    repaintBorder();
}

void BoxShape::setCanvasOffset(QPoint offset)
{
    m_offset = offset;
    place();
}

void BoxShape::place()
{
    // A negative width or height shows as the same extent on the other side
    // of the corner.
    int x = m_rect.x(), y = m_rect.y(), w = m_rect.width(), h = m_rect.height();
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    const QRect geometry = m_mapping.toView(QRect(x, y, w, h)).translated(m_offset);
    if (geometry == m_geometry)
        return;
    if (m_visible)
        repaintBorder();
    m_geometry = geometry;
    if (m_visible)
        repaintBorder();
}

void BoxShape::paint(QPainter& painter) const
{
    if (m_visible && !m_geometry.isEmpty())
        zoom::drawPixelOutline(painter, m_geometry, m_border);
}

// The outline covers the outermost device pixels of its rectangle: one
// pixel of the widget, or more where a device pixel is larger.
void BoxShape::repaintBorder() const
{
    if (m_geometry.isEmpty())
        return;
    const int width = qMax(1, int(std::ceil(1.0 / m_canvas->devicePixelRatioF())));
    m_canvas->update(QRegion(m_geometry) - QRegion(m_geometry.adjusted(width, width, -width, -width)));
}

} // namespace animbox
