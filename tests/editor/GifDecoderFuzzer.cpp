// Feeds arbitrary bytes to the GIF sprite decoder: it must refuse what it
// cannot read without crashing, and every picture it returns has a full
// 256-entry colour table.

#include "editor/images/GifDecoder.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QImage image = animbox::decodeGif(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!image.isNull() && (image.format() != QImage::Format_Indexed8 || image.colorCount() != 256))
        qFatal("decodeGif returned a picture without a full colour table");
    return 0;
}
