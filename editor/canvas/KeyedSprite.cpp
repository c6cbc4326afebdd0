#include "editor/canvas/KeyedSprite.h"

#include <QList>

namespace animbox {

namespace {

constexpr QRgb kColourBits = 0x00ffffffu;

// Palette images (every GIF) map each index through a table of drawn
// colours, with the entries of the key made transparent. A short table reads
// as transparent past its end, as the general conversion does.
QImage fromPalette(const QImage& sprite, QRgb key)
{
    QList<QRgb> table = sprite.colorTable();
    table.resize(256, 0);
    for (QRgb& entry : table)
        entry = (entry & kColourBits) == key ? 0 : qPremultiply(entry);
    QImage image(sprite.size(), QImage::Format_ARGB32_Premultiplied);
    const QRgb* colours = table.constData();
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const uchar* in = sprite.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            out[x] = colours[in[x]];
    }
    return image;
}

QImage fromColours(const QImage& sprite, QRgb key)
{
    QImage image = sprite.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 255 && (line[x] & kColourBits) == key)
                line[x] = 0;
        }
    }
    return image;
}

// The rectangle of the pixels that are not fully transparent; whether any
// pixel at all is less than opaque.
QRect visibleRect(const QImage& image, bool* opaque)
{
    const int width = image.width();
    int top = image.height(), bottom = -1, left = width, right = -1;
    *opaque = true;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb any = 0;
        QRgb all = ~0u;
        for (int x = 0; x < width; ++x) {
            any |= line[x];
            all &= line[x];
        }
        *opaque = *opaque && qAlpha(all) == 255;
        if (qAlpha(any) == 0)
            continue;
        top = qMin(top, y);
        bottom = y;
        // Only a pixel beyond the columns found so far can widen the rectangle.
        for (int x = 0; x < left; ++x) {
            if (qAlpha(line[x]) != 0)
                left = x;
        }
        for (int x = width - 1; x > right; --x) {
            if (qAlpha(line[x]) != 0)
                right = x;
        }
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

KeyedSprite KeyedSprite::convert(const QImage& sprite, QRgb key)
{
    key &= kColourBits;
    KeyedSprite keyed;
    keyed.image = sprite.format() == QImage::Format_Indexed8 && !sprite.colorTable().isEmpty()
        ? fromPalette(sprite, key)
        : fromColours(sprite, key);
    bool opaque = false;
    keyed.visible = visibleRect(keyed.image, &opaque);
    // Every alpha is 255, so the pixels read the same as opaque ones.
    if (opaque)
        keyed.image.reinterpretAsFormat(QImage::Format_RGB32);
    return keyed;
}

} // namespace animbox
