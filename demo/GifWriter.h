#pragma once

#include <QImage>
#include <QString>

namespace tools {

// Writes `image` as a single-frame GIF. The image may hold at most 256
// distinct colours (alpha is ignored). Returns false, with `error` set, when
// the image has too many colours or the file cannot be written.
bool writeGif(const QString& path, const QImage& image, QString* error = nullptr);

// A sprite-like test image: `size` filled with `background`, with a filled
// rectangle of `foreground` inset by `inset` pixels on every side.
QImage makeSprite(QSize size, QRgb background, QRgb foreground, int inset = 2);

} // namespace tools
