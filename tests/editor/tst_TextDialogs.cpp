#include "EditorTests.h"

#include "EditingFixture.h"
#include "editor/panels/BrowserPanel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using editing::EditingFixture;

namespace {

void click(QDialog* dialog, const char* button)
{
    dialog->findChild<QPushButton*>(QLatin1String(button))->click();
}

QPlainTextEdit* textBox(QDialog* dialog)
{
    return dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
}

// Two frames, the second with an attack, in a window on the sprite folder.
// Their files are spelt with a capital, unlike the rows read from text.
animbox::FrmMain* twoFrames(EditingFixture& f)
{
    const QStringList names{"Idle01.gif", "Idle02.gif"};
    if (!f.files.writeSprite(names[0], {80, 92}) || !f.files.writeSprite(names[1], {82, 92}))
        return nullptr;
    animbox::FrmMain* window = f.show();
    if (!window || !testing::addFrames(*window, names))
        return nullptr;
    window->animation().frames[1].attackKind = QStringLiteral("Attack");
    window->animation().frames[1].attackBox = {50, 30, 30, 20};
    return window;
}

const QString kText = QStringLiteral(
    "\tDelay\t0\r\n\tOffSet\t40 90\r\n\tFrame\tdata\\chars\\test\\Idle01.gif\r\n"
    "\tOffSet\t41 90\r\n\tAttack\t50 30 30 20 0 0 0 0 0\r\n\tFrame\tdata\\chars\\test\\Idle02.gif\r\n");

// Answers FrmFromText, which shows the game folder of the settings,
// "/old/game": "button" types the game folder and `text` and clicks "确定";
// "keys" confirms by keys instead (Enter, which must add a line, then
// Ctrl+Enter); "paste" pastes `text` and cancels a folder choice, which keeps
// the folder shown, before it types the folder; "cancel" types both and
// cancels.
std::function<void(QDialog*)> readDialog(EditingFixture& f, const QString& text, const QString& how)
{
    return [&f, text, how](QDialog* dialog) {
        auto* folder = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
        QCOMPARE(folder->text(), QStringLiteral("/old/game"));
        textBox(dialog)->setPlainText(how == u"paste" ? QString() : text);
        if (how == u"paste") {
            QApplication::clipboard()->setText(text);
            click(dialog, "Command3");
            f.modal.onDialog([](QDialog* chooser) {
                QVERIFY(qobject_cast<QFileDialog*>(chooser));
                chooser->reject();
            });
            click(dialog, "Command4");
            QCOMPARE(folder->text(), QStringLiteral("/old/game"));
        }
        folder->setText(f.files.game());
        if (how == u"keys") {
            textBox(dialog)->moveCursor(QTextCursor::End);
            QTest::keyClick(textBox(dialog), Qt::Key_Return);
            QCOMPARE(textBox(dialog)->toPlainText(), text + u'\n');
            QTest::keyClick(textBox(dialog), Qt::Key_Return, Qt::ControlModifier);
        }
        if (dialog->isVisible())
            click(dialog, how == u"button" || how == u"paste" ? "Command1" : "Command2");
    };
}

} // namespace

void EditorTest::generateTextCancelAndCopy()
{
    EditingFixture f;
    animbox::FrmMain* window = twoFrames(f);
    QVERIFY(window);
    QApplication::clipboard()->setText(QStringLiteral("old"));
    QString shown;
    f.modal.onDialog([](QDialog* dialog) { click(dialog, "Command2"); });
    window->menuAction(QStringLiteral("mgentext"))->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("old"));
    f.modal.onDialog([&shown](QDialog* dialog) {
        shown = textBox(dialog)->toPlainText();
        textBox(dialog)->appendPlainText(QStringLiteral("\tanim\tidle"));
        click(dialog, "Command1");
    });
    window->menuAction(QStringLiteral("mgentext"))->trigger();
    // The box shows the platform's line ends; the clipboard gets CR LF ones.
    QCOMPARE(shown, QString(kText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(QApplication::clipboard()->text(), kText + QStringLiteral("\r\n\tanim\tidle"));
    // Enter in the text box is the default button's: copy and close.
    f.modal.onDialog([](QDialog* dialog) {
        QTest::keyClick(textBox(dialog), Qt::Key_Return);
        if (dialog->isVisible())
            click(dialog, "Command2");
    });
    window->menuAction(QStringLiteral("mgentext"))->trigger();
    QCOMPARE(QApplication::clipboard()->text(), kText);
}

void EditorTest::readTextBuildsFrames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("how");
    const QStringList before{"Idle01.gif", "Idle02.gif"};
    QTest::newRow("CR LF") << kText << "" << QStringList{"idle01.gif", "idle02.gif"} << "button";
    QTest::newRow("Enter, then Ctrl+Enter") << "\tFrame\tdata/chars/test/idle01" << "" << QStringList{"idle01.gif"}
                                            << "keys";
    QTest::newRow("pasted, the folder choice cancelled")
        << "\tFrame\tdata/chars/test/idle01.gif\n" << "" << QStringList{"idle01.gif"} << "paste";
    QTest::newRow("cancelled") << kText << "" << before << "cancel";
    QTest::newRow("missing file keeps the frames read") << "\tFrame\tdata/chars/test/idle01\n\tFrame\tdata/gone\n"
                                                        << "文件不存在!" << QStringList{"idle01.gif"} << "button";
    const QString utf16 = QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(kText.utf16()), kText.size() * 2));
    QTest::newRow("UTF-16: no frame, nothing changes") << utf16 << "文本中没有找到帧" << before << "button";
}

// The browser goes to the folder of the last frame read; text without a
// frame, or cancelled, leaves the frames, with the second one's attack, as
// they were. The rows read are lower case; the scheme finds their files as
// the reader did.
void EditorTest::readTextBuildsFrames()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    QFETCH(QString, how);
    EditingFixture f;
    animbox::FrmMain* window = twoFrames(f);
    QVERIFY(window && window->Picture1()->showFolder(f.files.plain()));
    window->settings().WriteSetting(QStringLiteral("WK_Path"), QStringLiteral("/old/game"));
    f.modal.onDialog(readDialog(f, text, how));
    window->menuAction(QStringLiteral("mFromText"))->trigger();
    QCOMPARE(f.modal.messages.size(), message.isEmpty() ? 0 : 1);
    QVERIFY(message.isEmpty() || f.modal.messages[0].startsWith(message));
    QCOMPARE(window->animation().rows, rows);
    QCOMPARE(window->List1()->count(), rows.size());
    const bool unchanged = rows == QStringList{"Idle01.gif", "Idle02.gif"};
    QCOMPARE(window->browserFolder(), unchanged ? f.files.plain() : f.files.sprites());
    QCOMPARE(window->settings().ReadSetting(QStringLiteral("WK_Path")),
             how == u"cancel" ? QStringLiteral("/old/game") : f.files.game());
    const model::FrameRecord& last = window->animation().frames[rows.size() - 1];
    QCOMPARE(last.imageWidth, 80 + 2 * (rows.size() - 1));
    QCOMPARE(last.attackBox, (rows.size() == 2 ? model::Box{50, 30, 30, 20} : model::Box{}));
    if (window->browserFolder() != f.files.sprites())
        return;
    f.modal.onDialog(testing::acceptScheme());
    window->menuAction(QStringLiteral("minitframe"))->trigger();
    QCOMPARE(f.modal.messages.size(), message.isEmpty() ? 0 : 1);
    const model::FrameRecord& schemed = window->animation().frames[rows.size() - 1];
    QCOMPARE(QPoint(schemed.offsetX, schemed.offsetY), QPoint(schemed.imageWidth / 2, 90));
    QCOMPARE(schemed.frameDelay, qint16(10));
    QCOMPARE(schemed.picture.size(), QSize(schemed.imageWidth, 92));
}
