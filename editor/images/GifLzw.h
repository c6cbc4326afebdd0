#pragma once

#include <QByteArrayView>

namespace animbox {

// Decodes the LZW data of one GIF picture (its sub-blocks joined, without
// their length bytes) into exactly `count` colour indices at `pixels`.
// `minCodeSize` is the picture's LZW minimum code size (2 to 8). False when
// the data is malformed or ends before `count` indices; what follows the
// last needed index is ignored.
bool decodeLzw(int minCodeSize, QByteArrayView codes, unsigned char* pixels, qsizetype count);

} // namespace animbox
