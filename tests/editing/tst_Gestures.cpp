#include "tst_Gestures.h"

#include "EditingFixture.h"
#include "editor/AttackPanel.h"
#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/EditingMessages.h"
#include "editor/IniSettings.h"
#include "editor/ReferenceBar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using editing::EditingFixture;
using model::Box;
using model::BoxState;
using model::FrameRecord;

namespace {

// The four boxes of a record with their states, by index.
constexpr Box FrameRecord::*kBoxes[] = {&FrameRecord::attackBox, &FrameRecord::extAttackBox, &FrameRecord::bodyBox,
                                        &FrameRecord::extBodyBox};
constexpr BoxState FrameRecord::*kStates[] = {&FrameRecord::attackEmpty, &FrameRecord::extAttackEmpty,
                                              &FrameRecord::bodyEmpty, &FrameRecord::extBodyEmpty};

const Box kOld{1, 2, 3, 4};
const Box kOther{9, 9, 9, 9};

// Rows 0..count-2 share every box kOld (stated Empty); the last row has kOther.
void shareBoxes(EditingFixture& f, int count)
{
    for (int row = 0; row < count; ++row) {
        for (int k = 0; k < 4; ++k) {
            f.frame(row).*kBoxes[k] = row < count - 1 ? kOld : kOther;
            f.frame(row).*kStates[k] = BoxState::Empty;
        }
    }
}

QPoint spriteCorner(EditingFixture& f, int row)
{
    return f.canvasOrigin() - QPoint(f.frame(row).offsetX, f.frame(row).offsetY);
}

} // namespace

void GesturesTest::releaseWritesBox_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("target");
    QTest::newRow("right: attack box") << Qt::RightButton << false << 0;
    QTest::newRow("right, extended: extended attack box") << Qt::RightButton << true << 1;
    QTest::newRow("left: body box") << Qt::LeftButton << false << 2;
    QTest::newRow("left, extended: extended body box") << Qt::LeftButton << true << 3;
    QTest::newRow("middle: body box") << Qt::MiddleButton << false << 2;
}

void GesturesTest::releaseWritesBox()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, extended);
    QFETCH(int, target);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(4));
    shareBoxes(f, 4);
    f.window()->DrawFrame(0, true);
    f.window()->referenceBar()->Check1()->setChecked(extended);
    QLineEdit* damage = f.window()->FmAbox()->txtPow();
    {
        const QSignalBlocker blocker(damage);
        damage->setText(QStringLiteral("77"));
    }

    const QPoint corner = spriteCorner(f, 0);
    f.drag(corner + QPoint(5, 6), corner + QPoint(15, 26), button);

    const Box drawn{5, 6, 10, 20};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(f.frame(row).*kBoxes[target], drawn);
        QCOMPARE(f.frame(row).*kStates[target], BoxState::Normal);
    }
    QCOMPARE(f.frame(3).*kBoxes[target], kOther);
    for (int k = 0; k < 4; ++k) {
        if (k != target)
            QCOMPARE(f.frame(0).*kBoxes[k], kOld);
    }
    const bool attack = target == 0;
    QCOMPARE(f.frame(2).attackKind, attack ? QStringLiteral("Attack") : QString());
    QCOMPARE(f.frame(2).damage, qint16(attack ? 20 : 0));
    QCOMPARE(f.frame(2).pause, qint16(attack ? 15 : 0));
    QCOMPARE(damage->text(), target <= 1 ? QString::number(f.frame(0).damage) : QStringLiteral("77"));
    QVERIFY(!f.window()->referenceBar()->Check1()->isChecked());
    QCOMPARE(f.window()->PicEdit()->shape1()->borderColor(), button == Qt::LeftButton ? QColor(0, 0, 255) : QColor(255, 0, 0));
}

void GesturesTest::clickAndUpLeftDragKeepBandSize_data()
{
    QTest::addColumn<QPoint>("moveBy");
    QTest::newRow("click without movement") << QPoint(0, 0);
    QTest::newRow("drag up and left") << QPoint(-10, -7);
    QTest::newRow("drag left only") << QPoint(-10, 8);
}

void GesturesTest::clickAndUpLeftDragKeepBandSize()
{
    QFETCH(QPoint, moveBy);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(2));
    shareBoxes(f, 2);
    f.frame(0).bodyEmpty = BoxState::Normal;
    f.window()->DrawFrame(0, true);
    const QPoint corner = spriteCorner(f, 0);
    const QPoint at = corner + QPoint(12, 14);
    f.drag(at, at + moveBy, Qt::LeftButton);
    // The size is the band's before the gesture (the drawn body box) unless it grew.
    const Box expected{12, 14, qint16(moveBy.x() > 0 ? moveBy.x() : kOld.width),
                       qint16(moveBy.y() > 0 ? moveBy.y() : kOld.height)};
    QCOMPARE(f.frame(0).bodyBox, expected);
}

void GesturesTest::ctrlDragMovesSpriteWithPointer()
{
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1));
    f.frame(0).bodyBox = kOld;
    f.window()->DrawFrame(0, true);
    const qint16 x = f.frame(0).offsetX, y = f.frame(0).offsetY;
    const QPoint at = f.canvasOrigin();
    f.press(at, Qt::LeftButton, Qt::ControlModifier);
    f.move(at + QPoint(10, 5), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(f.frame(0).offsetX, qint16(x - 10));
    QCOMPARE(f.frame(0).offsetY, qint16(y - 5));
    // The body outline moved with the sprite.
    QCOMPARE(f.window()->PicEdit()->shape1()->canvasRect().topLeft(), spriteCorner(f, 0) + QPoint(1, 2));
    f.release(at + QPoint(10, 5), Qt::LeftButton, Qt::ControlModifier);
    f.drag(at, at + QPoint(30, 30), Qt::RightButton, Qt::ShiftModifier);
    QCOMPARE(f.frame(0).bodyBox, kOld);
    QCOMPARE(f.frame(0).attackBox, Box());
}

void GesturesTest::readOut_data()
{
    QTest::addColumn<QPointF>("fromCross");
    QTest::addColumn<QString>("text");
    QTest::newRow("right and above") << QPointF(12, -30) << QStringLiteral("X边距:12\r\nY边距30");
    QTest::newRow("left and below") << QPointF(-5, 4) << QStringLiteral("X边距:-5\r\nY边距-4");
    QTest::newRow("halves to even") << QPointF(2.5, -3.5) << QStringLiteral("X边距:2\r\nY边距4");
}

void GesturesTest::readOut()
{
    QFETCH(QPointF, fromCross);
    QFETCH(QString, text);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1, false));
    QLabel* label = f.window()->Frame3()->Label1();
    f.move(QPointF(f.canvasOrigin()) + fromCross, Qt::NoButton);
    QCOMPARE(label->text(), QString()); // no row selected yet
    f.window()->List1()->setCurrentRow(0);
    f.move(QPointF(f.canvasOrigin()) + fromCross, Qt::NoButton);
    QCOMPARE(label->text(), text);
}

void GesturesTest::altPickStoresColour()
{
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1));
    QCOMPARE(f.window()->transparentColor(), 0);
    const QPoint corner = spriteCorner(f, 0);
    QCOMPARE(f.window()->PicEdit()->pixelAt(corner), qRgb(255, 0, 255));
    f.drag(corner, corner, Qt::LeftButton, Qt::AltModifier);
    QCOMPARE(f.window()->transparentColor(), 16711935);
    QCOMPARE(animbox::IniSettings(f.settingsPath()).ReadSetting(QStringLiteral("transparentcolor")),
             QStringLiteral("16711935"));
    QCOMPARE(f.window()->Frame3()->lbTransparent()->palette().color(QPalette::Window), QColor(255, 0, 255));
    f.window()->DrawFrame(0, false);
    QCOMPARE(f.window()->PicEdit()->pixelAt(corner), animbox::CanvasView::kBackground);
}

void GesturesTest::keys_data()
{
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row");
    QTest::addColumn<QPoint>("anchorMove");
    QTest::newRow("W on the first row") << 0 << int(Qt::Key_W) << 0 << QPoint();
    QTest::newRow("W") << 2 << int(Qt::Key_W) << 1 << QPoint();
    QTest::newRow("S on the last row") << 2 << int(Qt::Key_S) << 2 << QPoint();
    QTest::newRow("S") << 0 << int(Qt::Key_S) << 1 << QPoint();
    QTest::newRow("up") << 1 << int(Qt::Key_Up) << 1 << QPoint(0, -1);
    QTest::newRow("down") << 1 << int(Qt::Key_Down) << 1 << QPoint(0, 1);
    QTest::newRow("left") << 1 << int(Qt::Key_Left) << 1 << QPoint(-1, 0);
    QTest::newRow("right") << 1 << int(Qt::Key_Right) << 1 << QPoint(1, 0);
}

void GesturesTest::keys()
{
    QFETCH(int, startRow);
    QFETCH(int, key);
    QFETCH(int, row);
    QFETCH(QPoint, anchorMove);
    EditingFixture f;
    QVERIFY(f.isValid());
    animbox::FrmMain* w = f.open(3);
    QVERIFY(w);
    w->List1()->setCurrentRow(startRow);
    f.frame(row).damage = 33;
    const QPoint anchor(f.frame(row).offsetX, f.frame(row).offsetY);
    w->referenceBar()->Command3()->setText(QStringLiteral("untouched"));
    QTest::keyClick(w->PicEdit(), Qt::Key(key));
    QCOMPARE(w->selectedRow(), row);
    QCOMPARE(QPoint(f.frame(row).offsetX, f.frame(row).offsetY), anchor + anchorMove);
    // Every key redraws the frame and reloads the panel.
    QCOMPARE(w->referenceBar()->Command3()->text(), QStringLiteral("DrawBaseFrame"));
    QCOMPARE(w->FmAbox()->txtPow()->text(), QStringLiteral("33"));
}

void GesturesTest::valuesOutOfRangeAreRefused()
{
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1));
    f.frame(0).offsetX = 32767;
    QTest::keyClick(f.window()->PicEdit(), Qt::Key_Right);
    QCOMPARE(f.frame(0).offsetX, qint16(32767));

    const QPoint at = f.canvasOrigin();
    f.press(at, Qt::LeftButton, Qt::ControlModifier);
    f.move(at - QPoint(5, 0), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(f.frame(0).offsetX, qint16(32767));
    f.release(at, Qt::LeftButton, Qt::ControlModifier);

    f.frame(0).offsetX = -32768;
    f.frame(0).bodyBox = kOld;
    f.drag(at - QPoint(5, 0), at, Qt::LeftButton);
    QCOMPARE(f.frame(0).bodyBox, kOld);
    QCOMPARE(f.modal.messages, QStringList{animbox::editmsg::boxOutOfRange});
}
