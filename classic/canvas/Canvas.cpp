#include "classic/canvas/Canvas.h"

#include "zoom/MagnifiedPainting.h"
#include "zoom/ZoomControl.h"

#include <QMouseEvent>
#include <QPainter>

namespace classic {

namespace {

// Outline colours of the body box and the attack box.
const std::array<QColor, 2> ShapeColours{QColor(0, 0, 255), QColor(255, 0, 0)};

} // namespace

Canvas::Canvas(QWidget* parent)
    : QFrame(parent)
    , m_zoom(new zoom::ZoomControl(this, zoom::ZoomControl::Panning::On))
    , m_background(palette().color(QPalette::Window))
    , m_shapes{QRectF(208, 40, 17, 17), QRectF(208, 104, 17, 17)}
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_zoom, &zoom::ZoomControl::mappingChanged, this, qOverload<>(&Canvas::update));
}

QSize Canvas::drawingSize() const
{
    return contentsRect().size();
}

QPoint Canvas::anchorPoint() const
{
    const QSize size = drawingSize();
    return QPoint(size.width() / 2, size.height() - size.height() / 3);
}

QImage Canvas::picture() const
{
    if (!m_picture.isNull())
        return m_picture;
    QImage blank(drawingSize(), QImage::Format_RGB32);
    blank.fill(m_background);
    return blank;
}

QImage& Canvas::drawnPicture()
{
    if (m_picture.isNull())
        m_picture = picture();
    return m_picture;
}

void Canvas::setBackground(const QColor& colour)
{
    m_background = colour;
    clear();
}

void Canvas::clear()
{
    m_picture = QImage();
    update();
}

void Canvas::drawImage(QPoint at, const QImage& image)
{
    QPainter painter(&drawnPicture());
    // A transparent pixel shows the background, as in the picture box the
    // sprite is copied from; black would hide the anchor cross.
    painter.fillRect(QRect(at, image.size()), m_background);
    painter.drawImage(at, image);
    update();
}

void Canvas::drawCross(QPoint at)
{
    QPainter painter(&drawnPicture());
    painter.setPen(Qt::black);
    painter.drawLine(at.x() - 5, at.y(), at.x() + 5, at.y());
    painter.drawLine(at.x(), at.y() - 5, at.x(), at.y() + 5);
    update();
}

void Canvas::setShapeRect(Shape shape, const QRectF& rect)
{
    m_shapes[index(shape)] = rect;
    update();
}

void Canvas::setShapeVisible(Shape shape, bool visible)
{
    m_shapeVisible[index(shape)] = visible;
    update();
}

void Canvas::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    const model::ZoomMapping& mapping = m_zoom->mapping();
    const QRect exposed = event->rect().translated(-area.topLeft()) & QRect(QPoint(), area.size());
    if (m_picture.isNull())
        painter.fillRect(exposed, m_background);
    else
        zoom::drawMagnified(painter, m_picture, mapping, exposed);
    for (int i = 0; i < 2; ++i) {
        if (m_shapeVisible[i])
            zoom::drawPixelOutline(painter, mapping.toView(m_shapes[i]), ShapeColours[i]);
    }
}

void Canvas::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (event->size() == event->oldSize())
        return;
    m_zoom->setViewSize(drawingSize());
    m_zoom->setOrigin(anchorPoint());
    if (m_picture.isNull() || m_picture.size() == drawingSize())
        return;
    QImage resized(drawingSize(), QImage::Format_RGB32);
    resized.fill(m_background);
    QPainter(&resized).drawImage(0, 0, m_picture);
    m_picture = resized;
}

QPoint Canvas::toDrawing(QPointF widgetPoint) const
{
    return m_zoom->mapping().toCanvas(widgetPoint - QPointF(contentsRect().topLeft())).toPoint();
}

void Canvas::mousePressEvent(QMouseEvent* event)
{
    emit pressed(toDrawing(event->position()), event->button());
}

void Canvas::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(toDrawing(event->position()), event->buttons());
}

void Canvas::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(toDrawing(event->position()), event->button());
}

} // namespace classic
