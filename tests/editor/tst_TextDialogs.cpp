#include "EditorTests.h"

#include "TestHelpers.h"
#include "editor/BrowserPanel.h"
#include "editor/IniSettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

void click(QDialog* dialog, const char* button)
{
    dialog->findChild<QPushButton*>(QLatin1String(button))->click();
}

QPlainTextEdit* textBox(QDialog* dialog)
{
    return dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
}

// Answers the read-from-text dialog with a game folder and a script text.
std::function<void(QDialog*)> readText(const QString& folder, const QString& text)
{
    return [folder, text](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(folder);
        textBox(dialog)->setPlainText(text);
        click(dialog, "Command1");
    };
}

// Two frames, the second with an attack, in a window on the sprite folder.
std::unique_ptr<animbox::FrmMain> twoFrames(testing::Fixture& fixture)
{
    if (!fixture.writeSprite(QStringLiteral("idle01.gif"), {80, 92})
        || !fixture.writeSprite(QStringLiteral("idle02.gif"), {82, 92}))
        return nullptr;
    auto window = fixture.window();
    if (!testing::addFrames(*window, {QStringLiteral("idle01.gif"), QStringLiteral("idle02.gif")}))
        return nullptr;
    model::FrameRecord& second = window->animation().frames[1];
    second.attackKind = QStringLiteral("Attack");
    second.attackBox = {50, 30, 30, 20};
    second.damage = 20;
    second.pause = 15;
    return window;
}

const QString kExpected = QStringLiteral(
    "\tDelay\t0\r\n\tOffSet\t40 90\r\n\tFrame\tdata\\chars\\test\\idle01.gif\r\n"
    "\tOffSet\t41 90\r\n\tAttack\t50 30 30 20 20 0 0 0 15\r\n\tFrame\tdata\\chars\\test\\idle02.gif\r\n");

} // namespace

void TextDialogsTest::generatedTextGoesToClipboard()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = twoFrames(fixture);
    QVERIFY(window);
    QApplication::clipboard()->setText(QStringLiteral("old"));
    QString shown;
    testing::ModalDriver driver;
    driver.onDialog([&shown, &window](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Text"));
        QVERIFY(window->pending().pendingText().isEmpty());
        shown = textBox(dialog)->toPlainText();
        textBox(dialog)->appendPlainText(QStringLiteral("\tanim\tidle"));
        click(dialog, "Command1");
    });
    window->menuAction(QStringLiteral("mgentext"))->trigger();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(shown, QString(kExpected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // appendPlainText starts a new paragraph after the text's own last line end.
    QCOMPARE(QApplication::clipboard()->text(), kExpected + QStringLiteral("\r\n\tanim\tidle"));
}

void TextDialogsTest::cancelLeavesClipboard()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = twoFrames(fixture);
    QVERIFY(window);
    QApplication::clipboard()->setText(QStringLiteral("old"));
    testing::ModalDriver driver;
    driver.onDialog([](QDialog* dialog) { click(dialog, "Command2"); });
    window->GenerateAnimationText();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("old"));
}

void TextDialogsTest::readTextBuildsFrames_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("CR LF") << "\r\n";
    QTest::newRow("LF") << "\n";
}

void TextDialogsTest::readTextBuildsFrames()
{
    QFETCH(QString, lineEnd);
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = twoFrames(fixture);
    QVERIFY(window);
    QVERIFY(window->Picture1()->showFolder(fixture.plain()));
    const QString text = QString(kExpected).replace(QStringLiteral("\r\n"), lineEnd);
    testing::ModalDriver driver;
    driver.onDialog(readText(fixture.game(), text));
    window->menuAction(QStringLiteral("mFromText"))->trigger();
    QCOMPARE(driver.messages, QStringList());
    const model::Animation& animation = window->animation();
    QCOMPARE(animation.rows, (QStringList{"idle01.gif", "idle02.gif"}));
    QCOMPARE(window->List1()->count(), 2);
    QCOMPARE(window->selectedRow(), -1);
    QCOMPARE(animation.frames.size(), 3);
    QCOMPARE(animation.frames[1].offsetX, 41);
    QCOMPARE(animation.frames[1].attackBox, (model::Box{50, 30, 30, 20}));
    QCOMPARE(animation.frames[1].imageWidth, 82);
    QVERIFY(animation.framesFromText);
    QCOMPARE(window->browserFolder(), fixture.sprites());
    QCOMPARE(window->pending().workPath(), fixture.game());
    QCOMPARE(window->settings().ReadSetting(QStringLiteral("WK_Path")), fixture.game());

    // The first frame added afterwards carries over the last frame read.
    QVERIFY(testing::addFrames(*window, {QStringLiteral("idle01.gif")}));
    QCOMPARE(animation.frames.size(), 3);
    QCOMPARE(animation.frames[2].attackBox, (model::Box{50, 30, 30, 20}));
    QCOMPARE(animation.frames[2].offsetX, 40);
}

void TextDialogsTest::pasteAndFolderChoice()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fixture.window();
    window->settings().WriteSetting(QStringLiteral("WK_Path"), QStringLiteral("/old/game"));
    QApplication::clipboard()->setText(QStringLiteral("\tDelay\t5\n"));
    QString folder;
    QString pasted;
    testing::ModalDriver driver;
    driver.onDialog([&](QDialog* dialog) {
        auto* text2 = dialog->findChild<QLineEdit*>(QStringLiteral("Text2"));
        QCOMPARE(text2->text(), QStringLiteral("/old/game"));
        QVERIFY(textBox(dialog)->toPlainText().isEmpty());
        click(dialog, "Command3");
        pasted = textBox(dialog)->toPlainText();
        // The folder chooser cancelled leaves the folder as it was.
        driver.onDialog([](QDialog* chooser) {
            QVERIFY(qobject_cast<QFileDialog*>(chooser));
            chooser->reject();
        });
        click(dialog, "Command4");
        folder = text2->text();
        click(dialog, "Command2");
    });
    window->FramesFromText();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(pasted, QStringLiteral("\tDelay\t5\n"));
    QCOMPARE(folder, QStringLiteral("/old/game"));
    QCOMPARE(window->animation().rowCount(), 0);
}

void TextDialogsTest::cancelLeavesAnimation()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = twoFrames(fixture);
    QVERIFY(window);
    testing::ModalDriver driver;
    driver.onDialog([](QDialog* dialog) {
        textBox(dialog)->setPlainText(QStringLiteral("\tFrame\tdata/chars/test/idle01.gif"));
        click(dialog, "Command2");
    });
    window->FramesFromText();
    driver.onDialog([](QDialog* dialog) {
        textBox(dialog)->setPlainText(QStringLiteral("\tFrame\tdata/chars/test/idle01.gif"));
        dialog->close();
    });
    window->FramesFromText();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(window->animation().rowCount(), 2);
    QCOMPARE(window->animation().frames[1].attackBox, (model::Box{50, 30, 30, 20}));
    QVERIFY(!window->animation().framesFromText);
}

void TextDialogsTest::readerFailureKeepsFramesReadSoFar()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = twoFrames(fixture);
    QVERIFY(window);
    testing::ModalDriver driver;
    driver.onDialog(readText(fixture.game(), QStringLiteral("\tFrame\tdata/chars/test/idle01\n"
                                                            "\tDelay\t4\n\tFrame\tdata/chars/test/missing\n")));
    window->FramesFromText();
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages[0].startsWith(QStringLiteral("文件不存在!")), qPrintable(driver.messages[0]));
    QCOMPARE(window->animation().rows, QStringList{QStringLiteral("idle01.gif")});
    QCOMPARE(window->List1()->count(), 1);
}
