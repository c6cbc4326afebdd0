#include "tst_Panel.h"

#include "EditingFixture.h"
#include "editor/AttackPanel.h"
#include "editor/DisplayGroup.h"
#include "editor/EditingMessages.h"
#include "editor/ReferenceBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using editing::EditingFixture;
using model::Box;
using model::BoxState;

namespace {

QList<qint16> delays(EditingFixture& f, int count)
{
    QList<qint16> result;
    for (int row = 0; row < count; ++row)
        result.append(f.frame(row).frameDelay);
    return result;
}

// Selects the row so the panel shows it, then types `keys` one keystroke at
// a time into a text box whose text was selected as a whole.
void typeInto(EditingFixture& f, QLineEdit* edit, const QString& keys)
{
    f.window()->List1()->setCurrentRow(0);
    edit->setFocus();
    edit->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
}

} // namespace

void PanelTest::delayTypedPropagates_data()
{
    QTest::addColumn<QList<qint16>>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<qint16>>("after");
    QTest::addColumn<int>("messages");
    QTest::newRow("a run takes the new delay") << QList<qint16>{5, 5, 5, 3} << "8" << QList<qint16>{8, 8, 8, 3} << 0;
    QTest::newRow("intermediate values join the run") << QList<qint16>{5, 5, 1} << "10" << QList<qint16>{10, 10, 10} << 0;
    QTest::newRow("2.5 rounds to 2") << QList<qint16>{5, 7} << "2.5" << QList<qint16>{2, 7} << 0;
    QTest::newRow("3.5 rounds to 4") << QList<qint16>{5, 7} << "3.5" << QList<qint16>{4, 7} << 0;
    QTest::newRow("leading number") << QList<qint16>{5, 5} << "12abc" << QList<qint16>{12, 12} << 0;
    QTest::newRow("emptied text") << QList<qint16>{5, 5} << "" << QList<qint16>{0, 0} << 0;
    QTest::newRow("out of range keeps the delay") << QList<qint16>{5, 5} << "40000" << QList<qint16>{4000, 4000} << 1;
}

void PanelTest::delayTypedPropagates()
{
    QFETCH(QList<qint16>, before);
    QFETCH(QString, typed);
    QFETCH(QList<qint16>, after);
    QFETCH(int, messages);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(int(before.size()), false));
    for (int row = 0; row < before.size(); ++row)
        f.frame(row).frameDelay = before[row];
    QLineEdit* delay = f.window()->Frame3()->txtDelay();
    typeInto(f, delay, typed);
    QCOMPARE(delays(f, int(before.size())), after);
    QCOMPARE(f.modal.messages.size(), messages);
    QCOMPARE(delay->text(), messages ? QString::number(after[0]) : typed);
}

void PanelTest::damageTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint16>("damage");
    QTest::addColumn<QString>("shown");
    QTest::newRow("number") << "35" << qint16(35) << "35";
    QTest::newRow("not a number") << "x" << qint16(0) << "x";
    QTest::newRow("out of range keeps the last value") << "99999" << qint16(9999) << "9999";
}

void PanelTest::damageTyped()
{
    QFETCH(QString, typed);
    QFETCH(qint16, damage);
    QFETCH(QString, shown);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(2, false));
    QLineEdit* pow = f.window()->FmAbox()->txtPow();
    typeInto(f, pow, typed);
    QCOMPARE(f.frame(0).damage, damage);
    QCOMPARE(f.frame(1).damage, qint16(0));
    QCOMPARE(pow->text(), shown);
}

void PanelTest::flagsKeepScriptValuesUntilClicked_data()
{
    QTest::addColumn<int>("flag");
    QTest::newRow("knockdown") << 0;
    QTest::newRow("unblockable") << 1;
    QTest::newRow("no flash") << 2;
}

void PanelTest::flagsKeepScriptValuesUntilClicked()
{
    QFETCH(int, flag);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1, false));
    qint16 model::FrameRecord::*const fields[] = {&model::FrameRecord::knockdown, &model::FrameRecord::unblockable,
                                                  &model::FrameRecord::noFlash};
    animbox::AttackPanel* panel = f.window()->FmAbox();
    QCheckBox* const boxes[] = {panel->txtDown(), panel->txtBlock(), panel->txtFlash()};
    f.frame(0).*fields[flag] = 2;
    f.window()->List1()->setCurrentRow(0);
    QVERIFY(boxes[flag]->isChecked());
    QCOMPARE(f.frame(0).*fields[flag], qint16(2));
    boxes[flag]->click();
    QCOMPARE(f.frame(0).*fields[flag], qint16(0));
    boxes[flag]->click();
    QCOMPARE(f.frame(0).*fields[flag], qint16(1));
}

void PanelTest::comboStoresOnlyChosenItems()
{
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1));
    QComboBox* kind = f.window()->FmAbox()->txtAtType();
    QComboBox* pause = f.window()->FmAbox()->txtPause();
    kind->lineEdit()->selectAll();
    QTest::keyClicks(kind->lineEdit(), QStringLiteral("Attack5"));
    pause->lineEdit()->selectAll();
    QTest::keyClicks(pause->lineEdit(), QStringLiteral("77"));
    QTest::keyClick(kind->lineEdit(), Qt::Key_Return);
    QTest::keyClick(pause->lineEdit(), Qt::Key_Return);
    QCOMPARE(f.frame(0).attackKind, QString());
    QCOMPARE(f.frame(0).pause, qint16(0));
    kind->setCurrentIndex(0);
    QTest::keyClick(kind, Qt::Key_Down); // the user picks the next item: "Blast"
    pause->setCurrentIndex(0);
    QTest::keyClick(pause, Qt::Key_Down);
    QCOMPARE(f.frame(0).attackKind, QStringLiteral("Blast"));
    QCOMPARE(f.frame(0).pause, qint16(15));
}

void PanelTest::boxButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("attackSide");
    QTest::addColumn<QList<int>>("states"); // resulting state of rows 0..3 on that side
    QTest::addColumn<bool>("copiedFromPrevious");
    QTest::newRow("empty attack, first frame") << "Command1" << 0 << true << QList<int>{1, 1, 1, 0} << false;
    QTest::newRow("empty body, later frame") << "Command8" << 1 << false << QList<int>{0, 1, 1, 0} << false;
    QTest::newRow("clear attack, first frame") << "CmdClearAt" << 0 << true << QList<int>{-1, 0, 0, 0} << false;
    QTest::newRow("clear body, first frame") << "Command2" << 0 << false << QList<int>{-1, 0, 0, 0} << false;
    QTest::newRow("clear attack, later frame") << "CmdClearAt" << 3 << true << QList<int>{0, 0, 0, 0} << true;
    QTest::newRow("clear body, later frame") << "Command2" << 3 << false << QList<int>{0, 0, 0, 0} << true;
}

void PanelTest::boxButtons()
{
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(bool, attackSide);
    QFETCH(QList<int>, states);
    QFETCH(bool, copiedFromPrevious);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(4, false));
    // Rows 0..2 share their boxes; row 3 has other ones and another attack.
    for (int r = 0; r < 4; ++r) {
        const Box box = r < 3 ? Box{1, 2, 3, 4} : Box{5, 6, 7, 8};
        f.frame(r).attackBox = f.frame(r).extAttackBox = f.frame(r).bodyBox = f.frame(r).extBodyBox = box;
        f.frame(r).attackKind = r < 3 ? QStringLiteral("Attack") : QStringLiteral("Blast");
    }
    f.window()->List1()->setCurrentRow(row);
    f.window()->FmAbox()->findChild<QPushButton*>(button)->click();
    for (int r = 0; r < 4; ++r) {
        const model::FrameRecord& rec = f.frame(r);
        const BoxState state = attackSide ? rec.attackEmpty : rec.bodyEmpty;
        const BoxState extState = attackSide ? rec.extAttackEmpty : rec.extBodyEmpty;
        QCOMPARE(int(state), states[r]);
        QCOMPARE(int(extState), states[r]);
    }
    if (copiedFromPrevious) {
        QCOMPARE(f.frame(3).attackKind, attackSide ? QStringLiteral("Attack") : QStringLiteral("Blast"));
        const Box& box = attackSide ? f.frame(3).extAttackBox : f.frame(3).extBodyBox;
        QCOMPARE(box, (Box{1, 2, 3, 4}));
    }
    QCOMPARE(f.window()->selectedRow(), row);
}

void PanelTest::focusSelectsText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("selected");
    QTest::newRow("txtX") << "txtX" << "0";
    QTest::newRow("txtY") << "txtY" << "0";
    QTest::newRow("txtBase") << "txtBase" << "00";
}

void PanelTest::focusSelectsText()
{
    QFETCH(QString, name);
    QFETCH(QString, selected);
    EditingFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.open(1));
    auto* edit = f.window()->referenceBar()->findChild<QLineEdit*>(name);
    QVERIFY(edit);
    f.window()->activateWindow();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
    QTRY_COMPARE(edit->selectedText(), selected);
}
