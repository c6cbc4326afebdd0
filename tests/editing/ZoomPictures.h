#pragma once

#include "EditingFixture.h"

#include <QImage>
#include <QPointF>
#include <QString>

namespace model {
class ZoomMapping;
}

namespace editing {

// A 40 × 60 sprite whose neighbouring pixels all differ: a checkerboard of
// green and yellow, so that any misplaced pixel of a magnified view shows.
QImage checkerSprite();

// The canvas view's mapping.
const model::ZoomMapping& mapping(EditingFixture& f);

// The view point `inside` view pixels into the magnified square of canvas pixel `canvas`.
QPointF onPixel(EditingFixture& f, QPoint canvas, QPoint inside = {});

// A wheel turn by `angle` in the middle of `widget`.
void wheel(QWidget* widget, QPoint angle, Qt::KeyboardModifiers modifiers = {});

// Sets the level and, above 1, pans by a middle drag so that canvas point
// `middle` shows in the middle of the view. False when that failed.
bool zoomOn(EditingFixture& f, int level, QPoint middle);

// Shows `picture` as row 0's sprite with a body box of (2, 3, 10, 20), at
// `level` with the sprite's middle in the middle of the view.
bool showZoomed(EditingFixture& f, const QImage& picture, int level);

// Checks a device-resolution grab of the canvas's drawing area: every canvas
// pixel of row 0's sprite that shows whole and clear of the box outlines is
// a square of level × device-pixel-ratio device pixels, in the colour of the
// canvas picture. Empty when all are; else the first that is not.
// `checked` receives the number of pixels looked at.
QString magnifiedPixelFault(EditingFixture& f, const QImage& shot, int* checked);

// Whether the body box outline in `shot` is one device pixel wide: its
// outermost ring of device pixels is blue and the ring inside it is not.
bool outlineIsOneDevicePixel(EditingFixture& f, const QImage& shot);

} // namespace editing
