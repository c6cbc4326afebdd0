#pragma once

#include <QImage>
#include <QRect>

namespace animbox {

// A sprite made ready to draw on the canvas: every pixel of the key colour
// fully transparent, premultiplied, and the rectangle that holds all its
// other pixels, outside which drawing it changes nothing. A sprite left
// without any transparent pixel is kept as an opaque image, which draws as
// a plain copy.
struct KeyedSprite {
    QImage image;
    QRect visible;

    static KeyedSprite convert(const QImage& sprite, QRgb key);
    bool isOpaque() const { return !image.isNull() && !image.hasAlphaChannel(); }
};

} // namespace animbox
