// The arithmetic of a magnified canvas view: which canvas pixel a view point
// means, where a canvas rectangle shows and how far the view pans.

#include "model/zoom/ZoomMapping.h"

#include <QTest>

using model::ZoomMapping;

namespace {

// A view of 600 × 400 pixels zoomed around (270, 280).
ZoomMapping mapping(int level, QPoint pan = {})
{
    ZoomMapping m;
    m.setViewSize(QSize(600, 400));
    m.setOrigin(QPoint(270, 280));
    m.setLevel(level);
    m.setPan(pan);
    return m;
}

} // namespace

class TestZoomMapping : public QObject {
    Q_OBJECT

private slots:
    void pointerMeansThePixelUnderIt_data();
    void pointerMeansThePixelUnderIt();
    void panStaysOnThePicture_data();
    void panStaysOnThePicture();
};

void TestZoomMapping::pointerMeansThePixelUnderIt_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QPoint>("pan");
    QTest::addColumn<QPointF>("canvas");
    QTest::newRow("1: sub-pixel positions kept") << 1 << QPoint() << QPointF(12.5, -3.5);
    QTest::newRow("3: right of and below the origin") << 3 << QPoint() << QPointF(275, 290);
    QTest::newRow("3: left of and above the origin") << 3 << QPoint() << QPointF(261, 250);
    QTest::newRow("8, panned") << 8 << QPoint(-500, 300) << QPointF(250, 300);
    QTest::newRow("8, left of the picture's first column") << 8 << QPoint(-1000, 0) << QPointF(-1, 270);
}

// The whole magnified square of a canvas pixel, and only it, maps back to
// that pixel; at level 1 a view point is the canvas point itself.
void TestZoomMapping::pointerMeansThePixelUnderIt()
{
    QFETCH(int, level);
    QFETCH(QPoint, pan);
    QFETCH(QPointF, canvas);
    const ZoomMapping m = mapping(level, pan);
    const QPointF corner = m.toView(canvas);
    for (const QPointF inside : {QPointF(0, 0), QPointF(level - 0.01, level - 0.01)})
        QCOMPARE(m.toCanvas(corner + inside), level == 1 ? corner + inside : canvas);
    if (level > 1)
        QCOMPARE(m.toCanvas(corner - QPointF(0.01, 0.01)), canvas - QPointF(1, 1));
    const QRect pixel(canvas.toPoint(), QSize(1, 1));
    QCOMPARE(m.toView(pixel).size(), QSize(level, level));
    QCOMPARE(m.canvasPixelsUnder(m.toView(pixel)), pixel);
}

void TestZoomMapping::panStaysOnThePicture_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QPoint>("asked");
    QTest::addColumn<QPoint>("pan");
    QTest::newRow("1: nothing to pan") << 1 << QPoint(50, -50) << QPoint(0, 0);
    QTest::newRow("2: within reach") << 2 << QPoint(-100, 100) << QPoint(-100, 100);
    QTest::newRow("2: up to the top-left corner") << 2 << QPoint(-9999, -9999) << QPoint(-270, -280);
    QTest::newRow("4: up to the bottom-right corner") << 4 << QPoint(9999, 9999) << QPoint(990, 360);
}

// The view never leaves what the picture covers at level 1.
void TestZoomMapping::panStaysOnThePicture()
{
    QFETCH(int, level);
    QFETCH(QPoint, asked);
    QFETCH(QPoint, pan);
    const ZoomMapping m = mapping(level, asked);
    QCOMPARE(m.pan(), pan);
    QCOMPARE(m.canPan(), level > 1);
    QVERIFY(QRect(0, 0, 600, 400).contains(m.canvasPixelsUnder(QRect(0, 0, 600, 400))));
}

QTEST_APPLESS_MAIN(TestZoomMapping)
#include "TestZoomMapping.moc"
