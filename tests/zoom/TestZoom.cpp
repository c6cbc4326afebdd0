// Zoom and pan of the editing canvases: the arithmetic and the input of a
// magnified view both editors share; each editor's gestures, picture,
// partial paints and stored level on its zoomed canvas; classic's picture window.
#include "EditingFixture.h"
#include "ModalDriver.h"
#include "ProgramWindow.h"
#include "classic/canvas/Form2.h"
#include "classic/window/Form1.h"
#include "editor/canvas/BoxShape.h"
#include "editor/canvas/CanvasView.h"
#include "editor/panels/DisplayGroup.h"
#include "model/zoom/ZoomMapping.h"
#include "zoom/ZoomControl.h"

#include <QtTest>
#include <QtWidgets>

using animbox::CanvasView;
using editing::EditingFixture;
using program::Program;
using zoom::ZoomControl;

namespace {

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

// A press at `from`, a move to `to` and a release there of `button` on `widget`.
void drag(QWidget* widget, Qt::MouseButton button, QPoint from, QPoint to)
{
    QTest::mousePress(widget, button, {}, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, button, {}, to);
}

// The view point `inside` view pixels into the magnified square of canvas pixel `canvas`.
QPointF onPixel(EditingFixture& f, QPoint canvas, QPoint inside = {})
{
    return f.window()->PicEdit()->zoom()->mapping().toView(QPointF(canvas)) + QPointF(inside);
}

// Sets the level and, above 1, pans by a middle drag so that canvas point
// `middle` shows in the middle of the view. False when that failed.
bool zoomOn(EditingFixture& f, int level, QPoint middle)
{
    CanvasView* canvas = f.window()->PicEdit();
    canvas->zoom()->setLevel(level);
    const QPointF target(canvas->innerSize().width() / 2, canvas->innerSize().height() / 2);
    if (level > 1)
        f.drag(onPixel(f, middle), target, Qt::MiddleButton);
    return canvas->zoom()->level() == level && (level == 1 || onPixel(f, middle) == target);
}

// What is wrong in a device-resolution grab of the canvas, if anything: each
// device pixel shows the canvas pixel under it, but for the body box outline,
// which covers the outermost ring of its device pixels and no more.
QString magnifiedFault(EditingFixture& f, const QImage& shot)
{
    const CanvasView* canvas = f.window()->PicEdit();
    const model::ZoomMapping& mapping = canvas->zoom()->mapping();
    const qreal ratio = shot.devicePixelRatio();
    if (shot.size() != canvas->innerSize() * ratio)
        return QStringLiteral("grab of %1 × %2").arg(shot.width()).arg(shot.height());
    const QRect outline = mapping.toView(canvas->shape1()->canvasRect());
    const QRect ring(outline.topLeft() * ratio, outline.size() * ratio);
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QPoint pixel = mapping.toCanvas(QPointF(int(x / ratio), int(y / ratio))).toPoint();
            const bool edge = ring.contains(x, y) && !ring.adjusted(1, 1, -1, -1).contains(x, y);
            if (shot.pixel(x, y) != (edge ? qRgb(0, 0, 255) : canvas->picture().pixel(pixel)))
                return QStringLiteral("device pixel (%1, %2)").arg(x).arg(y);
        }
    }
    return {};
}

// animbox's canvas as the window last painted it, after the pending paints.
QImage shownCanvas(animbox::FrmMain* window)
{
    QCoreApplication::processEvents();
    const CanvasView* canvas = window->PicEdit();
    const QRect inner(canvas->mapTo(window, canvas->contentsRect().topLeft()), canvas->contentsRect().size());
    return window->screen()->grabWindow(window->winId(), inner.x(), inner.y(), inner.width(), inner.height()).toImage();
}

// A shown animbox-classic window on `folder`, whose sprite a01.gif (64 × 80)
// is listed, defined with its anchor at (32, 78) and selected.
std::unique_ptr<classic::Form1> classicWindow(const QString& folder)
{
    std::unique_ptr<classic::Form1> window(
        static_cast<classic::Form1*>(programtests::openWindow(Program::Classic, folder).release()));
    if (window) {
        window->ui().List1->addItem(QStringLiteral("a01.gif"));
        window->setScriptText(QStringLiteral("\toffset\t32 78\r\n\tframe\tdata/chars/hero/a01.gif\r\n"));
        window->ui().List1->setCurrentRow(0);
    }
    return window;
}

} // namespace

Q_DECLARE_METATYPE(Program)

class TestZoom : public QObject {
    Q_OBJECT

private slots:
    void viewAndCanvasPixels_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QPoint>("asked"); // the pan asked for
        QTest::addColumn<QPoint>("pan"); // the pan kept
        QTest::addColumn<QPointF>("canvas");
        QTest::newRow("1: nothing to pan, sub-pixels kept") << 1 << QPoint(50, -50) << QPoint() << QPointF(12.5, -3.5);
        QTest::newRow("2: top-left corner") << 2 << QPoint(-9999, -9999) << QPoint(-270, -280) << QPointF(0, 0);
        QTest::newRow("3: down-right of the origin") << 3 << QPoint() << QPoint() << QPointF(275, 290);
        QTest::newRow("3, panned: up-left") << 3 << QPoint(-100, 100) << QPoint(-100, 100) << QPointF(261, 250);
        QTest::newRow("4: bottom-right corner") << 4 << QPoint(9999, 9999) << QPoint(990, 360) << QPointF(599, 399);
        QTest::newRow("8, panned") << 8 << QPoint(-500, 300) << QPoint(-500, 300) << QPointF(250, 300);
        QTest::newRow("8: left of the first column") << 8 << QPoint(-1000, 0) << QPoint(-1000, 0) << QPointF(-1, 270);
    }

    // A view of 600 × 400 pixels zoomed around (270, 280) never leaves what the
    // picture covers at level 1. The whole magnified square of a canvas pixel,
    // and only it, maps back to that pixel; at level 1 a view point is the
    // canvas point itself.
    void viewAndCanvasPixels()
    {
        QFETCH(int, level);
        QFETCH(QPoint, asked);
        QFETCH(QPoint, pan);
        QFETCH(QPointF, canvas);
        model::ZoomMapping m;
        m.setViewSize(QSize(600, 400));
        m.setOrigin(QPoint(270, 280));
        m.setLevel(level);
        m.setPan(asked);
        QCOMPARE(m.pan(), pan);
        QCOMPARE(m.canPan(), level > 1);
        QVERIFY(QRect(0, 0, 600, 400).contains(m.canvasPixelsUnder(QRect(0, 0, 600, 400))));
        const QPointF corner = m.toView(canvas);
        for (const QPointF inside : {QPointF(0, 0), QPointF(level - 0.01, level - 0.01)})
            QCOMPARE(m.toCanvas(corner + inside), level == 1 ? corner + inside : canvas);
        if (level > 1)
            QCOMPARE(m.toCanvas(corner - QPointF(0.01, 0.01)), canvas - QPointF(1, 1));
        const QRect pixel(canvas.toPoint(), QSize(1, 1));
        QCOMPARE(m.toView(pixel).size(), QSize(level, level));
        QCOMPARE(m.canvasPixelsUnder(m.toView(pixel)), pixel);
    }

    void input_data()
    {
        // + - 0: Ctrl with =, - and 0; ^ v: Ctrl+wheel notches; h: half a notch
        // up; w s: wheel and Shift+wheel a notch down; m l: middle and left drag
        // by (30, 20).
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<bool>("panning"); // whether the view pans at all
        QTest::addColumn<int>("level");
        QTest::addColumn<QPoint>("pan");
        QTest::addColumn<int>("reachView"); // the events the view still gets
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

    // Keys and Ctrl+wheel step the level through 1, 2, 3, 4, 6, 8, the label
    // follows; middle drag and wheels pan; the view gets only the events left over.
    void input()
    {
        QFETCH(QString, inputs);
        QFETCH(bool, panning);
        QFETCH(int, level);
        QFETCH(QPoint, pan);
        QFETCH(int, reachView);
        View view;
        view.resize(600, 400);
        ZoomControl control(&view, panning ? ZoomControl::Panning::On : ZoomControl::Panning::Off);
        control.setViewSize(QSize(600, 400));
        control.setOrigin(QPoint(300, 200));
        control.addShortcuts(&view);
        QLabel* label = control.createLabel(&view);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        for (const QChar input : inputs) {
            switch (input.unicode()) {
            case u'+': QTest::keyClick(&view, Qt::Key_Equal, Qt::ControlModifier); break;
            case u'-': QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier); break;
            case u'0': QTest::keyClick(&view, Qt::Key_0, Qt::ControlModifier); break;
            case u'm':
            case u'l': drag(&view, input == u'm' ? Qt::MiddleButton : Qt::LeftButton, {100, 100}, {130, 120}); break;
            case u'w':
            case u's':
                EditingFixture::wheel(&view, {0, -120}, input == u's' ? Qt::ShiftModifier : Qt::NoModifier);
                break;
            default:
                EditingFixture::wheel(&view, {0, input == u'^' ? 120 : input == u'h' ? 60 : -120}, Qt::ControlModifier);
                break;
            }
        }
        QCOMPARE(control.level(), level);
        QCOMPARE(label->text(), QStringLiteral("缩放 %1x").arg(level));
        QCOMPARE(control.mapping().pan(), pan);
        QCOMPARE(view.events, reachView);
    }

    void gesturesAtEveryLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QPoint>("inside"); // where on the magnified square of its pixel each drag starts
        QTest::addColumn<QPoint>("move"); // the Ctrl-drag, in view pixels
        QTest::addColumn<QPoint>("result"); // the anchor's move
        QTest::newRow("1") << 1 << QPoint() << QPoint(13, -7) << QPoint(-13, 7);
        QTest::newRow("2") << 2 << QPoint(1, 1) << QPoint(13, -7) << QPoint(-7, 3);
        QTest::newRow("3, first view pixel, within the pixel") << 3 << QPoint() << QPoint(2, 2) << QPoint(0, 0);
        QTest::newRow("4, last view pixel") << 4 << QPoint(3, 3) << QPoint(-40, 25) << QPoint(10, -7);
    }

    // In animbox panning writes nothing; a Ctrl-drag moves the anchor by whole
    // sprite pixels, the grabbed one staying under the pointer; a band writes
    // what it writes at 1:1; sprite and box show magnified and sharp; an
    // Alt-click on a magnified pixel's last view column picks its colour.
    void gesturesAtEveryLevel()
    {
        QFETCH(int, level);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, move);
        QFETCH(QPoint, result);
        EditingFixture f;
        QVERIFY(f.open(1));
        CanvasView* canvas = f.window()->PicEdit();
        QImage checker(40, 60, QImage::Format_RGB32);
        for (int y = 0; y < checker.height(); ++y) {
            for (int x = 0; x < checker.width(); ++x)
                checker.setPixel(x, y, (x + y) % 2 ? qRgb(0, 160, 0) : qRgb(255, 255, 0));
        }
        f.frame(0).picture = checker;
        f.window()->DrawFrame(0, true);
        const model::FrameRecord before = f.frame(0);
        QVERIFY(zoomOn(f, level, f.corner(0) + QPoint(20, 30)));
        QVERIFY2(f.frame(0) == before, "panning changed the frame");
        const QPointF grab = onPixel(f, f.corner(0) + QPoint(20, 30), inside);
        f.drag(grab, grab + move, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(f.anchor(0) - QPoint(before.offsetX, before.offsetY), result);
        QCOMPARE(canvas->zoom()->mapping().toCanvas(grab + move).toPoint() - f.corner(0), QPoint(20, 30));

        const QPointF press = onPixel(f, f.corner(0) + QPoint(2, 3), inside);
        f.drag(press, press + QPointF(10, 20) * level, Qt::LeftButton);
        QCOMPARE(f.frame(0).bodyBox, (model::Box{2, 3, 10, 20}));
        const QPoint fromCross = f.corner(0) + QPoint(12, 23) - f.origin();
        QCOMPARE(f.window()->Frame3()->Label1()->text(),
                 QStringLiteral("X边距:%1\r\nY边距%2").arg(fromCross.x()).arg(-fromCross.y()));
        const QImage shot = canvas->grab(canvas->contentsRect()).toImage();
        QCOMPARE(shot.devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
        QCOMPARE(magnifiedFault(f, shot), QString());
        const QPoint pixel = f.corner(0) + QPoint(21, 30);
        f.drag(onPixel(f, pixel, {level - 1, 0}), onPixel(f, pixel, {level - 1, 0}), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(f.window()->transparentColor(), CanvasView::colorValueFromRgb(checker.pixel(21, 30)));
    }

    void dragPaintsAsAFullRedraw_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("change"); // made between the first and the second move of the anchor drag
        QTest::newRow("1, previous frame moved") << 1 << "previous";
        QTest::newRow("3, previous frame hidden") << 3 << "hide previous";
        QTest::newRow("1, key colour") << 1 << "key";
        QTest::newRow("1, key colour not in the sprites") << 1 << "opaque";
        QTest::newRow("1, zoomed to 3") << 1 << "zoom";
    }

    // animbox's partial paints during an anchor drag and a band, also after a
    // change in the middle of the drag, show what a full redraw and a new window show.
    void dragPaintsAsAFullRedraw()
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

        const QPointF grab = onPixel(f, f.corner(1) + QPoint(20, 30));
        f.mouse(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::ControlModifier);
        for (const QPoint step : {QPoint(7, 3), QPoint(-12, 9), QPoint(30, -25)}) {
            f.mouse(QEvent::MouseMove, grab + QPointF(step * level), Qt::LeftButton, Qt::ControlModifier);
            QCoreApplication::processEvents();
            if (change == u"previous")
                f.frame(0).offsetY -= 4;
            else if (change == u"hide previous")
                w->Frame3()->cDrawLast()->click();
            else if (change == u"key")
                w->setTransparentColor(
                    CanvasView::colorValueFromRgb(w->PicEdit()->pixelAt(f.corner(1) + QPoint(20, 30))));
            else if (change == u"opaque")
                w->setTransparentColor(CanvasView::colorValueFromRgb(qRgb(1, 2, 3)));
            else if (change == u"zoom")
                w->PicEdit()->zoom()->setLevel(3);
            change.clear();
        }
        f.mouse(QEvent::MouseButtonRelease, grab + QPointF(30, -25) * level, Qt::LeftButton, Qt::ControlModifier);
        const QPointF band = onPixel(f, f.corner(1) + QPoint(2, 2));
        f.mouse(QEvent::MouseButtonPress, band, Qt::LeftButton);
        for (const QPoint step : {QPoint(30, 40), QPoint(10, 12), QPoint(25, 5)}) {
            f.mouse(QEvent::MouseMove, band + QPointF(step * level), Qt::LeftButton);
            QCoreApplication::processEvents();
        }

        const QImage painted = shownCanvas(w);
        QVERIFY(!painted.isNull() && painted != before);
        w->PicEdit()->update();
        QCOMPARE(painted, shownCanvas(w));
        f.mouse(QEvent::MouseButtonRelease, band + QPointF(25, 5) * level, Qt::LeftButton);

        EditingFixture fresh;
        animbox::FrmMain* again = fresh.open(2, false);
        QVERIFY(again);
        again->animation().frames = w->animation().frames;
        again->setTransparentColor(w->transparentColor());
        again->Frame3()->cDrawLast()->setChecked(w->Frame3()->cDrawLast()->isChecked());
        again->List1()->setCurrentRow(1);
        QCOMPARE(again->PicEdit()->picture(), w->PicEdit()->picture());
    }

    void levelKeptForTheNextWindow_data()
    {
        QTest::addColumn<Program>("program");
        QTest::newRow("animbox") << Program::Animbox;
        QTest::newRow("animbox-classic") << Program::Classic;
    }

    // The zoom keys work in each editor's window, which shows the level beside
    // the canvas and keeps it for the next window.
    void levelKeptForTheNextWindow()
    {
        QFETCH(Program, program);
        QTemporaryDir folder;
        {
            const std::unique_ptr<QWidget> window = programtests::openWindow(program, folder.path());
            QVERIFY(window);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            QTest::keySequence(window.get(), QKeySequence(QStringLiteral("Ctrl+=, Ctrl+=")));
            QCOMPARE(window->findChild<zoom::ZoomControl*>()->level(), 3);
            const QList<QLabel*> labels = window->findChildren<QLabel*>();
            QVERIFY(std::any_of(labels.begin(), labels.end(),
                                [](const QLabel* label) { return label->isVisible() && label->text() == u"缩放 3x"; }));
        }
        const std::unique_ptr<QWidget> next = programtests::openWindow(program, folder.path());
        QCOMPARE(next->findChild<zoom::ZoomControl*>()->level(), 3);
    }

    void classicBoxDragAtEveryLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("3") << 3;
        QTest::newRow("8") << 8;
    }

    // In animbox-classic a band scrolled to with the wheel writes the line of a
    // 1:1 drag, and the status bar reads sprite pixels from the anchor.
    void classicBoxDragAtEveryLevel()
    {
        QFETCH(int, level);
        QTemporaryDir folder;
        const std::unique_ptr<classic::Form1> window = classicWindow(folder.path());
        QVERIFY(window);
        classic::Canvas* canvas = window->ui().PicEdit;
        canvas->zoom()->setLevel(level);
        window->ui().Option2->setChecked(true);
        const model::ZoomMapping& zoomed = canvas->zoom()->mapping();
        const auto view = [&zoomed](QPoint drawing) { return zoomed.toView(QPointF(drawing)).toPoint(); };
        const QPoint from = window->spritePosition() + QPoint(10, 20);
        for (int notch = 0; notch < 100 && view(from).y() < 0; ++notch)
            EditingFixture::wheel(canvas, {0, 120});
        QVERIFY(QRect(QPoint(), canvas->drawingSize()).contains(view(from)));
        const QPoint inner = canvas->contentsRect().topLeft();
        const QPoint to = view(window->spritePosition() + QPoint(40, 60)) + QPoint(level - 1, level - 1);
        drag(canvas, Qt::LeftButton, view(from) + inner, to + inner);
        QCOMPARE(window->scriptText(),
                 QStringLiteral("\toffset\t32 78\r\n\tbbox\t10 20 30 40\r\n\tframe\tdata/chars/hero/a01.gif\r\n"));
        QCOMPARE(window->ui().panel2->text(), QStringLiteral("8,18"));
    }

    // The picture window opens at the canvas's level; a click means the sprite
    // pixel under it at any level, and Ctrl+= zooms the window too.
    void classicPictureWindowZooms()
    {
        QTemporaryDir folder;
        const std::unique_ptr<classic::Form1> window = classicWindow(folder.path());
        QVERIFY(window);
        window->ui().PicEdit->zoom()->setLevel(2);
        QList<QSize> sizes;
        QString firstCross;
        testing::ModalDriver modal;
        modal.onDialog([&](QDialog* dialog) {
            auto* picture = dialog->findChild<QWidget*>(QStringLiteral("Picture1"));
            // The offscreen platform does not activate a modal window by itself.
            dialog->activateWindow();
            if (!picture || !QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }))
                return dialog->reject();
            sizes << picture->size();
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(21, 25));
            firstCross = qobject_cast<classic::Form2*>(dialog)->offsetExchange();
            QTest::keyClick(picture, Qt::Key_Equal, Qt::ControlModifier);
            sizes << picture->size();
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(3 * 20 + 2, 3 * 30 + 2));
            QTest::keyClick(picture, Qt::Key_Right);
            QTest::keyClick(picture, Qt::Key_Return);
        });
        window->ui().Command7->click();
        QCOMPARE(modal.pendingHandlers(), 0);
        QCOMPARE(sizes, QList<QSize>({QSize(128, 160), QSize(192, 240)}));
        QCOMPARE(firstCross, QStringLiteral("10|12"));
        QCOMPARE(window->scriptText(), QStringLiteral("\toffset\t21 30\r\n\tframe\tdata/chars/hero/a01.gif\r\n"));
    }

    // What the classic canvas drew stays through a resize, which adds
    // background; a cleared canvas is background, in its picture and on screen.
    void classicPictureKeptThroughResizeAndClear()
    {
        classic::Canvas canvas;
        canvas.resize(100, 80);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        canvas.setBackground(QColor(10, 20, 30));
        QImage sprite(4, 4, QImage::Format_RGB32);
        sprite.fill(qRgb(200, 40, 40));
        canvas.drawImage(QPoint(5, 6), sprite);
        canvas.resize(140, 120);
        QImage expected(canvas.drawingSize(), QImage::Format_RGB32);
        expected.fill(qRgb(10, 20, 30));
        QPainter(&expected).drawImage(5, 6, sprite);
        QCOMPARE(canvas.picture(), expected);
        canvas.clear();
        canvas.resize(120, 100);
        expected = QImage(canvas.drawingSize(), QImage::Format_RGB32);
        expected.fill(qRgb(10, 20, 30));
        QCOMPARE(canvas.picture(), expected);
        QCOMPARE(canvas.grab(canvas.contentsRect()).toImage().convertToFormat(QImage::Format_RGB32), expected);
    }
};

QTEST_MAIN(TestZoom)
#include "TestZoom.moc"
