#include "EditorTests.h"

#include "editor/images/GifDecoder.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>

void EditorTest::gifDecoderMatchesImageReader_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(QStringLiteral(KES_GIF_CORPUS));
    const QStringList seeds = corpus.entryList({QStringLiteral("*.gif")}, QDir::Files);
    QCOMPARE(seeds.size(), 4);
    for (const QString& seed : seeds)
        QTest::newRow(qPrintable(seed)) << corpus.filePath(seed);
}

// Every seed of the decoder's fuzzing corpus decodes to the picture the image
// reader reads: a sprite; a 13 x 19 picture at (2, 1) on a larger screen with
// colour 3 transparent, stored plain and interlaced; 200 colours in a
// pseudo-random pattern, which fill the compressor's string table many times
// and take codes to their full 12-bit width.
void EditorTest::gifDecoderMatchesImageReader()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QImage decoded = animbox::decodeGif(file.readAll());
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32),
             QImageReader(path).read().convertToFormat(QImage::Format_ARGB32));
}
