#include "ZoomPictures.h"

#include "editor/canvas/BoxShape.h"
#include "editor/canvas/CanvasView.h"
#include "model/zoom/ZoomMapping.h"
#include "zoom/ZoomControl.h"

#include <QApplication>
#include <QWheelEvent>

namespace editing {

namespace {

const QRgb kBlue = qRgb(0, 0, 255);

// The device pixels of a rectangle of view pixels in the grab.
QRect deviceRect(const QRect& view, qreal ratio)
{
    return QRect(view.topLeft() * ratio, view.size() * ratio);
}

bool ringIs(const QImage& shot, const QRect& ring, bool blue)
{
    for (int x = ring.left(); x <= ring.right(); ++x) {
        for (const int y : {ring.top(), ring.bottom()}) {
            if ((shot.pixel(x, y) == kBlue) != blue)
                return false;
        }
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        for (const int x : {ring.left(), ring.right()}) {
            if ((shot.pixel(x, y) == kBlue) != blue)
                return false;
        }
    }
    return true;
}

} // namespace

QImage checkerSprite()
{
    QImage sprite(40, 60, QImage::Format_RGB32);
    for (int y = 0; y < sprite.height(); ++y) {
        for (int x = 0; x < sprite.width(); ++x)
            sprite.setPixel(x, y, (x + y) % 2 ? qRgb(0, 160, 0) : qRgb(255, 255, 0));
    }
    return sprite;
}

const model::ZoomMapping& mapping(EditingFixture& f)
{
    return f.window()->PicEdit()->zoom()->mapping();
}

QPointF onPixel(EditingFixture& f, QPoint canvas, QPoint inside)
{
    return mapping(f).toView(QPointF(canvas)) + QPointF(inside);
}

bool zoomOn(EditingFixture& f, int level, QPoint middle)
{
    animbox::CanvasView* canvas = f.window()->PicEdit();
    canvas->zoom()->setLevel(level);
    if (canvas->zoom()->level() != level)
        return false;
    if (level == 1)
        return true;
    const QPointF target(canvas->innerSize().width() / 2, canvas->innerSize().height() / 2);
    f.drag(onPixel(f, middle), target, Qt::MiddleButton);
    return onPixel(f, middle) == target;
}

bool showZoomed(EditingFixture& f, const QImage& picture, int level)
{
    f.frame(0).picture = picture;
    f.frame(0).bodyBox = {2, 3, 10, 20};
    f.frame(0).bodyEmpty = model::BoxState::Normal;
    f.window()->DrawFrame(0, true);
    return zoomOn(f, level, f.corner(0) + QPoint(20, 30));
}

QString magnifiedPixelFault(EditingFixture& f, const QImage& shot, int* checked)
{
    animbox::CanvasView* canvas = f.window()->PicEdit();
    const model::ZoomMapping& mapping = canvas->zoom()->mapping();
    const qreal ratio = shot.devicePixelRatio();
    const QRect outline = mapping.toView(canvas->shape1()->canvasRect());
    *checked = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QPoint pixel = f.corner(0) + QPoint(x, y);
            const QRect view = mapping.toView(QRect(pixel, QSize(1, 1)));
            const QRect square = deviceRect(view, ratio);
            if (!shot.rect().contains(square) || view.intersects(outline.adjusted(-1, -1, 1, 1)))
                continue;
            ++*checked;
            const QRgb expected = canvas->picture().pixel(pixel);
            for (int dy = 0; dy < square.height(); ++dy) {
                for (int dx = 0; dx < square.width(); ++dx) {
                    if (shot.pixel(square.topLeft() + QPoint(dx, dy)) != expected)
                        return QStringLiteral("sprite pixel (%1, %2) at device (%3, %4)")
                            .arg(x)
                            .arg(y)
                            .arg(square.x() + dx)
                            .arg(square.y() + dy);
                }
            }
        }
    }
    return {};
}

bool outlineIsOneDevicePixel(EditingFixture& f, const QImage& shot)
{
    animbox::CanvasView* canvas = f.window()->PicEdit();
    const QRect view = canvas->zoom()->mapping().toView(canvas->shape1()->canvasRect());
    const QRect ring = deviceRect(view, shot.devicePixelRatio());
    return shot.rect().contains(ring) && ringIs(shot, ring, true) && ringIs(shot, ring.adjusted(1, 1, -1, -1), false);
}

void wheel(QWidget* widget, QPoint angle, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(widget->rect().center());
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(widget, &event);
}

} // namespace editing
