#include "demo/GifWriter.h"

#include <QFile>
#include <QHash>
#include <QVector>

#include <gif_lib.h>

namespace tools {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool writeGif(const QString& path, const QImage& source, QString* error)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> indexOf;
    QVector<GifColorType> colours;
    QVector<GifByteType> pixels;
    pixels.reserve(qsizetype(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x] | 0xff000000u;
            auto it = indexOf.constFind(rgb);
            if (it == indexOf.constEnd()) {
                if (colours.size() == 256)
                    return fail(error, QStringLiteral("more than 256 colours in %1").arg(path));
                it = indexOf.insert(rgb, int(colours.size()));
                colours.append(GifColorType{GifByteType(qRed(rgb)), GifByteType(qGreen(rgb)),
                                            GifByteType(qBlue(rgb))});
            }
            pixels.append(GifByteType(it.value()));
        }
    }
    int bits = 1;
    while ((1 << bits) < colours.size())
        ++bits;
    colours.resize(1 << bits);

    int status = 0;
    const QByteArray encoded = QFile::encodeName(path);
    GifFileType* gif = EGifOpenFileName(encoded.constData(), false, &status);
    if (!gif)
        return fail(error, QStringLiteral("cannot create %1").arg(path));
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, image.width(), image.height(), bits, 0, map) == GIF_OK
        && EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = EGifPutLine(gif, pixels.data() + qsizetype(y) * image.width(), image.width()) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &status) != GIF_OK)
        ok = false;
    return ok ? true : fail(error, QStringLiteral("cannot write %1").arg(path));
}

QImage makeSprite(QSize size, QRgb background, QRgb foreground, int inset)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    for (int y = inset; y < size.height() - inset; ++y)
        for (int x = inset; x < size.width() - inset; ++x)
            image.setPixel(x, y, foreground);
    return image;
}

} // namespace tools
