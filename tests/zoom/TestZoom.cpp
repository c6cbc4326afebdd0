// What both editors' canvases share: the arithmetic of a magnified view
// (which canvas pixel a view point means, how far the view pans) and the zoom
// and pan input of a view (keys, wheel, middle drag, the level's label).
#include "model/zoom/ZoomMapping.h"
#include "zoom/ZoomControl.h"

#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <utility>

using model::ZoomMapping;
using zoom::ZoomControl;

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

// A view that counts the mouse and wheel events that reach it.
class View : public QWidget {
public:
    int events = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++events; }
    void mouseMoveEvent(QMouseEvent*) override { ++events; }
    void mouseReleaseEvent(QMouseEvent*) override { ++events; }
    void wheelEvent(QWheelEvent*) override { ++events; }
};

void wheel(QWidget* view, int angle, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(view->rect().center());
    QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

// A press, a move by (30, 20) and a release of `button` on `view`.
void drag(QWidget* view, Qt::MouseButton button)
{
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, QPointF(100, 100)},
                                   {QEvent::MouseMove, QPointF(130, 120)}, {QEvent::MouseButtonRelease, QPointF(130, 120)}}) {
        QMouseEvent event(type, at, view->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT

private slots:
    void pointerMeansThePixelUnderIt_data();
    void pointerMeansThePixelUnderIt();
    void panStaysOnThePicture_data();
    void panStaysOnThePicture();
    void input_data();
    void input();
};

void TestZoom::pointerMeansThePixelUnderIt_data()
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
void TestZoom::pointerMeansThePixelUnderIt()
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

void TestZoom::panStaysOnThePicture_data()
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
void TestZoom::panStaysOnThePicture()
{
    QFETCH(int, level);
    QFETCH(QPoint, asked);
    QFETCH(QPoint, pan);
    const ZoomMapping m = mapping(level, asked);
    QCOMPARE(m.pan(), pan);
    QCOMPARE(m.canPan(), level > 1);
    QVERIFY(QRect(0, 0, 600, 400).contains(m.canvasPixelsUnder(QRect(0, 0, 600, 400))));
}

void TestZoom::input_data()
{
    // + - 0: Ctrl with =, - and 0; ^ v: Ctrl+wheel notches; h: half a notch
    // up; w s: wheel and Shift+wheel a notch down; m l: middle and left drag
    // by (30, 20).
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<bool>("panning"); // whether the view pans at all
    QTest::addColumn<int>("level");
    QTest::addColumn<QPoint>("pan");
    QTest::addColumn<int>("reachView"); // the events the view still gets
    QTest::newRow("Ctrl+= twice") << "++" << true << 3 << QPoint() << 0;
    QTest::newRow("Ctrl+- stays at 1") << "-" << true << 1 << QPoint() << 0;
    QTest::newRow("up to the largest and past it") << "+++++++" << true << 8 << QPoint() << 0;
    QTest::newRow("Ctrl+0") << "+++0" << true << 1 << QPoint() << 0;
    QTest::newRow("Ctrl+wheel") << "^^v^" << true << 3 << QPoint() << 0;
    QTest::newRow("two half notches make a step") << "hh" << true << 2 << QPoint() << 0;
    QTest::newRow("middle drag") << "+m" << true << 2 << QPoint(-30, -20) << 0;
    QTest::newRow("wheel down") << "+++w" << true << 4 << QPoint(0, 48) << 0;
    QTest::newRow("Shift+wheel down") << "+++s" << true << 4 << QPoint(48, 0) << 0;
    QTest::newRow("left drag is the view's") << "+l" << true << 2 << QPoint() << 3;
    QTest::newRow("middle drag at 1: nothing to pan") << "m" << true << 1 << QPoint() << 3;
    QTest::newRow("wheel at 1") << "w" << true << 1 << QPoint() << 1;
    QTest::newRow("view without panning") << "+++w" << false << 4 << QPoint() << 1;
}

// The level steps through 1, 2, 3, 4, 6, 8 with the keys anywhere in the
// window and Ctrl+wheel over the view, and the label follows; a middle drag
// moves the picture with the pointer, the wheel scrolls down, Shift+wheel
// right. The view gets only the events the control does not use.
void TestZoom::input()
{
    QFETCH(QString, inputs);
    QFETCH(bool, panning);
    QFETCH(int, level);
    QFETCH(QPoint, pan);
    QFETCH(int, reachView);
    QWidget window;
    auto* view = new View;
    view->setFixedSize(600, 400);
    ZoomControl control(view, panning ? ZoomControl::Panning::On : ZoomControl::Panning::Off);
    control.setViewSize(QSize(600, 400));
    control.setOrigin(QPoint(300, 200));
    control.addShortcuts(&window);
    QLabel* label = control.createLabel(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view);
    layout->addWidget(label);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const QChar input : inputs) {
        switch (input.unicode()) {
        case u'+': QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier); break;
        case u'-': QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier); break;
        case u'0': QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier); break;
        case u'm':
        case u'l': drag(view, input == u'm' ? Qt::MiddleButton : Qt::LeftButton); break;
        case u'w':
        case u's': wheel(view, -120, input == u's' ? Qt::ShiftModifier : Qt::NoModifier); break;
        default: wheel(view, input == u'^' ? 120 : input == u'h' ? 60 : -120, Qt::ControlModifier); break;
        }
    }
    QCOMPARE(control.level(), level);
    QCOMPARE(label->text(), QStringLiteral("缩放 %1x").arg(level));
    QCOMPARE(control.mapping().pan(), pan);
    QCOMPARE(view->events, reachView);
}

QTEST_MAIN(TestZoom)
#include "TestZoom.moc"
