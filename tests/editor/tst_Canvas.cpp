#include "EditorTests.h"

#include "TestHelpers.h"
#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/ReferenceBar.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using animbox::CanvasView;

Q_DECLARE_METATYPE(model::Box)
Q_DECLARE_METATYPE(model::BoxState)

namespace {

constexpr QRgb kMagenta = 0xffff00ff;
constexpr QRgb kGreen = 0xff00ff00;
constexpr QRgb kBlue = 0xff0000ff;

// The grab of the canvas widget shows the picture inside a 2-pixel border.
QRgb grabbed(const QImage& grab, QPoint canvasPoint)
{
    return grab.pixel(canvasPoint + QPoint(2, 2)) | 0xff000000u;
}

} // namespace

void CanvasTest::drawsSpriteAtAnchor()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {20, 30}, kMagenta, kGreen));
    auto window = fixture.window();
    window->setTransparentColor(0xff00ff);
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif")}));
    window->List1()->setCurrentRow(0);
    QCOMPARE(window->referenceBar()->Command3()->text(), QStringLiteral("DrawBaseFrame"));

    const QImage grab = window->PicEdit()->grab().toImage();
    const QPoint origin(window->canvasOriginX(), window->canvasOriginY());
    const QPoint corner = origin - QPoint(10, 28);
    const QRgb cross = window->PicEdit()->palette().color(QPalette::WindowText).rgb();
    QCOMPARE(grabbed(grab, corner), CanvasView::kBackground);          // key colour left out
    QCOMPARE(grabbed(grab, corner + QPoint(2, 2)), kGreen);             // the figure
    QCOMPARE(grabbed(grab, corner + QPoint(-1, 5)), CanvasView::kBackground);
    QCOMPARE(grabbed(grab, origin), cross);
    QCOMPARE(grabbed(grab, origin + QPoint(5, 0)), cross);
    QCOMPARE(grabbed(grab, origin + QPoint(0, -5)), cross);
    QCOMPARE(grabbed(grab, origin + QPoint(-6, -3)), kGreen);
    QCOMPARE(window->PicEdit()->pixelAt(corner + QPoint(2, 2)), kGreen);
}

void CanvasTest::previousFrameUnderCurrent()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("big.gif"), {60, 60}, 0xff000000, kGreen));
    QVERIFY(fixture.writeSprite(QStringLiteral("small.gif"), {20, 20}, 0xff000000, kBlue));
    auto window = fixture.window();
    QCOMPARE(window->transparentColor(), 0); // black is left out
    QVERIFY(testing::addFrames(*window, {QStringLiteral("big.gif"), QStringLiteral("small.gif")}));
    window->Frame3()->cDrawLast()->click();
    QVERIFY(window->Frame3()->cDrawLast()->isChecked());
    const QPoint origin(window->canvasOriginX(), window->canvasOriginY());
    const QPoint bigCorner = origin - QPoint(30, 58);
    const QPoint smallCorner = origin - QPoint(10, 18);

    window->List1()->setCurrentRow(1);
    const CanvasView* canvas = window->PicEdit();
    QCOMPARE(canvas->pixelAt(bigCorner + QPoint(3, 3)), kGreen);
    QCOMPARE(canvas->pixelAt(smallCorner + QPoint(3, 3)), kBlue);
    QCOMPARE(canvas->pixelAt(bigCorner + QPoint(1, 1)), CanvasView::kBackground);

    window->List1()->setCurrentRow(0);
    QCOMPARE(canvas->pixelAt(smallCorner + QPoint(3, 3)), kGreen);

    window->List1()->setCurrentRow(1);
    window->Frame3()->cDrawLast()->click();
    QCOMPARE(canvas->pixelAt(bigCorner + QPoint(3, 3)), CanvasView::kBackground);
    QCOMPARE(canvas->pixelAt(smallCorner + QPoint(3, 3)), kBlue);
}

void CanvasTest::newKeyColourRedrawsSprites()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {20, 20}, kMagenta, kGreen));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif")}));
    window->List1()->setCurrentRow(0);
    const CanvasView* canvas = window->PicEdit();
    const QPoint corner = QPoint(window->canvasOriginX(), window->canvasOriginY()) - QPoint(10, 18);
    QCOMPARE(canvas->pixelAt(corner), kMagenta);
    window->setTransparentColor(0x00ff00); // green as 0x00BBGGRR
    window->DrawFrame(0, false);
    QCOMPARE(canvas->pixelAt(corner), kMagenta);
    QCOMPARE(canvas->pixelAt(corner + QPoint(3, 3)), CanvasView::kBackground);
    window->setTransparentColor(0xff00ff);
    window->DrawFrame(0, false);
    QCOMPARE(canvas->pixelAt(corner), CanvasView::kBackground);
    QCOMPARE(canvas->pixelAt(corner + QPoint(3, 3)), kGreen);
}

void CanvasTest::boxOutlines_data()
{
    QTest::addColumn<model::Box>("body");
    QTest::addColumn<model::BoxState>("bodyState");
    QTest::addColumn<model::BoxState>("extState");
    QTest::addColumn<bool>("boxesOn");
    QTest::addColumn<QRect>("shape1");
    QTest::addColumn<bool>("shape1Shown");
    QTest::addColumn<bool>("shape1aShown");
    // Offset (30, 90): the sprite corner lies 30 left of and 90 above the cross.
    QTest::newRow("normal") << model::Box{0, 0, 10, 20} << model::BoxState::Normal << model::BoxState::Normal
                            << true << QRect(-30, -90, 10, 20) << true << true;
    QTest::newRow("negative size") << model::Box{5, 5, -10, -8} << model::BoxState::Normal
                                   << model::BoxState::Normal << true << QRect(-35, -93, 10, 8) << true << true;
    QTest::newRow("empty") << model::Box{0, 0, 10, 20} << model::BoxState::Empty << model::BoxState::Normal
                           << true << QRect(-30, -90, 10, 20) << false << false;
    QTest::newRow("cleared") << model::Box{0, 0, 10, 20} << model::BoxState::Cleared << model::BoxState::Normal
                             << true << QRect(-30, -90, 10, 20) << false << false;
    QTest::newRow("ext empty") << model::Box{0, 0, 10, 20} << model::BoxState::Normal << model::BoxState::Empty
                               << true << QRect(-30, -90, 10, 20) << true << false;
    QTest::newRow("boxes off") << model::Box{0, 0, 10, 20} << model::BoxState::Normal << model::BoxState::Normal
                               << false << QRect(-30, -90, 10, 20) << false << false;
}

void CanvasTest::boxOutlines()
{
    QFETCH(model::Box, body);
    QFETCH(model::BoxState, bodyState);
    QFETCH(model::BoxState, extState);
    QFETCH(bool, boxesOn);
    QFETCH(QRect, shape1);
    QFETCH(bool, shape1Shown);
    QFETCH(bool, shape1aShown);
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {60, 100}));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif")}));
    model::FrameRecord& record = window->animation().frames[0];
    record.offsetX = 30;
    record.offsetY = 90;
    record.bodyBox = body;
    record.bodyEmpty = bodyState;
    record.extBodyBox = {1, 1, 4, 4};
    record.extBodyEmpty = extState;
    record.attackBox = {2, 3, 4, 5};
    window->Frame3()->cbBox()->setChecked(boxesOn);
    window->List1()->setCurrentRow(0);

    const QPoint origin(window->canvasOriginX(), window->canvasOriginY());
    const CanvasView* canvas = window->PicEdit();
    // Widget geometry is inside the canvas border (2 pixels).
    QCOMPARE(canvas->shape1()->geometry(), shape1.translated(origin + QPoint(2, 2)));
    QCOMPARE(canvas->shape1()->isVisibleTo(canvas), shape1Shown);
    QCOMPARE(canvas->shape1a()->isVisibleTo(canvas), shape1aShown);
    QCOMPARE(canvas->shape1()->borderColor(), QColor(0, 0, 255));
    QCOMPARE(canvas->shape2()->isVisibleTo(canvas), boxesOn);
    QCOMPARE(canvas->shape2()->canvasRect(), QRect(origin + QPoint(-28, -87), QSize(4, 5)));
    // An all-zero extended attack box in state Normal is placed and shown (0 x 0).
    QCOMPARE(canvas->shape2a()->isVisibleTo(canvas), boxesOn);
}

void CanvasTest::frameWithoutPictureDrawsCross()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fixture.window();
    window->animation().rows = QStringList{QStringLiteral("gone.gif")};
    window->animation().resizeFrames(1);
    window->animation().frames[0].bodyBox = {0, 0, 5, 5};
    window->DrawFrame(0, true);
    const QPoint origin(window->canvasOriginX(), window->canvasOriginY());
    const QRgb cross = window->PicEdit()->palette().color(QPalette::WindowText).rgb();
    QCOMPARE(window->PicEdit()->pixelAt(origin), cross);
    QCOMPARE(window->PicEdit()->pixelAt(origin + QPoint(7, 7)), CanvasView::kBackground);
    QVERIFY(window->PicEdit()->shape1()->isVisibleTo(window->PicEdit()));
}
