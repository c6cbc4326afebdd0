#pragma once

#include <QByteArray>
#include <QImage>

namespace animbox {

// Decodes the first picture of a GIF held in memory into an 8-bit palette
// image of the GIF's screen size, with the GIF's transparent colour (if any)
// fully transparent. A null image when `data` is not a readable GIF. Faster
// than the general image reader for the many small sprites of a character.
QImage decodeGif(const QByteArray& data);

} // namespace animbox
