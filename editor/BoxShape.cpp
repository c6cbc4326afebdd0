#include "editor/BoxShape.h"

#include "model/ZoomMapping.h"
#include "zoom/MagnifiedPainting.h"

#include <QPainter>

namespace animbox {

BoxShape::BoxShape(const QString& name, QColor border, const model::ZoomMapping& mapping, QWidget* canvas)
    : QWidget(canvas)
    , m_border(border)
    , m_mapping(mapping)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void BoxShape::setBorderColor(QColor color)
{
    if (color == m_border)
        return;
    m_border = color;
    update();
}

void BoxShape::setCanvasRect(const QRect& rect)
{
    m_rect = rect;
    place();
}

void BoxShape::setCanvasOffset(QPoint offset)
{
    m_offset = offset;
    place();
}

void BoxShape::place()
{
    // A negative width or height shows as the same extent on the other side
    // of the corner: a widget cannot take a negative size.
    int x = m_rect.x(), y = m_rect.y(), w = m_rect.width(), h = m_rect.height();
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    setGeometry(m_mapping.toView(QRect(x, y, w, h)).translated(m_offset));
}

void BoxShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    zoom::drawPixelOutline(painter, rect(), m_border);
}

} // namespace animbox
