#include "tst_View.h"

#include "EditingFixture.h"
#include "editor/AttackPanel.h"
#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/EditingMessages.h"
#include "editor/Playback.h"
#include "editor/ReferenceBar.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using editing::EditingFixture;

namespace {

QPoint anchor(EditingFixture& f, int row)
{
    return {f.frame(row).offsetX, f.frame(row).offsetY};
}

// Opens "坐标统一调整", types `amount` and presses the named direction buttons.
void adjust(EditingFixture& f, const QString& amount, const QStringList& buttons)
{
    f.modal.onDialog([amount, buttons](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(amount);
        for (const QString& name : buttons)
            dialog->findChild<QPushButton*>(name)->click();
        dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    });
    f.window()->menuAction(QStringLiteral("moa"))->trigger();
}

} // namespace

void ViewTest::adjustment_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<QStringList>("messages");
    const QString up = "Command1", left = "Command3", down = "Command4", right = "Command5";
    QTest::newRow("1 up, then left") << "1" << QStringList{up, left} << QPoint(-1, -1) << QStringList();
    QTest::newRow("1 up, left, down, right") << "1" << QStringList{up, left, down, right} << QPoint() << QStringList();
    QTest::newRow("2.5 down") << "2.5" << QStringList{down} << QPoint(0, 2) << QStringList();
    QTest::newRow("3.5 right") << "3.5" << QStringList{right} << QPoint(4, 0) << QStringList();
    QTest::newRow("2.5 up") << "2.5" << QStringList{up} << QPoint(0, -2) << QStringList();
    QTest::newRow("not a number") << "abc" << QStringList{up} << QPoint() << QStringList();
    QTest::newRow("amount out of range") << "40000" << QStringList{left} << QPoint()
                                         << QStringList{animbox::editmsg::stepOutOfRange};
}

void ViewTest::adjustment()
{
    QFETCH(QString, amount);
    QFETCH(QStringList, buttons);
    QFETCH(QPoint, moved);
    QFETCH(QStringList, messages);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(3));
    f.window()->List1()->setCurrentRow(1);
    const QPoint before[] = {anchor(f, 0), anchor(f, 1), anchor(f, 2)};
    adjust(f, amount, buttons);
    QCOMPARE(f.modal.unexpectedDialogs, 0);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(anchor(f, row), before[row] + moved);
    QCOMPARE(f.modal.messages, messages);
    QCOMPARE(f.window()->selectedRow(), 1);
    // The canvas shows the selected frame at its new anchor.
    QCOMPARE(f.window()->PicEdit()->shape1()->canvasRect().topLeft(), f.canvasOrigin() - anchor(f, 1));
}

void ViewTest::adjustmentIsAllOrNothing()
{
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(3));
    f.frame(2).offsetY = 32767;
    adjust(f, QStringLiteral("1"), {QStringLiteral("Command4")});
    QCOMPARE(f.frame(0).offsetY, qint16(58));
    QCOMPARE(f.frame(2).offsetY, qint16(32767));
    QCOMPARE(f.modal.messages, QStringList{animbox::editmsg::adjustOutOfRange + QStringLiteral("frame.gif")});
}

void ViewTest::referenceToggle_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("idle00 at 0, 0") << "idle00" << "0" << QString() << "DrawListFrame";
    QTest::newRow("idle00 at 40, 98") << "idle00" << "40" << QString() << "DrawListFrame";
    QTest::newRow("missing image") << "idle99" << "0" << "无效的路径." << "DrawBaseFrame";
    QTest::newRow("anchor not a number") << "idle00" << "x1" << animbox::editmsg::referenceNotNumeric
                                         << "DrawBaseFrame";
}

void ViewTest::referenceToggle()
{
    QFETCH(QString, base);
    QFETCH(QString, x);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.writeSprite(QStringLiteral("idle00.gif"), QSize(80, 120), 0xff000000, 0xffffff00));
    animbox::FrmMain* w = f.open(0);
    QVERIFY(w);
    animbox::ReferenceBar* bar = w->referenceBar();
    bar->txtBase()->setText(base);
    bar->txtX()->setText(x);
    bar->txtY()->setText(x == "40" ? "98" : "0");
    QCOMPARE(bar->Command3()->text(), QStringLiteral("绘制参考帧"));
    bar->Command3()->click();
    QCOMPARE(bar->Command3()->text(), QStringLiteral("DrawBaseFrame"));
    bar->Command3()->click();
    QCOMPARE(bar->Command3()->text(), caption);
    QCOMPARE(f.modal.messages, message.isEmpty() ? QStringList() : QStringList{message});
    // The sprite's yellow inside starts 2 pixels in from its black (transparent) edge.
    const QPoint corner = f.canvasOrigin() - (x == "40" ? QPoint(40, 98) : QPoint());
    const QRgb expected = message.isEmpty() ? qRgb(255, 255, 0) : animbox::CanvasView::kBackground;
    QCOMPARE(w->PicEdit()->pixelAt(corner + QPoint(2, 2)), expected);
    QCOMPARE(w->PicEdit()->pixelAt(corner + QPoint(1, 1)), animbox::CanvasView::kBackground);
}

void ViewTest::playbackWaits_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<qint16>>("delays");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("once") << "mplay" << QList<qint16>{10, 10, 20} << QList<int>{90, 90, 190};
    QTest::newRow("three times") << "mploop" << QList<qint16>{10, 5} << QList<int>{90, 40, 90, 40, 90, 40};
    QTest::newRow("short, negative and capped") << "mplay" << QList<qint16>{0, 1, -3, 3276, 3277, 32767}
                                                << QList<int>{1, 0, 1, 32750, 32760, 32767};
}

void ViewTest::playbackWaits()
{
    QFETCH(QString, action);
    QFETCH(QList<qint16>, delays);
    QFETCH(QList<int>, waits);
    EditingFixture f;
    QVERIFY(f.isValid());
    animbox::FrmMain* w = f.open(int(delays.size()), false);
    QVERIFY(w);
    for (int row = 0; row < delays.size(); ++row)
        f.frame(row).frameDelay = delays[row];
    w->List1()->setCurrentRow(1);
    w->FmAbox()->txtPow()->setText(QStringLiteral("44"));
    const QString delayText = w->Frame3()->txtDelay()->text();
    QList<int> seen;
    QList<bool> enabled;
    w->playback().setWait([&](int ms) {
        seen.append(ms);
        enabled.append(w->menuAction(action)->isEnabled());
    });
    w->menuAction(action)->trigger();
    QCOMPARE(seen, waits);
    QVERIFY(!enabled.contains(true));
    QVERIFY(w->menuAction(action)->isEnabled());
    QCOMPARE(w->selectedRow(), 1);
    QCOMPARE(w->FmAbox()->txtPow()->text(), QStringLiteral("44"));
    QCOMPARE(w->Frame3()->txtDelay()->text(), delayText);
}

void ViewTest::stepping_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("row");
    QTest::newRow("next without selection") << "Nframe" << -1 << 0;
    QTest::newRow("next") << "Nframe" << 1 << 2;
    QTest::newRow("next on the last row") << "Nframe" << 2 << 2;
    QTest::newRow("previous") << "pframe" << 2 << 1;
    QTest::newRow("previous on the first row") << "pframe" << 0 << 0;
    QTest::newRow("previous without selection") << "pframe" << -1 << -1;
}

void ViewTest::stepping()
{
    QFETCH(QString, action);
    QFETCH(int, start);
    QFETCH(int, row);
    EditingFixture f;
    QVERIFY(f.isValid());
    animbox::FrmMain* w = f.open(3, false);
    QVERIFY(w);
    w->List1()->setCurrentRow(start);
    w->menuAction(action)->trigger();
    QCOMPARE(w->selectedRow(), row);
    QVERIFY(f.modal.messages.isEmpty());
}

void ViewTest::commandsWithoutFrames_data()
{
    QTest::addColumn<QString>("command");
    for (const char* command : {"Nframe", "pframe", "moa", "Command1", "key"})
        QTest::newRow(command) << command;
}

void ViewTest::commandsWithoutFrames()
{
    QFETCH(QString, command);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(0));
    if (command == "key")
        QTest::keyClick(f.window()->PicEdit(), Qt::Key_Up);
    else if (QAction* action = f.window()->menuAction(command))
        action->trigger();
    else
        f.window()->FmAbox()->Command1()->click();
    QCOMPARE(f.modal.messages, QStringList{QStringLiteral("没有帧.")});
    QCOMPARE(f.modal.unexpectedDialogs, 0);
}
