#include "EditorTests.h"

#include "demo/GifWriter.h"
#include "editor/images/GifDecoder.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <gif_lib.h>

namespace {

// A 4-colour GIF whose picture sits at (2, 1) on a larger screen, colour 3
// transparent, stored interlaced or not.
bool writeOddGif(const QString& path, QSize size, bool interlaced)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif)
        return false;
    GifColorType colours[4] = {{255, 0, 255}, {0, 200, 0}, {0, 0, 200}, {10, 20, 30}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    GraphicsControlBlock control{};
    control.TransparentColor = 3;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    bool ok = EGifPutScreenDesc(gif, size.width() + 3, size.height() + 2, 2, 0, map) == GIF_OK
        && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK
        && EGifPutImageDesc(gif, 2, 1, size.width(), size.height(), interlaced, nullptr) == GIF_OK;
    // Interlaced rows come in four passes: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    QByteArray line(size.width(), '\0');
    for (int pass = 0; ok && pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? starts[pass] : 0; ok && y < size.height(); y += interlaced ? steps[pass] : 1) {
            for (int x = 0; x < size.width(); ++x)
                line[x] = char((x + y) % 4);
            ok = EGifPutLine(gif, reinterpret_cast<GifPixelType*>(line.data()), size.width()) == GIF_OK;
        }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

// 200 colours in a pseudo-random pattern: the compressor's string table fills
// up and is cleared many times, and codes reach their full 12-bit width.
QImage noisyPicture()
{
    QImage image(160, 120, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1103515245u + 12345u;
            const int colour = int((state >> 16) % 200);
            image.setPixel(x, y, qRgb(colour, 255 - colour, colour / 2));
        }
    return image;
}

} // namespace

void EditorTest::gifDecoderMatchesImageReader_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("sprite") << "sprite";
    QTest::newRow("offset, transparent") << "odd";
    QTest::newRow("interlaced") << "interlaced";
    QTest::newRow("full string table") << "noisy";
}

void EditorTest::gifDecoderMatchesImageReader()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.gif"));
    if (kind == u"sprite")
        QVERIFY(tools::writeGif(path, tools::makeSprite({120, 140}, 0xffff00ff, 0xff00ff00)));
    else if (kind == u"noisy")
        QVERIFY(tools::writeGif(path, noisyPicture()));
    else
        QVERIFY(writeOddGif(path, {13, 19}, kind == u"interlaced"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QImage decoded = animbox::decodeGif(file.readAll());
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32),
             QImageReader(path).read().convertToFormat(QImage::Format_ARGB32));
}
