#include "EditingFixture.h"
#include "editor/controls/ChoiceCombo.h"
#include "model/script/ScriptWriter.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QWindow>

#include <functional>

using editing::EditingFixture;
using Action = std::function<void(EditingFixture&)>;
Q_DECLARE_METATYPE(Action)

namespace {

// Four frames with the selection on row 1: rows 1 and 2 share their boxes, an attack and delay 5; row 0 has other
// boxes, row 3 shares the attack and extended body box only, so each side has runs of unequal length. Damages
// tell the rows apart.
animbox::FrmMain* openShared(EditingFixture& f)
{
    animbox::FrmMain* w = f.open(4, false);
    if (!w)
        return nullptr;
    for (int row = 0; row < 4; ++row) {
        model::FrameRecord& r = f.frame(row);
        const qint16 k = row == 1 || row == 2 ? 1 : qint16(row + 5);
        r.attackKind = QStringLiteral("Attack");
        r.attackBox = r.extAttackBox = r.bodyBox = r.extBodyBox = {k, k, 3, 4};
        if (row == 3)
            r.attackBox = r.extBodyBox = {1, 1, 3, 4};
        r.damage = qint16(20 + row);
        r.pause = 15;
        r.frameDelay = row < 3 ? 5 : 3;
    }
    w->List1()->setCurrentRow(1);
    w->document().undoStack()->clear();
    return w;
}

// What a step must give back: the text the writer makes, the records, the rows as the list shows them, the selection.
struct State {
    QString text;
    model::Animation animation;
    QStringList listed;
    int selected = -1;
};

State state(animbox::FrmMain* w)
{
    const model::WriteResult written = model::writeScript(w->animation(), w->browserFolder());
    State s{written.ok() ? written.text : written.error, w->animation(), {}, w->List1()->currentRow()};
    for (int i = 0; i < w->List1()->count(); ++i)
        s.listed.append(w->List1()->item(i)->text());
    return s;
}

void compareState(const State& actual, const State& expected)
{
    QCOMPARE(actual.text, expected.text);
    QVERIFY(actual.animation == expected.animation);
    QCOMPARE(actual.listed, expected.animation.rows);
    QCOMPARE(actual.selected, expected.selected);
}

void type(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

Action drag(QPoint by, Qt::MouseButton button, Qt::KeyboardModifiers mods = {})
{
    return [=](EditingFixture& f) {
        const QPointF from = f.corner(1) + QPoint(2, 3);
        f.drag(from, from + by, button, mods);
    };
}

Action key(Qt::Key k)
{
    return [k](EditingFixture& f) { QTest::keyClick(f.window()->PicEdit(), k); };
}

Action panel(std::function<void(animbox::AttackPanel*)> act)
{
    return [act](EditingFixture& f) { act(f.window()->FmAbox()); };
}

Action listButton(QPushButton* (animbox::FrameListGroup::*button)() const)
{
    return [button](EditingFixture& f) { (f.window()->frameListGroup()->*button)()->click(); };
}

} // namespace

// Undo and redo on the real main window: every kind of step restores the generated text, the records, the rows
// and the selection exactly; nudges and typing merge; the title marks unsaved changes; the undo keys.
class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void stepRestoresExactly_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("step");
        QTest::newRow("anchor drag") << drag({10, 5}, Qt::LeftButton, Qt::ControlModifier) << "拖动锚点";
        QTest::newRow("attack box drag") << drag({12, 9}, Qt::RightButton) << "拖动攻击框";
        QTest::newRow("nudge") << key(Qt::Key_Up) << "移动锚点";
        // Chosen from the list as a user does; the box keeps the focus the click on it gave.
        QTest::newRow("attack kind") << panel([](auto* p) {
            p->txtAtType()->setFocus();
            p->txtAtType()->showPopup();
            QAbstractItemView* view = p->txtAtType()->view();
            view->setCurrentIndex(view->model()->index(p->txtAtType()->findText(QStringLiteral("Blast")), 0));
            QTest::keyClick(view, Qt::Key_Return);
        }) << "攻击类型";
        QTest::newRow("damage") << panel([](auto* p) { type(p->txtPow(), QStringLiteral("35")); }) << "攻击力";
        // Delay 3 as row 3 has: the box's own undo back to 5 would carry 5 on to row 3.
        QTest::newRow("delay") << Action([](EditingFixture& f) { type(f.window()->Frame3()->txtDelay(), "3"); })
                               << "延迟";
        QTest::newRow("empty attack box") << panel([](auto* p) { p->Command1()->click(); }) << "空攻击框";
        QTest::newRow("empty body box") << panel([](auto* p) { p->Command8()->click(); }) << "空受击框";
        QTest::newRow("clear body box") << panel([](auto* p) { p->Command2()->click(); }) << "清除受框";
        QTest::newRow("add frame") << Action([](EditingFixture& f) {
            QVERIFY(testing::addFrames(*f.window(), {QStringLiteral("frame.gif")}));
        }) << "加入帧";
        QTest::newRow("add all frames") << Action([](EditingFixture& f) {
            f.modal.onDialog(testing::acceptScheme());
            f.window()->Picture1()->Command5()->click();
        }) << "加入全部帧";
        QTest::newRow("delete") << listButton(&animbox::FrameListGroup::Command4) << "删除帧";
        QTest::newRow("move up") << listButton(&animbox::FrameListGroup::Command7) << "上移";
        QTest::newRow("clear") << listButton(&animbox::FrameListGroup::Command6) << "清空";
        QTest::newRow("scheme") << Action([](EditingFixture& f) {
            f.modal.onDialog(testing::acceptScheme());
            f.window()->menuAction(QStringLiteral("minitframe"))->trigger();
        }) << "初始化帧";
        QTest::newRow("adjustment") << Action([](EditingFixture& f) {
            f.modal.onDialog([](QDialog* dialog) {
                dialog->findChild<QPushButton*>(QStringLiteral("Command5"))->click();
                dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
            });
            f.window()->menuAction(QStringLiteral("moa"))->trigger();
        }) << "坐标统一调整";
        // Frames of another folder: the text the writer makes takes the frames' paths from the browser, which must
        // show the folder of the frames each state has.
        QTest::newRow("frames from text") << Action([](EditingFixture& f) {
            const QString kid = f.files.game() + QStringLiteral("/data/chars/kid");
            QVERIFY(QDir().mkpath(kid));
            QVERIFY(f.files.writeSprite(QStringLiteral("frame.gif"), {20, 30}, 0xffff00ff, 0xff00ff00, kid));
            f.modal.onDialog(testing::readFrames(f.files.game(), "\tdelay\t4\n\tframe\tdata/chars/kid/frame\n"));
            f.window()->menuAction(QStringLiteral("mFromText"))->trigger();
        }) << "从文本生成帧";
    }

    // The step changes something; undo gives back exactly the state before it (also the spare record the reader
    // leaves) and redo the state after it. The undo keys reach the window also from the boxes that keep the focus
    // after an edit, whose own undo would re-run the propagation or do nothing.
    void stepRestoresExactly()
    {
        QFETCH(Action, action);
        QFETCH(QString, step);
        EditingFixture f;
        animbox::FrmMain* w = openShared(f);
        QVERIFY(w);
        QVERIFY(!w->menuAction(QStringLiteral("mundo"))->isEnabled());
        const State before = state(w);
        action(f);
        QCOMPARE(f.modal.messages, QStringList());
        const State after = state(w);
        QVERIFY(!(after.animation == before.animation));
        QCOMPARE(w->document().undoStack()->count(), 1);
        QCOMPARE(w->menuAction(QStringLiteral("mundo"))->text(), QStringLiteral("撤销 ") + step);
        testing::press(w, Qt::Key_Z, Qt::ControlModifier);
        compareState(state(w), before);
        QCOMPARE(w->Frame3()->txtDelay()->text(), QStringLiteral("5"));
        QCOMPARE(w->FmAbox()->txtAtType()->currentText() + w->FmAbox()->txtPause()->currentText(), "Attack15");
        QCOMPARE(w->menuAction(QStringLiteral("mredo"))->text(), QStringLiteral("重做 ") + step);
        testing::press(w, Qt::Key_Y, Qt::ControlModifier);
        compareState(state(w), after);
        testing::press(w, Qt::Key_Z, Qt::ControlModifier);
        testing::press(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        compareState(state(w), after);
    }

    void stepsMerge_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("steps");
        const auto delay = [](EditingFixture& f) { return f.window()->Frame3()->txtDelay(); };
        QTest::newRow("nudges on one frame") << Action([](EditingFixture& f) {
            for (Qt::Key k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Left})
                key(k)(f);
        }) << 1;
        QTest::newRow("nudges on two frames") << Action([](EditingFixture& f) {
            for (Qt::Key k : {Qt::Key_Up, Qt::Key_S, Qt::Key_Up})
                key(k)(f);
        }) << 2;
        QTest::newRow("a step between nudges") << Action([](EditingFixture& f) {
            key(Qt::Key_Up)(f);
            f.window()->FmAbox()->txtDown()->click();
            key(Qt::Key_Up)(f);
        }) << 3;
        // 3 makes row 3 join the run, so 30 reaches further than the first key.
        QTest::newRow("typing in the delay box") << Action([delay](EditingFixture& f) {
            delay(f)->selectAll();
            QTest::keyClicks(delay(f), QStringLiteral("30"));
            QCOMPARE(f.frame(3).frameDelay, qint16(30));
        }) << 1;
        QTest::newRow("typing again after leaving the box") << Action([delay](EditingFixture& f) {
            QTest::keyClicks(delay(f), QStringLiteral("1"));
            f.window()->PicEdit()->setFocus();
            delay(f)->setFocus();
            QTest::keyClicks(delay(f), QStringLiteral("2"));
        }) << 2;
        // An undo while an anchor drag is held ends the drag: the moves after it change nothing and push no step;
        // the undone nudge stays redoable, also after a colour pick.
        QTest::newRow("undo during an anchor drag") << Action([](EditingFixture& f) {
            key(Qt::Key_Up)(f);
            const QPointF at = f.origin();
            f.mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::ControlModifier);
            f.mouse(QEvent::MouseMove, at + QPoint(10, 5), Qt::LeftButton, Qt::ControlModifier);
            f.window()->menuAction(QStringLiteral("mundo"))->trigger();
            f.mouse(QEvent::MouseMove, at + QPoint(20, 5), Qt::LeftButton, Qt::ControlModifier);
            f.mouse(QEvent::MouseButtonRelease, at + QPoint(20, 5), Qt::LeftButton, Qt::ControlModifier);
            f.drag(at, at, Qt::LeftButton, Qt::AltModifier);
            QVERIFY(f.window()->document().undoStack()->canRedo());
        }) << 1;
    }

    // The steps an action leaves; undoing them all gives back the state before it.
    void stepsMerge()
    {
        QFETCH(Action, action);
        QFETCH(int, steps);
        EditingFixture f;
        animbox::FrmMain* w = openShared(f);
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        f.window()->Frame3()->txtDelay()->setFocus();
        const State before = state(w);
        action(f);
        QCOMPARE(w->document().undoStack()->count(), steps);
        for (int i = 0; i < steps; ++i)
            w->menuAction(QStringLiteral("mundo"))->trigger();
        compareState(state(w), before);
    }

    // "*" follows the name while the animation differs from the state at start
    // or from the text last generated and copied.
    void titleMarksChanges()
    {
        EditingFixture f;
        animbox::FrmMain* w = openShared(f);
        QVERIFY(w);
        const auto title = [w] { return w->windowHandle()->title(); };
        const QString clean = QStringLiteral("Kestrum Frame Editor ") + QStringLiteral(KES_VERSION_TEXT);
        const QString modified = QStringLiteral("Kestrum Frame Editor* ") + QStringLiteral(KES_VERSION_TEXT);
        QCOMPARE(title(), clean);
        key(Qt::Key_Up)(f);
        QCOMPARE(title(), modified);
        w->menuAction(QStringLiteral("mundo"))->trigger();
        QCOMPARE(title(), clean);
        w->menuAction(QStringLiteral("mredo"))->trigger();
        QCOMPARE(title(), modified);
        f.modal.onDialog([](QDialog* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click(); });
        w->menuAction(QStringLiteral("mgentext"))->trigger();
        QCOMPARE(title(), modified);
        f.modal.onDialog([](QDialog* dialog) { dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click(); });
        w->menuAction(QStringLiteral("mgentext"))->trigger();
        QCOMPARE(title(), clean);
        w->menuAction(QStringLiteral("mundo"))->trigger();
        QCOMPARE(title(), modified);
        QCOMPARE(f.modal.unexpectedDialogs, 0);
    }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
