#include "EditorTests.h"

#include "editor/images/GifDecoder.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>

// Every seed of the decoder's fuzzing corpus decodes to the picture the image
// reader reads: a sprite; a 13 x 19 picture at (2, 1) on a larger screen with
// colour 3 transparent, stored plain and interlaced; 200 colours in a
// pseudo-random pattern, which fill the compressor's string table many times
// and take codes to their full 12-bit width.
void EditorTest::gifDecoderMatchesImageReader()
{
    const QDir corpus(QStringLiteral(KES_GIF_CORPUS));
    const QStringList seeds = corpus.entryList({QStringLiteral("*.gif")}, QDir::Files);
    QCOMPARE(seeds.size(), 4);
    for (const QString& seed : seeds) {
        QFile file(corpus.filePath(seed));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QImage decoded = animbox::decodeGif(file.readAll());
        QVERIFY2(!decoded.isNull(), qPrintable(seed));
        const QImage read = QImageReader(file.fileName()).read();
        QVERIFY2(decoded.convertToFormat(QImage::Format_ARGB32) == read.convertToFormat(QImage::Format_ARGB32),
                 qPrintable(seed));
    }
}
