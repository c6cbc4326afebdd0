#include "../FileBytes.h"
#include "EditingFixture.h"
#include "editor/panels/ReferenceBar.h"
#include "editor/window/Messages.h"
#include "editor/window/Playback.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

using animbox::CanvasView;
using editing::EditingFixture;
using model::Box;
using model::BoxState;
using model::FrameRecord;

namespace {

// Counts the paint events of the widgets it filters.
struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// The four boxes of a record with their states, by index.
constexpr Box FrameRecord::*kBoxes[] = {&FrameRecord::attackBox, &FrameRecord::extAttackBox, &FrameRecord::bodyBox,
                                        &FrameRecord::extBodyBox};
constexpr BoxState FrameRecord::*kStates[] = {&FrameRecord::attackEmpty, &FrameRecord::extAttackEmpty,
                                              &FrameRecord::bodyEmpty, &FrameRecord::extBodyEmpty};
const Box kOld{1, 2, 3, 4};
const Box kOther{9, 9, 9, 9};

// Gives rows 0..count-2 every box kOld and the last row kOther, all in `state`.
void shareBoxes(EditingFixture& f, int count, BoxState state = BoxState::Empty)
{
    for (int row = 0; row < count; ++row) {
        for (int k = 0; k < 4; ++k) {
            f.frame(row).*kBoxes[k] = row < count - 1 ? kOld : kOther;
            f.frame(row).*kStates[k] = state;
        }
    }
}

} // namespace

// Canvas gestures, the property panel, the global adjustment, the reference
// frame and playback, driven on the real main window.
class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void releaseWritesBox_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<int>("target"); // index in kBoxes
        QTest::addColumn<QPoint>("moveBy");
        QTest::addColumn<QSize>("size");
        QTest::newRow("right: attack box") << Qt::RightButton << false << 0 << QPoint(10, 20) << QSize(10, 20);
        QTest::newRow("right, extended: attack") << Qt::RightButton << true << 1 << QPoint(10, 20) << QSize(10, 20);
        QTest::newRow("left: body box") << Qt::LeftButton << false << 2 << QPoint(10, 20) << QSize(10, 20);
        QTest::newRow("left, extended: body") << Qt::LeftButton << true << 3 << QPoint(10, 20) << QSize(10, 20);
        QTest::newRow("middle: body box") << Qt::MiddleButton << false << 2 << QPoint(10, 20) << QSize(10, 20);
        QTest::newRow("click: band size kept") << Qt::LeftButton << false << 2 << QPoint() << QSize(3, 4);
        QTest::newRow("up-left: band size kept") << Qt::RightButton << false << 0 << QPoint(-10, -7) << QSize(3, 4);
    }

    // The box drawn from the press point goes to the target over the run of rows that had the old box (0..2); the
    // band keeps the drawn body box's size (3 × 4) where the pointer did not grow it. Only an attack box gets the
    // defaults and reloads the panel (showing the knock-down set behind it).
    void releaseWritesBox()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, extended);
        QFETCH(int, target);
        QFETCH(QPoint, moveBy);
        QFETCH(QSize, size);
        EditingFixture f;
        QVERIFY(f.open(4));
        shareBoxes(f, 4);
        f.window()->DrawFrame(0, true);
        f.frame(0).knockdown = 1;
        f.window()->referenceBar()->Check1()->setChecked(extended);
        f.drag(f.corner(0) + QPoint(5, 6), f.corner(0) + QPoint(5, 6) + moveBy, button);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(f.frame(row).*kBoxes[target], (Box{5, 6, qint16(size.width()), qint16(size.height())}));
            QCOMPARE(f.frame(row).*kStates[target], BoxState::Normal);
        }
        QCOMPARE(f.frame(3).*kBoxes[target], kOther);
        for (int k = 0; k < 4; ++k)
            QVERIFY(k == target || f.frame(0).*kBoxes[k] == kOld);
        const FrameRecord& runEnd = f.frame(2);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(runEnd.attackKind).arg(runEnd.damage).arg(runEnd.pause),
                 target == 0 ? "Attack 20 15" : " 0 0");
        QCOMPARE(f.window()->FmAbox()->txtDown()->isChecked(), target <= 1);
        QVERIFY(!f.window()->referenceBar()->Check1()->isChecked());
        const QColor band = button == Qt::LeftButton ? QColor(0, 0, 255) : QColor(255, 0, 0);
        QCOMPARE(f.window()->PicEdit()->shape1()->borderColor(), band);
    }

    // Ctrl moves the sprite and its boxes under the fixed cross; Shift does nothing; Alt picks the colour under
    // the pointer, which is stored, shown on the swatch and transparent from the next redraw.
    void modifierGestures()
    {
        EditingFixture f;
        QVERIFY(f.open(1));
        f.frame(0).bodyBox = kOld;
        f.window()->DrawFrame(0, true);
        const QPoint moved = f.anchor(0) - QPoint(10, 5), at = f.origin();
        f.drag(at, at + QPoint(10, 5), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(f.anchor(0), moved);
        QCOMPARE(f.window()->PicEdit()->shape1()->canvasRect().topLeft(), f.corner(0) + QPoint(1, 2));
        f.drag(at, at + QPoint(30, 30), Qt::RightButton, Qt::ShiftModifier);
        QCOMPARE(f.anchor(0), moved);
        QCOMPARE(f.frame(0).bodyBox, kOld);
        QCOMPARE(f.frame(0).attackBox, Box());
        const QPoint corner = f.corner(0);
        QCOMPARE(f.window()->PicEdit()->pixelAt(corner), qRgb(255, 0, 255));
        f.drag(corner, corner, Qt::LeftButton, Qt::AltModifier);
        QVERIFY(testfiles::fileBytes(f.files.settingsPath()).contains("\r\ntransparentcolor= 16711935\r\n"));
        QCOMPARE(f.window()->Frame3()->lbTransparent()->palette().color(QPalette::Window), QColor(255, 0, 255));
        f.window()->DrawFrame(0, false);
        QCOMPARE(f.window()->PicEdit()->pixelAt(corner), CanvasView::kBackground);
    }

    // Distances from the cross, x to the right and y upward, rounded halves to even. A new read-out repaints the
    // label alone, not the group it lies in, and the group then shows what repainting all of it shows, the
    // label's blank part in the group's own colour.
    void pointerReadOut()
    {
        EditingFixture f;
        QVERIFY(f.open(1));
        QWidget* group = f.window()->Frame3();
        QLabel* label = f.window()->Frame3()->Label1();
        const auto shownGroup = [&f, group] {
            QCoreApplication::processEvents();
            const QPoint at = group->mapTo(f.window(), QPoint());
            return f.window()->windowHandle()->screen()
                ->grabWindow(f.window()->winId(), at.x(), at.y(), group->width(), group->height())
                .toImage();
        };
        shownGroup();
        PaintCounter groupPaints;
        group->installEventFilter(&groupPaints);
        f.mouse(QEvent::MouseMove, f.origin() + QPointF(12, -30), Qt::NoButton);
        QCOMPARE(label->text(), QStringLiteral("X边距:12\r\nY边距30"));
        shownGroup();
        f.mouse(QEvent::MouseMove, f.origin() + QPointF(-5, 4), Qt::NoButton);
        QCOMPARE(label->text(), QStringLiteral("X边距:-5\r\nY边距-4"));
        shownGroup();
        f.mouse(QEvent::MouseMove, f.origin() + QPointF(2.5, -3.5), Qt::NoButton);
        QCOMPARE(label->text(), QStringLiteral("X边距:2\r\nY边距4"));
        const QImage shown = shownGroup();
        QCOMPARE(groupPaints.count, 0);
        group->update();
        QCOMPARE(shownGroup(), shown);
        QCOMPARE(shown.pixel(label->geometry().topRight() + QPoint(-2, 2)),
                 shown.pixel(label->geometry().topRight() + QPoint(2, 2)));
    }

    void keys_data()
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

    // Every key also redraws the frame (resetting the reference caption) and reloads the panel.
    void keys()
    {
        QFETCH(int, startRow);
        QFETCH(int, key);
        QFETCH(int, row);
        QFETCH(QPoint, anchorMove);
        EditingFixture f;
        animbox::FrmMain* w = f.open(3);
        QVERIFY(w);
        w->List1()->setCurrentRow(startRow);
        f.frame(row).damage = 33;
        const QPoint before = f.anchor(row);
        w->referenceBar()->Command3()->setText(QStringLiteral("untouched"));
        QTest::keyClick(w->PicEdit(), Qt::Key(key));
        QCOMPARE(w->selectedRow(), row);
        QCOMPARE(f.anchor(row), before + anchorMove);
        QCOMPARE(w->referenceBar()->Command3()->text(), QStringLiteral("DrawBaseFrame"));
        QCOMPARE(w->FmAbox()->txtPow()->text(), QStringLiteral("33"));
    }

    void delayTypedPropagates_data()
    {
        QTest::addColumn<QList<qint16>>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<qint16>>("after");
        QTest::newRow("a run takes the new delay") << QList<qint16>{5, 5, 5, 3} << "8" << QList<qint16>{8, 8, 8, 3};
        QTest::newRow("3.5 rounds to 4") << QList<qint16>{5, 7} << "3.5" << QList<qint16>{4, 7};
        QTest::newRow("emptied text") << QList<qint16>{5, 5} << "" << QList<qint16>{0, 0};
    }

    // The first row's delay text is selected as a whole and typed over one key at a time.
    void delayTypedPropagates()
    {
        QFETCH(QList<qint16>, before);
        QFETCH(QString, typed);
        QFETCH(QList<qint16>, after);
        EditingFixture f;
        QVERIFY(f.open(int(before.size()), false));
        for (int row = 0; row < before.size(); ++row)
            f.frame(row).frameDelay = before[row];
        f.window()->List1()->setCurrentRow(0);
        QLineEdit* delay = f.window()->Frame3()->txtDelay();
        delay->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(delay, Qt::Key_Backspace);
        QTest::keyClicks(delay, typed);
        for (int row = 0; row < before.size(); ++row)
            QCOMPARE(f.frame(row).frameDelay, after[row]);
        QCOMPARE(delay->text(), typed);
    }

    void choiceBoxesStoreOnlyAChoice_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("action"); // "wheel", "down", or a text typed and ended with Enter
        QTest::addColumn<QString>("stored");
        QTest::newRow("wheel without focus: kind") << "txtAtType" << "wheel" << "Attack5";
        QTest::newRow("arrow from a kind not in the list") << "txtAtType" << "down" << "Attack";
        QTest::newRow("arrow from the loaded pause") << "txtPause" << "down" << "50";
        QTest::newRow("typed start of a kind") << "txtAtType" << "b" << "Attack5";
        QTest::newRow("typed whole item") << "txtPause" << "30" << "40";
    }

    // Frame 1 (kind Blast, pause 15) is shown before frame 0 (kind Attack5 from "freeze", pause 40), whose field
    // must change only by a choice from the list (one from the popup: the undo test's attack kind row).
    void choiceBoxesStoreOnlyAChoice()
    {
        QFETCH(QString, box);
        QFETCH(QString, action);
        QFETCH(QString, stored);
        EditingFixture f;
        animbox::FrmMain* w = f.open(2, false);
        QVERIFY(w);
        f.frame(0).attackKind = QStringLiteral("Attack5");
        f.frame(0).pause = 40;
        f.frame(1).attackKind = QStringLiteral("Blast");
        f.frame(1).pause = 15;
        w->List1()->setCurrentRow(1);
        w->List1()->setCurrentRow(0);
        auto* combo = w->FmAbox()->findChild<QComboBox*>(box);
        QVERIFY(combo && !combo->hasFocus());
        if (action == u"wheel") {
            EditingFixture::wheel(combo, {0, -120});
        } else {
            combo->setFocus();
            QVERIFY(QTest::qWaitFor([combo] { return combo->hasFocus(); }));
            // Keys go where the keyboard sends them.
            QWidget* keys = QApplication::focusWidget();
            if (action == u"down") {
                QTest::keyClick(keys, Qt::Key_Down);
            } else {
                combo->lineEdit()->selectAll();
                QTest::keyClicks(keys, action);
                QTest::keyClick(keys, Qt::Key_Return);
                QCOMPARE(combo->currentText(), action);
            }
        }
        const QString field = box == u"txtAtType" ? f.frame(0).attackKind : QString::number(f.frame(0).pause);
        QCOMPARE(field, stored);
    }

    void boxButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("side"); // index of the ordinary box of that side in kBoxes
        QTest::addColumn<QList<int>>("states"); // resulting state of rows 0..3 on that side, then of their extended box
        QTest::newRow("empty attack, first frame") << "Command1" << 0 << 0 << QList<int>{1, 1, 1, 1, 1, 1, 1, 0};
        QTest::newRow("empty body, later frame") << "Command8" << 1 << 2 << QList<int>{0, 1, 1, 1, 0, 1, 1, 0};
        QTest::newRow("clear body, first frame") << "Command2" << 0 << 2 << QList<int>{-1, 0, 0, 0, -1, 0, 0, 0};
        QTest::newRow("clear attack, later frame") << "CmdClearAt" << 3 << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
    }

    // Rows 0..2 share their boxes and attack kind; row 3 shares only the ordinary boxes, so an emptied side
    // carries each box over a run of its own. Clearing a later frame copies the previous frame's group.
    void boxButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, row);
        QFETCH(int, side);
        QFETCH(QList<int>, states);
        EditingFixture f;
        QVERIFY(f.open(4, false));
        shareBoxes(f, 4, BoxState::Normal);
        f.frame(3).attackBox = f.frame(3).bodyBox = kOld;
        for (int r = 0; r < 4; ++r)
            f.frame(r).attackKind = r < 3 ? QStringLiteral("Attack") : QStringLiteral("Blast");
        f.window()->List1()->setCurrentRow(row);
        f.window()->FmAbox()->findChild<QPushButton*>(button)->click();
        QList<int> shown;
        for (int k : {side, side + 1})
            for (int r = 0; r < 4; ++r)
                shown << int(f.frame(r).*kStates[k]);
        QCOMPARE(shown, states);
        if (row == 3) {
            QCOMPARE(f.frame(3).attackKind, side == 0 ? QStringLiteral("Attack") : QStringLiteral("Blast"));
            QCOMPARE(f.frame(3).*kBoxes[side + 1], kOld);
        }
    }

    void adjustment_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QPoint>("moved");
        QTest::addColumn<bool>("atLimit"); // the selected row's anchor y is 32767
        const QString up = "Command1", left = "Command3", down = "Command4", right = "Command5";
        QTest::newRow("1 up, then left") << "1" << QStringList{up, left} << QPoint(-1, -1) << false;
        QTest::newRow("2.5 down") << "2.5" << QStringList{down} << QPoint(0, 2) << false;
        QTest::newRow("3.5 right") << "3.5" << QStringList{right} << QPoint(4, 0) << false;
        QTest::newRow("not a number") << "abc" << QStringList{up} << QPoint() << false;
        QTest::newRow("one anchor out of range") << "1" << QStringList{down} << QPoint() << true;
    }

    // Every anchor moves; the canvas shows the selected frame at its new anchor. A nudge past 32767 keeps the
    // anchor; an adjustment that would take one anchor out of range moves none and names that frame.
    void adjustment()
    {
        QFETCH(QString, amount);
        QFETCH(QStringList, buttons);
        QFETCH(QPoint, moved);
        QFETCH(bool, atLimit);
        EditingFixture f;
        QVERIFY(f.open(3));
        f.window()->List1()->setCurrentRow(1);
        if (atLimit)
            f.frame(1).offsetY = 32767;
        const QPoint before[] = {f.anchor(0), f.anchor(1), f.anchor(2)};
        if (atLimit)
            QTest::keyClick(f.window()->PicEdit(), Qt::Key_Down);
        // "坐标统一调整": the amount typed, the direction buttons pressed, then OK.
        f.modal.onDialog([amount, buttons](QDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(amount);
            for (const QString& name : buttons)
                dialog->findChild<QPushButton*>(name)->click();
            dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        });
        f.window()->menuAction(QStringLiteral("moa"))->trigger();
        QCOMPARE(f.modal.pendingHandlers(), 0);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(f.anchor(row), before[row] + moved);
        const QString refused = animbox::msg::adjustOutOfRange() + QStringLiteral("frame.gif");
        QCOMPARE(f.modal.messages, atLimit ? QStringList{refused} : QStringList());
        QCOMPARE(f.window()->PicEdit()->shape1()->canvasRect().topLeft(), f.corner(1));
    }

    // Hiding the browser panel (the canvas is 617 x 489, 797 x 489 without it, with a 2-pixel border) or a larger
    // window moves the cross and draws the frame, then the reference frame, at the new place; the panel is not
    // reloaded. A missing reference sprite is refused; one found is drawn with its anchor (40, 98) on the cross,
    // its yellow inside 2 pixels in from its black (transparent) edge, and stays through a resize.
    void referenceAndResize()
    {
        EditingFixture f;
        QVERIFY(f.files.writeSprite(QStringLiteral("idle00.gif"), QSize(80, 120), 0xff000000, 0xffffff00));
        animbox::FrmMain* w = f.open(1);
        QVERIFY(w);
        CanvasView* canvas = w->PicEdit();
        const auto grow = [&f, w] {
            const QPoint before = f.origin();
            w->resize(w->size() + QSize(60, 40));
            return QTest::qWaitFor([&f, before] { return f.origin() != before; });
        };
        QCOMPARE(f.origin(), QPoint(276, 340));
        w->Command9()->click();
        QVERIFY(w->Picture1()->isHidden());
        QCOMPARE(f.origin(), QPoint(357, 340));
        QCOMPARE(canvas->pixelAt(f.corner(0) + QPoint(2, 2)), qRgb(0, 255, 0));
        w->Command9()->click();
        QCOMPARE(f.origin(), QPoint(276, 340));
        const QString damageShown = w->FmAbox()->txtPow()->text();
        f.frame(0).damage = 33;
        QVERIFY(grow());
        QCOMPARE(canvas->pixelAt(f.corner(0) + QPoint(2, 2)), qRgb(0, 255, 0));
        QCOMPARE(w->FmAbox()->txtPow()->text(), damageShown);

        animbox::ReferenceBar* bar = w->referenceBar();
        bar->txtBase()->setText(QStringLiteral("idle99"));
        bar->txtX()->setText(QStringLiteral("40"));
        bar->txtY()->setText(QStringLiteral("98"));
        // Drawing the frame gave the button the caption that draws the reference.
        QCOMPARE(bar->Command3()->text(), QStringLiteral("DrawBaseFrame"));
        bar->Command3()->click();
        QCOMPARE(f.modal.messages, QStringList{QStringLiteral("无效的路径.")});
        QCOMPARE(bar->Command3()->text(), QStringLiteral("DrawBaseFrame"));
        QCOMPARE(canvas->pixelAt(f.origin() - QPoint(38, 96)), CanvasView::kBackground);
        bar->txtBase()->setText(QStringLiteral("idle00"));
        bar->Command3()->click();
        QCOMPARE(bar->Command3()->text(), QStringLiteral("DrawListFrame"));
        QCOMPARE(canvas->pixelAt(f.origin() - QPoint(38, 96)), qRgb(255, 255, 0));
        QCOMPARE(canvas->pixelAt(f.origin() - QPoint(39, 97)), CanvasView::kBackground);
        QVERIFY(grow());
        QCOMPARE(bar->Command3()->text(), QStringLiteral("DrawListFrame"));
        QCOMPARE(canvas->pixelAt(f.origin() - QPoint(38, 96)), qRgb(255, 255, 0));
    }

    void playbackWaits_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QList<qint16>>("delays");
        QTest::addColumn<QList<int>>("waits");
        QTest::newRow("once") << "mplay" << QList<qint16>{10, 10, 20} << QList<int>{90, 90, 190};
        QTest::newRow("three times") << "mploop" << QList<qint16>{10, 5} << QList<int>{90, 40, 90, 40, 90, 40};
        QTest::newRow("short, negative and capped") << "mplay" << QList<qint16>{0, 1, -3, 3276, 3277, 32767}
                                                    << QList<int>{1, 0, 1, 32750, 32760, 32767};
    }

    // The waits go through the seam instead of the clock; the command stays disabled while it plays and the
    // selection and panel are as before.
    void playbackWaits()
    {
        QFETCH(QString, action);
        QFETCH(QList<qint16>, delays);
        QFETCH(QList<int>, waits);
        EditingFixture f;
        animbox::FrmMain* w = f.open(int(delays.size()), false);
        QVERIFY(w);
        for (int row = 0; row < delays.size(); ++row)
            f.frame(row).frameDelay = delays[row];
        w->List1()->setCurrentRow(1);
        w->FmAbox()->txtPow()->setText(QStringLiteral("44"));
        QList<int> seen;
        w->playback().setWait([&](int ms) {
            seen.append(ms);
            QVERIFY(!w->menuAction(action)->isEnabled());
        });
        w->menuAction(action)->trigger();
        QCOMPARE(seen, waits);
        QVERIFY(w->menuAction(action)->isEnabled());
        QCOMPARE(w->selectedRow(), 1);
        QCOMPARE(w->FmAbox()->txtPow()->text(), QStringLiteral("44"));
    }
};

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
