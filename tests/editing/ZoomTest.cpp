// The zoomed canvas of the main window: gestures write what they write at
// 1:1, the view pans without moving anything, the zoom keys and the stored
// level, and the magnified picture.

#include "EditingFixture.h"
#include "ZoomPictures.h"
#include "editor/canvas/CanvasView.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/settings/IniSettings.h"
#include "zoom/ZoomControl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QWindow>
#include <QTest>

using editing::EditingFixture;
using editing::mapping;
using editing::onPixel;
using editing::wheel;
using editing::zoomOn;

namespace {

// The canvas as the window last painted it, after the pending paints.
QImage shownCanvas(animbox::FrmMain* window)
{
    QCoreApplication::processEvents();
    const animbox::CanvasView* canvas = window->PicEdit();
    const QRect inner(canvas->mapTo(window, canvas->contentsRect().topLeft()), canvas->contentsRect().size());
    return window->windowHandle()
        ->screen()
        ->grabWindow(window->winId(), inner.x(), inner.y(), inner.width(), inner.height())
        .toImage();
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT
private slots:
    void sameBoxAtEveryLevel_data();
    void sameBoxAtEveryLevel();
    void spriteStaysUnderAnchorDrag_data();
    void spriteStaysUnderAnchorDrag();
    void panningMovesOnlyTheView_data();
    void panningMovesOnlyTheView();
    void zoomKeysAndStoredLevel_data();
    void zoomKeysAndStoredLevel();
    void magnifiedPicture();
    void dragPaintsAsAFullRedraw_data();
    void dragPaintsAsAFullRedraw();
};

void ZoomTest::sameBoxAtEveryLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QPoint>("inside"); // where on the magnified pixels the pointer is
    QTest::newRow("1") << 1 << QPoint();
    QTest::newRow("3, first view pixel") << 3 << QPoint();
    QTest::newRow("8, last view pixel") << 8 << QPoint(7, 7);
}

// A drag from sprite pixel (5, 6) to (15, 26) writes the same body box and
// ends with the same read-out at every level; the band shows magnified.
void ZoomTest::sameBoxAtEveryLevel()
{
    QFETCH(int, level);
    QFETCH(QPoint, inside);
    EditingFixture f;
    QVERIFY(f.open(1));
    QVERIFY(zoomOn(f, level, f.corner(0) + QPoint(10, 16)));
    f.drag(onPixel(f, f.corner(0) + QPoint(5, 6), inside), onPixel(f, f.corner(0) + QPoint(15, 26), inside),
           Qt::LeftButton);
    QCOMPARE(f.frame(0).bodyBox, (model::Box{5, 6, 10, 20}));
    const QPoint fromCross = f.corner(0) + QPoint(15, 26) - f.origin();
    QCOMPARE(f.window()->Frame3()->Label1()->text(),
             QStringLiteral("X边距:%1\r\nY边距%2").arg(fromCross.x()).arg(-fromCross.y()));
    QCOMPARE(f.window()->PicEdit()->shape1()->size(), QSize(10, 20) * level);
}

void ZoomTest::spriteStaysUnderAnchorDrag_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QPoint>("move"); // view pixels, from the middle of the grabbed square
    QTest::addColumn<QPoint>("anchorMove");
    QTest::newRow("1") << 1 << QPoint(13, -7) << QPoint(-13, 7);
    QTest::newRow("2") << 2 << QPoint(13, -7) << QPoint(-7, 3);
    QTest::newRow("6, within the pixel") << 6 << QPoint(2, 0) << QPoint(0, 0);
    QTest::newRow("6") << 6 << QPoint(-40, 25) << QPoint(7, -4);
}

// The sprite pixel grabbed by a Ctrl-drag stays under the pointer; the
// anchor moves by whole sprite pixels, against the pointer.
void ZoomTest::spriteStaysUnderAnchorDrag()
{
    QFETCH(int, level);
    QFETCH(QPoint, move);
    QFETCH(QPoint, anchorMove);
    EditingFixture f;
    QVERIFY(f.open(1));
    QVERIFY(zoomOn(f, level, f.corner(0) + QPoint(20, 30)));
    const QPoint grabbed(20, 30);
    const QPoint anchor = f.anchor(0);
    const QPointF press = onPixel(f, f.corner(0) + grabbed, QPoint(level / 2, level / 2));
    f.drag(press, press + move, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(f.anchor(0) - anchor, anchorMove);
    QCOMPARE(mapping(f).toCanvas(press + move).toPoint() - f.corner(0), grabbed);
}

void ZoomTest::panningMovesOnlyTheView_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QPoint>("crossMoves"); // direction of the cross on the view
    QTest::newRow("middle drag") << 2 << "drag" << QPoint(1, 1);
    QTest::newRow("wheel down") << 4 << "wheel" << QPoint(0, -1);
    QTest::newRow("Shift+wheel down") << 4 << "shift wheel" << QPoint(-1, 0);
    QTest::newRow("wheel at 1: nothing to pan") << 1 << "wheel" << QPoint();
}

// Panning moves the cross and the sprite together on the view and writes nothing.
void ZoomTest::panningMovesOnlyTheView()
{
    QFETCH(int, level);
    QFETCH(QString, input);
    QFETCH(QPoint, crossMoves);
    EditingFixture f;
    QVERIFY(f.open(1));
    const model::FrameRecord before = f.frame(0);
    QVERIFY(zoomOn(f, level, f.origin()));
    const QPointF cross = onPixel(f, f.origin());
    const QPointF sprite = onPixel(f, f.corner(0));
    if (input == QLatin1String("drag"))
        f.drag(cross, cross + QPoint(30, 20), Qt::MiddleButton);
    else
        wheel(f.window()->PicEdit(), QPoint(0, -120), input.startsWith(u's') ? Qt::ShiftModifier : Qt::NoModifier);
    const QPointF moved = onPixel(f, f.origin()) - cross;
    QCOMPARE(QPoint(qBound(-1.0, moved.x(), 1.0), qBound(-1.0, moved.y(), 1.0)), crossMoves);
    QCOMPARE(onPixel(f, f.corner(0)) - sprite, moved);
    QCOMPARE(f.anchor(0), QPoint(before.offsetX, before.offsetY));
    QCOMPARE(f.frame(0).bodyBox, before.bodyBox);
    QCOMPARE(f.frame(0).bodyEmpty, before.bodyEmpty);
}

void ZoomTest::zoomKeysAndStoredLevel_data()
{
    QTest::addColumn<QString>("inputs"); // + - 0: Ctrl with =, - and 0; ^ v: Ctrl+wheel up and down
    QTest::addColumn<int>("level");
    QTest::newRow("Ctrl+= twice") << "++" << 3;
    QTest::newRow("Ctrl+- stays at 1") << "-" << 1;
    QTest::newRow("up to the largest and past it") << "+++++++" << 8;
    QTest::newRow("Ctrl+0") << "+++0" << 1;
    QTest::newRow("Ctrl+wheel") << "^^v^" << 3;
}

// The level steps through 1, 2, 3, 4, 6, 8, shows beside the canvas, and a
// new window starts with it from the settings.
void ZoomTest::zoomKeysAndStoredLevel()
{
    QFETCH(QString, inputs);
    QFETCH(int, level);
    EditingFixture f;
    QVERIFY(f.open(1));
    QVERIFY(QTest::qWaitForWindowActive(f.window()));
    animbox::CanvasView* canvas = f.window()->PicEdit();
    for (const QChar input : inputs) {
        switch (input.unicode()) {
        case u'+': QTest::keyClick(f.window(), Qt::Key_Equal, Qt::ControlModifier); break;
        case u'-': QTest::keyClick(f.window(), Qt::Key_Minus, Qt::ControlModifier); break;
        case u'0': QTest::keyClick(f.window(), Qt::Key_0, Qt::ControlModifier); break;
        default: wheel(canvas, QPoint(0, input == u'^' ? 120 : -120), Qt::ControlModifier); break;
        }
    }
    QCOMPARE(canvas->zoom()->level(), level);
    QCOMPARE(f.window()->lblZoom()->text(), QStringLiteral("缩放 %1x").arg(level));
    if (level > 1)
        QCOMPARE(animbox::IniSettings(f.files.settingsPath()).ReadSetting(QStringLiteral("zoom")), QString::number(level));
    const auto again = f.files.window();
    QCOMPARE(again->PicEdit()->zoom()->level(), level);
}

// At level 4 each sprite pixel is a 4 × 4 square of its colour, and the box
// outline one pixel wide on the edges of the pixels it frames; the colour
// pick reads the pixel under the pointer.
void ZoomTest::magnifiedPicture()
{
    EditingFixture f;
    QVERIFY(f.open(1));
    QVERIFY(editing::showZoomed(f, editing::checkerSprite(), 4));
    animbox::CanvasView* canvas = f.window()->PicEdit();
    const QImage shot = canvas->grab(canvas->contentsRect()).toImage();
    int checked = 0;
    QCOMPARE(editing::magnifiedPixelFault(f, shot, &checked), QString());
    QVERIFY(checked > 1000);
    QVERIFY(editing::outlineIsOneDevicePixel(f, shot));
    // An Alt-click on the last view column of a magnified pixel picks that pixel.
    const QPoint pixel = f.corner(0) + QPoint(20, 30);
    f.drag(onPixel(f, pixel, {3, 0}), onPixel(f, pixel, {3, 0}), Qt::LeftButton, Qt::AltModifier);
    QCOMPARE(f.window()->transparentColor(), animbox::CanvasView::colorValueFromRgb(canvas->picture().pixel(pixel)));
}

void ZoomTest::dragPaintsAsAFullRedraw_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("change"); // made between the first and the second move of the anchor drag
    QTest::newRow("1") << 1 << "";
    QTest::newRow("3") << 3 << "";
    QTest::newRow("1, previous frame moved") << 1 << "previous";
    QTest::newRow("3, previous frame hidden") << 3 << "hide previous";
    QTest::newRow("1, key colour") << 1 << "key";
    QTest::newRow("1, key colour not in the sprites") << 1 << "opaque";
    QTest::newRow("1, zoomed to 3") << 1 << "zoom";
}

// The window composes and paints only what each move of an anchor drag and
// of a band changed, also after a change in the middle of the drag; what it
// shows then is what painting the whole canvas shows, and its picture is
// what a new window showing the same frames draws.
void ZoomTest::dragPaintsAsAFullRedraw()
{
    QFETCH(int, level);
    QFETCH(QString, change);
    EditingFixture f;
    animbox::FrmMain* w = f.open(2, false);
    QVERIFY(w);
    // The previous frame beneath, away from the dragged one.
    f.frame(0).offsetX += 25;
    w->Frame3()->cDrawLast()->setChecked(true);
    w->List1()->setCurrentRow(1);
    QVERIFY(zoomOn(f, level, f.corner(1) + QPoint(20, 30)));
    const QImage before = shownCanvas(w);

    const QPointF grab = onPixel(f, f.corner(1) + QPoint(20, 30), QPoint());
    f.mouse(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::ControlModifier);
    for (const QPoint step : {QPoint(7, 3), QPoint(-12, 9), QPoint(30, -25)}) {
        f.mouse(QEvent::MouseMove, grab + QPointF(step * level), Qt::LeftButton, Qt::ControlModifier);
        QCoreApplication::processEvents();
        if (change == QLatin1String("previous"))
            f.frame(0).offsetY -= 4;
        else if (change == QLatin1String("hide previous"))
            w->Frame3()->cDrawLast()->click();
        else if (change == QLatin1String("key"))
            w->setTransparentColor(animbox::CanvasView::colorValueFromRgb(w->PicEdit()->pixelAt(f.corner(1) + QPoint(20, 30))));
        else if (change == QLatin1String("opaque"))
            w->setTransparentColor(animbox::CanvasView::colorValueFromRgb(qRgb(1, 2, 3)));
        else if (change == QLatin1String("zoom"))
            w->PicEdit()->zoom()->setLevel(3);
        change.clear();
    }
    f.mouse(QEvent::MouseButtonRelease, grab + QPointF(30, -25) * level, Qt::LeftButton, Qt::ControlModifier);
    const QPointF band = onPixel(f, f.corner(1) + QPoint(2, 2), QPoint());
    f.mouse(QEvent::MouseButtonPress, band, Qt::LeftButton);
    for (const QPoint step : {QPoint(30, 40), QPoint(10, 12), QPoint(25, 5)}) {
        f.mouse(QEvent::MouseMove, band + QPointF(step * level), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    const QImage painted = shownCanvas(w);
    QVERIFY(!painted.isNull());
    QVERIFY(painted != before);
    w->PicEdit()->update();
    QCOMPARE(painted, shownCanvas(w));
    f.mouse(QEvent::MouseButtonRelease, band + QPointF(25, 5) * level, Qt::LeftButton);

    EditingFixture fresh;
    animbox::FrmMain* again = fresh.open(2, false);
    QVERIFY(again);
    for (int row = 0; row < 2; ++row)
        fresh.frame(row) = f.frame(row);
    again->setTransparentColor(w->transparentColor());
    again->Frame3()->cDrawLast()->setChecked(w->Frame3()->cDrawLast()->isChecked());
    again->List1()->setCurrentRow(1);
    QCOMPARE(again->PicEdit()->picture(), w->PicEdit()->picture());
}

QTEST_MAIN(ZoomTest)
#include "ZoomTest.moc"
