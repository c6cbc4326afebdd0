#include "EditorTests.h"

#include "EditingFixture.h"
#include "browser/FileList.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using editing::EditingFixture;

namespace {

// A window with the first `count` of the frames a..e; frame n (from 1) is 10 n pixels wide and has delay n.
animbox::FrmMain* framesWindow(EditingFixture& f, int count = 5)
{
    const QStringList names{"a.gif", "b.gif", "c.gif", "d.gif", "e.gif"};
    for (int i = 0; i < names.size(); ++i)
        if (!f.files.writeSprite(names[i], {10 * (i + 1), 10}))
            return nullptr;
    animbox::FrmMain* window = f.show();
    if (!window || !testing::addFrames(*window, names.mid(0, count)))
        return nullptr;
    for (int i = 0; i < count; ++i)
        window->animation().frames[i].frameDelay = i + 1;
    return window;
}

// The list, the rows and the records are in step, each record that of its row: "abd" names a.gif, b.gif, d.gif.
void checkRows(animbox::FrmMain& window, const QString& letters)
{
    QString listed, recorded;
    for (int i = 0; i < window.List1()->count(); ++i)
        listed += window.List1()->item(i)->text().remove(QStringLiteral(".gif"));
    for (const model::FrameRecord& record : window.animation().frames)
        recorded += QChar(u'a' + record.imageWidth / 10 - 1);
    QCOMPARE(window.animation().rows.join(QString()).remove(QStringLiteral(".gif")), letters);
    QCOMPARE(listed, letters);
    QCOMPARE(recorded, letters);
}

} // namespace

void EditorTest::addFrame_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("rows");
    QTest::newRow("button") << "" << "" << "ae";
    QTest::newRow("double click") << "double click" << "" << "ae";
    QTest::newRow("no data folder") << "plain" << "不能定位data文件夹!" << "a";
    QTest::newRow("file gone") << "gone" << "文件不存在." << "a";
    QTest::newRow("not a picture") << "broken" << "无法读取图片" << "a";
    QTest::newRow("add all") << "add all" << "" << "aabcde";
    QTest::newRow("add all cancelled") << "add all cancelled" << "" << "a";
    QTest::newRow("add all, no data folder") << "add all plain" << "不能定位data文件夹." << "a";
}

// One frame a, then e.gif (or all frames) added from the sprite folder or
// from a folder outside "data". A failed add removes the rows it appended.
void EditorTest::addFrame()
{
    QFETCH(QString, how);
    QFETCH(QString, message);
    QFETCH(QString, rows);
    EditingFixture f;
    animbox::FrmMain* window = framesWindow(f, 1);
    QVERIFY(window && f.files.writeSprite(QStringLiteral("e.gif"), {50, 10}, 0xffff00ff, 0xff00ff00, f.files.plain()));
    window->List1()->setCurrentRow(0);
    QVERIFY(window->Picture1()->showFolder(how.endsWith(u"plain") ? f.files.plain() : f.files.sprites()));
    browser::FileList* files = window->Picture1()->File1();
    files->setCurrentItem(files->findItems(QStringLiteral("e.gif"), Qt::MatchExactly).value(0));
    QCOMPARE(files->fileName(), QStringLiteral("e.gif"));
    QFile file(QDir(f.files.sprites()).filePath(QStringLiteral("e.gif")));
    QVERIFY(how != u"gone" || file.remove());
    QVERIFY(how != u"broken" || (file.open(QIODevice::WriteOnly) && file.write("GIF89a broken") > 0));
    file.close();
    // The scheme dialog is cancelled unless told to accept it.
    if (how == u"add all" || how == u"add all plain")
        f.modal.onDialog(testing::acceptScheme());
    const QPoint at = files->visualItemRect(files->currentItem()).center();
    if (how.startsWith(u"add all")) {
        window->Picture1()->Command5()->click();
    } else if (how == u"double click") {
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
    } else {
        window->Picture1()->cmdAddFrame()->click();
    }
    QCOMPARE(f.modal.messages.size(), message.isEmpty() ? 0 : 1);
    QVERIFY(message.isEmpty() || f.modal.messages[0].startsWith(message));
    QVERIFY(message.isEmpty() || how.endsWith(u"plain") || f.modal.messages[0].contains(file.fileName()));
    checkRows(*window, rows);
    // The scheme sets delay 10.
    QCOMPARE(window->animation().frames[0].frameDelay, how == u"add all" ? 10 : 1);
    QCOMPARE(window->selectedRow(), 0);
}

void EditorTest::frameListOperations_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("message");
    QTest::newRow("delete last") << 5 << 4 << "Command4" << "abcd" << 3 << "";
    QTest::newRow("delete middle") << 5 << 2 << "Command4" << "abde" << 2 << "";
    QTest::newRow("delete the only frame") << 1 << 0 << "Command4" << "a" << 0 << "无法删除";
    QTest::newRow("delete without frames") << 0 << -1 << "Command4" << "" << -1 << "没有帧.";
    QTest::newRow("up") << 5 << 1 << "Command7" << "bacde" << 0 << "";
    QTest::newRow("up at the top") << 5 << 0 << "Command7" << "abcde" << 0 << "";
    QTest::newRow("down") << 5 << 3 << "Command10" << "abced" << 4 << "";
    QTest::newRow("down at the bottom") << 5 << 4 << "Command10" << "abcde" << 4 << "";
    QTest::newRow("clear") << 5 << 2 << "Command6" << "" << -1 << "";
    QTest::newRow("clear without frames") << 0 << -1 << "Command6" << "" << -1 << "没有帧.";
}

void EditorTest::frameListOperations()
{
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(QString, button);
    QFETCH(QString, rows);
    QFETCH(int, selected);
    QFETCH(QString, message);
    EditingFixture f;
    animbox::FrmMain* window = framesWindow(f, count);
    QVERIFY(window);
    window->List1()->setCurrentRow(row);
    window->frameListGroup()->findChild<QPushButton*>(button)->click();
    QCOMPARE(f.modal.messages, message.isEmpty() ? QStringList() : QStringList{message});
    checkRows(*window, rows);
    QCOMPARE(window->selectedRow(), selected);
    if (selected >= 0)
        QCOMPARE(window->Frame3()->txtDelay()->text(), QString::number(rows[selected].unicode() - 'a' + 1));
}

// Focus by keyboard and Ctrl+click leave a current row without highlight:
// nothing is drawn or loaded for it and no edit reaches it.
void EditorTest::editsGoToTheHighlightedRow()
{
    EditingFixture f;
    animbox::FrmMain* window = framesWindow(f, 3);
    QVERIFY(window && QTest::qWaitForWindowActive(window));
    QListWidget* list = window->List1();
    const auto anchorX = [window](int row) { return window->animation().frames[row].offsetX; };
    const qint16 first = anchorX(0), second = anchorX(1);
    list->setFocus(Qt::TabFocusReason);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(window->selectedRow(), -1);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QString());
    QTest::keyClick(window->PicEdit(), Qt::Key_Left);
    QCOMPARE(anchorX(0), first);

    const QPoint rowOne = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowOne);
    QCOMPARE(window->selectedRow(), 1);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QStringLiteral("2"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowOne);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(window->selectedRow(), -1);
    QTest::keyClick(window->PicEdit(), Qt::Key_Left);
    QCOMPARE(anchorX(1), second);
}

// Frames 10 and 20 pixels wide; a scheme out of range changes nothing.
void EditorTest::schemeDialogOverKnownSizes()
{
    EditingFixture f;
    animbox::FrmMain* window = framesWindow(f, 0);
    QVERIFY(window);
    window->menuAction(QStringLiteral("minitframe"))->trigger();
    QCOMPARE(f.modal.messages, QStringList{QStringLiteral("没有帧.")});
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif"), QStringLiteral("b.gif")}));
    window->animation().frames[1].attackBox = {1, 2, 3, 4};
    f.modal.onDialog(testing::acceptScheme([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("-32768"));
    }));
    QCOMPARE(window->RunSchemeDialog(), animbox::FrmMain::SchemeResult::Rejected);
    QVERIFY(f.modal.messages.size() == 2 && f.modal.messages[1].contains(u"a.gif"));
    QCOMPARE(window->animation().frames[1].attackBox, (model::Box{1, 2, 3, 4}));
    f.modal.onDialog(testing::acceptScheme([](QDialog* dialog) {
        QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("option1"))->isChecked());
        // X from the right side with a margin of 3, Y centred.
        dialog->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
        dialog->findChild<QRadioButton*>(QStringLiteral("Option4"))->click();
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("3"));
        dialog->findChild<QRadioButton*>(QStringLiteral("Option8"))->click();
    }));
    window->menuAction(QStringLiteral("minitframe"))->trigger();
    QCOMPARE(f.modal.pendingHandlers(), 0);
    const model::Animation& animation = window->animation();
    QCOMPARE(QPoint(animation.frames[0].offsetX, animation.frames[0].offsetY), QPoint(7, 5));
    QCOMPARE(QPoint(animation.frames[1].offsetX, animation.frames[1].offsetY), QPoint(17, 5));
    QVERIFY(animation.frames[1].attackBox.isAllZero());
}
