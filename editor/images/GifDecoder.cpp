#include "editor/images/GifDecoder.h"

#include "editor/images/GifLzw.h"

#include <gif_lib.h>

#include <cstring>
#include <memory>

namespace animbox {

namespace {

// Pictures above this many pixels are left to the general reader, which
// applies its own allocation limit.
constexpr qint64 kMaxPixels = 64 * 1024 * 1024;

struct MemorySource {
    const QByteArray* data;
    qsizetype position;
};

int readFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* source = static_cast<MemorySource*>(gif->UserData);
    const qsizetype count = qMin<qsizetype>(length, source->data->size() - source->position);
    std::memcpy(buffer, source->data->constData() + source->position, size_t(count));
    source->position += count;
    return int(count);
}

// Closes the decoder on every way out.
struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

QList<QRgb> colourTable(const ColorMapObject* map, int transparentIndex)
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    for (int i = 0; map && i < map->ColorCount && i < 256; ++i)
        table[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
    if (transparentIndex >= 0 && transparentIndex < 256)
        table[transparentIndex] &= 0x00ffffffu;
    return table;
}

// Reads the raster of the current image descriptor into `image` at the
// descriptor's place, clipped to the screen; interlaced rows come in four
// passes. The compressed sub-blocks are joined and decoded in one go.
bool readRaster(GifFileType* gif, QImage& image)
{
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || qint64(desc.Width) * desc.Height > kMaxPixels)
        return false;
    int minCodeSize = 0;
    GifByteType* block = nullptr;
    QByteArray codes;
    if (DGifGetCode(gif, &minCodeSize, &block) != GIF_OK)
        return false;
    while (block) {
        codes.append(reinterpret_cast<const char*>(block + 1), block[0]);
        if (DGifGetCodeNext(gif, &block) != GIF_OK)
            return false;
    }
    QByteArray indices(qsizetype(desc.Width) * desc.Height, Qt::Uninitialized);
    if (!decodeLzw(minCodeSize, codes, reinterpret_cast<unsigned char*>(indices.data()), indices.size()))
        return false;
    const int width = qMin(desc.Width, image.width() - desc.Left);
    const auto copyRow = [&](int row, int source) {
        const int y = desc.Top + row;
        if (y >= 0 && y < image.height() && width > 0)
            std::memcpy(image.scanLine(y) + desc.Left, indices.constData() + qsizetype(source) * desc.Width, size_t(width));
    };
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    int source = 0;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = desc.Interlace ? kStart[pass] : 0;
        const int step = desc.Interlace ? kStep[pass] : 1;
        for (int row = start; row < desc.Height; row += step)
            copyRow(row, source++);
    }
    return true;
}

} // namespace

QImage decodeGif(const QByteArray& data)
{
    if (!data.startsWith("GIF"))
        return {};
    MemorySource source{&data, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readFromMemory, &error));
    if (!gif || gif->SWidth <= 0 || gif->SHeight <= 0 || qint64(gif->SWidth) * gif->SHeight > kMaxPixels)
        return {};
    int transparentIndex = NO_TRANSPARENT_COLOR;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (DGifGetRecordType(gif.get(), &type) == GIF_OK && type != TERMINATE_RECORD_TYPE) {
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK)
                return {};
            GraphicsControlBlock control;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparentIndex = control.TransparentColor;
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK)
                    return {};
            }
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) != GIF_OK)
                return {};
            QImage image(gif->SWidth, gif->SHeight, QImage::Format_Indexed8);
            if (image.isNull())
                return {};
            const ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
            image.setColorTable(colourTable(map, transparentIndex));
            // Outside the picture: transparent when the GIF has a transparent
            // colour, else its background colour (as the general reader does).
            image.fill(uint(transparentIndex >= 0 ? transparentIndex : gif->SBackGroundColor));
            return readRaster(gif.get(), image) ? image : QImage();
        }
    }
    return {};
}

} // namespace animbox
