// Feeds arbitrary bytes to the GIF sprite decoder: it must refuse what it
// cannot read without crashing, and every picture it returns has the GIF's
// screen size with a full colour table.

#include "editor/GifDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QImage image = animbox::decodeGif(bytes);
    if (!image.isNull() && (image.format() != QImage::Format_Indexed8 || image.colorCount() != 256))
        std::abort();
    return 0;
}
