#include "EditorTests.h"

#include "editor/GifDecoder.h"
#include "editor/ImageLoading.h"
#include "tools/GifWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <gif_lib.h>

namespace {

// A 4-colour GIF of `size` whose picture sits at (2, 1) on a larger screen,
// written interlaced or not, with colour index 3 transparent.
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
    // Interlaced rows are stored in four passes: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    QByteArray line(size.width(), '\0');
    for (int pass = 0; ok && pass < (interlaced ? 4 : 1); ++pass) {
        for (int y = interlaced ? starts[pass] : 0; ok && y < size.height(); y += interlaced ? steps[pass] : 1) {
            for (int x = 0; x < size.width(); ++x)
                line[x] = char((x + y) % 4);
            ok = EGifPutLine(gif, reinterpret_cast<GifPixelType*>(line.data()), size.width()) == GIF_OK;
        }
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

QImage readWithQt(const QString& path)
{
    return QImageReader(path).read().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void GifDecoderTest::decodesLikeImageReader_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("sprite") << "sprite";
    QTest::newRow("256 colours") << "256";
    QTest::newRow("offset, transparent") << "odd";
    QTest::newRow("interlaced") << "interlaced";
}

void GifDecoderTest::decodesLikeImageReader()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.gif"));
    if (kind == u"sprite") {
        QVERIFY(tools::writeGif(path, tools::makeSprite({120, 140}, 0xffff00ff, 0xff00ff00)));
    } else if (kind == u"256") {
        QImage image(64, 4, QImage::Format_RGB32);
        for (int i = 0; i < 256; ++i)
            image.setPixel(i % 64, i / 64, qRgb(i, 255 - i, i / 2));
        QVERIFY(tools::writeGif(path, image));
    } else {
        QVERIFY(writeOddGif(path, {13, 19}, kind == u"interlaced"));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QImage decoded = animbox::decodeGif(file.readAll());
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32), readWithQt(path));
}

void GifDecoderTest::refusesBrokenData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a gif") << QByteArray("\x89PNG\r\n\x1a\n", 8);
    QTest::newRow("header only") << QByteArray("GIF89a");
    QTest::newRow("no picture") << QByteArray("GIF89a\x02\x00\x02\x00\x00\x00\x00\x3b", 14);
    QTest::newRow("huge screen") << QByteArray("GIF89a\xff\xff\xff\xff\x00\x00\x00\x3b", 14);
}

void GifDecoderTest::refusesBrokenData()
{
    QFETCH(QByteArray, data);
    QVERIFY(animbox::decodeGif(data).isNull());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("b.gif")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    QString error;
    QVERIFY(animbox::loadImage(file.fileName(), &error).isNull());
    QVERIFY(error.contains(file.fileName()));
}
