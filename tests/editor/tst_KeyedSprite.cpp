#include "EditorTests.h"

#include "editor/canvas/KeyedSprite.h"

#include <QTest>

#include <cstring>

namespace {

constexpr QRgb kKey = 0xffff00ff;
constexpr QRgb kBlue = 0xff3060a0;

// A 10 × 8 sprite of `outside` with a 5 × 3 block of `inside` at (2, 3), as
// a palette image of `table` (indices 0 and 1) or as a colour image.
QImage blockSprite(const QList<QRgb>& table, bool palette)
{
    QImage image(10, 8, QImage::Format_Indexed8);
    image.setColorTable(table);
    image.fill(0);
    // Written as bytes: an index past the table is no pixel to setPixel().
    for (int y = 3; y < 6; ++y)
        memset(image.scanLine(y) + 2, 1, 5);
    return palette ? image : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void EditorTest::keyedSprite_data()
{
    QTest::addColumn<QImage>("sprite");
    QTest::addColumn<QRgb>("key");
    QTest::addColumn<QRect>("visible");
    QTest::addColumn<QRgb>("corner"); // the drawn pixels at (0, 0) and (2, 3)
    QTest::addColumn<QRgb>("inside");
    QTest::addColumn<bool>("opaque");
    const QRect block(2, 3, 5, 3);
    const QRect whole(0, 0, 10, 8);
    QTest::newRow("palette, key around") << blockSprite({kKey, kBlue}, true) << kKey << block << 0u << kBlue << false;
    QTest::newRow("colours, key around") << blockSprite({kKey, kBlue}, false) << kKey << block << 0u << kBlue << false;
    QTest::newRow("no key pixel") << blockSprite({kKey, kBlue}, true) << qRgb(0, 0, 0) << whole << kKey << kBlue << true;
    QTest::newRow("index past a short palette") << blockSprite({kBlue}, true) << kKey << whole << kBlue << 0u << false;
    QTest::newRow("key only") << blockSprite({kKey, kKey}, true) << kKey << QRect() << 0u << 0u << false;
}

// The key colour drawn transparent, the rectangle beyond which nothing shows,
// and a sprite left without transparent pixels kept opaque.
void EditorTest::keyedSprite()
{
    QFETCH(QImage, sprite);
    QFETCH(QRgb, key);
    QFETCH(QRect, visible);
    QFETCH(QRgb, corner);
    QFETCH(QRgb, inside);
    QFETCH(bool, opaque);
    const animbox::KeyedSprite keyed = animbox::KeyedSprite::convert(sprite, key);
    QCOMPARE(keyed.visible, visible);
    QCOMPARE(keyed.image.pixel(0, 0), corner);
    QCOMPARE(keyed.image.pixel(2, 3), inside);
    QCOMPARE(keyed.isOpaque(), opaque);
}
