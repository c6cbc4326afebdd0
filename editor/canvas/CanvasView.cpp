#include "editor/canvas/CanvasView.h"

#include "zoom/MagnifiedPainting.h"
#include "zoom/ZoomControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace animbox {

namespace {

constexpr int kBorder = 2;
constexpr qsizetype kSpriteCacheBytes = 128 * 1024 * 1024;
constexpr int kCrossArm = 5;

} // namespace

CanvasView::CanvasView(QWidget* parent)
    : QFrame(parent)
    , m_zoom(new zoom::ZoomControl(this, zoom::ZoomControl::Panning::On))
    , m_composer(kBackground)
    , m_sprites(kSpriteCacheBytes / 1024)
    , m_shape1(new BoxShape(QStringLiteral("Shape1"), QColor(0, 0, 255), m_zoom->mapping(), this))
    , m_shape1a(new BoxShape(QStringLiteral("Shape1a"), QColor(0, 0, 255), m_zoom->mapping(), this))
    , m_shape2(new BoxShape(QStringLiteral("Shape2"), QColor(255, 0, 0), m_zoom->mapping(), this))
    , m_shape2a(new BoxShape(QStringLiteral("Shape2a"), QColor(255, 0, 0), m_zoom->mapping(), this))
{
    fitPicture();
    setObjectName(QStringLiteral("PicEdit"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorder);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (BoxShape* shape : {m_shape1, m_shape1a, m_shape2, m_shape2a})
        shape->setCanvasOffset(QPoint(kBorder, kBorder));
    connect(m_zoom, &zoom::ZoomControl::mappingChanged, this, &CanvasView::followZoom);
}

QRgb CanvasView::rgbFromColorValue(qint32 value)
{
    return qRgb(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

qint32 CanvasView::colorValueFromRgb(QRgb rgb)
{
    return qBlue(rgb) * 65536 + qGreen(rgb) * 256 + qRed(rgb);
}

QRgb CanvasView::pixelAt(QPoint canvasPoint) const
{
    if (!m_picture.rect().contains(canvasPoint))
        return kBackground;
    return m_picture.pixel(canvasPoint);
}

void CanvasView::setKeyColor(QRgb color)
{
    color |= 0xff000000u;
    if (color == m_keyColor)
        return;
    m_keyColor = color;
    m_sprites.clear();
}

void CanvasView::clearPicture()
{
    m_composer.begin();
}

void CanvasView::drawSprite(const QImage& sprite, QPoint topLeft)
{
    if (!sprite.isNull())
        m_composer.addSprite(transparentSprite(sprite), topLeft);
}

void CanvasView::drawCross(QPoint origin)
{
    m_composer.addCross(origin, kCrossArm, palette().color(QPalette::WindowText));
}

void CanvasView::present()
{
    fitPicture();
    if (m_picture.isNull()) {
        m_picture = QImage(m_pictureSize, QImage::Format_RGB32);
        m_picture.fill(kBackground);
    }
    const QRect area = contentsRect();
    QRegion view;
    for (const QRect& rect : m_composer.compose(m_picture))
        view += m_zoom->mapping().toView(rect);
    update(view.translated(area.topLeft()) & area);
}

QPointF CanvasView::toCanvas(QPointF widgetPoint) const
{
    return m_zoom->mapping().toCanvas(widgetPoint - QPointF(contentsRect().topLeft()));
}

void CanvasView::followZoom()
{
    for (BoxShape* shape : {m_shape1, m_shape1a, m_shape2, m_shape2a})
        shape->place();
    update();
}

const KeyedSprite& CanvasView::transparentSprite(const QImage& sprite)
{
    // The cache key changes whenever a frame gets another image; a new key
    // colour empties the cache.
    const qint64 key = sprite.cacheKey();
    if (const KeyedSprite* cached = m_sprites.object(key))
        return *cached;
    KeyedSprite converted = KeyedSprite::convert(sprite, m_keyColor);
    const int cost = int(qMax<qsizetype>(1, converted.image.sizeInBytes() / 1024));
    if (cost > m_sprites.maxCost()) {
        // Larger than the whole cache: keep just this one until the next draw.
        m_uncached = std::move(converted);
        return m_uncached;
    }
    m_sprites.insert(key, new KeyedSprite(std::move(converted)), cost);
    return *m_sprites.object(key);
}

void CanvasView::paintEvent(QPaintEvent* event)
{
    const QRect area = contentsRect();
    // Most redraws change pixels well inside the border.
    if (!area.contains(event->region().boundingRect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    painter.translate(area.topLeft());
    // Each rectangle of the region on its own: their bounding rectangle can
    // be much larger than the pixels that changed.
    for (const QRect& exposed : event->region()) {
        const QRect inside = exposed.translated(-area.topLeft()) & QRect(QPoint(), area.size());
        if (m_picture.isNull())
            painter.fillRect(inside, QColor::fromRgb(kBackground));
        else
            zoom::drawMagnified(painter, m_picture, m_zoom->mapping(), inside);
    }
    painter.resetTransform();
    for (const BoxShape* shape : {m_shape1, m_shape1a, m_shape2, m_shape2a})
        shape->paint(painter);
}

void CanvasView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fitPicture();
}

// The picture follows the inner size of the canvas, also while the widget is
// hidden and gets no resize events. What was drawn stays where it still fits.
// Before the first redraw the view shows the background alone, and the
// picture is made by that redraw: the window's first frame needs none.
void CanvasView::fitPicture()
{
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
    if (size == m_pictureSize)
        return;
    m_pictureSize = size;
    m_zoom->setViewSize(size);
    m_composer.invalidate();
    if (m_picture.isNull())
        return;
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kBackground);
    QPainter painter(&picture);
    painter.drawImage(0, 0, m_picture);
    painter.end();
    m_picture = picture;
}

void CanvasView::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->button(), event->modifiers(), toCanvas(event->position()));
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->buttons(), event->modifiers(), toCanvas(event->position()));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button(), event->modifiers(), toCanvas(event->position()));
}

void CanvasView::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event->key(), event->modifiers());
}

} // namespace animbox
