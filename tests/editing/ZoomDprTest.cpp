// The canvas on a high-density screen (device pixel ratio 2): the picture is
// drawn at device resolution, each sprite pixel a crisp square and the box
// outline one device pixel wide, at 1:1 and zoomed.

#include "ZoomPictures.h"
#include "editor/canvas/CanvasView.h"

#include <QApplication>
#include <QTest>

using editing::EditingFixture;

class ZoomDprTest : public QObject {
    Q_OBJECT
private slots:
    void sharpAtDeviceResolution_data();
    void sharpAtDeviceResolution();
};

void ZoomDprTest::sharpAtDeviceResolution_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
}

void ZoomDprTest::sharpAtDeviceResolution()
{
    QFETCH(int, level);
    EditingFixture f;
    QVERIFY(f.open(1));
    QVERIFY(editing::showZoomed(f, editing::checkerSprite(), level));
    animbox::CanvasView* canvas = f.window()->PicEdit();
    const QImage shot = canvas->grab(canvas->contentsRect()).toImage();
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    int checked = 0;
    QCOMPARE(editing::magnifiedPixelFault(f, shot, &checked), QString());
    QVERIFY(checked > 1000);
    QVERIFY(editing::outlineIsOneDevicePixel(f, shot));
}

int main(int argc, char* argv[])
{
    // Before the application exists, as a desktop's scaling setting would be.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ZoomDprTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ZoomDprTest.moc"
