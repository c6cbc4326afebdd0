#include "EditorTests.h"

#include "TestHelpers.h"
#include "editor/BrowserPanel.h"
#include "model/Scheme.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr auto kDefault = "X=1,XT=left,XSpace=1,Y=0,YT=bottom,YSpace=2";

} // namespace

void SchemeTest::anchors_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QPoint>("anchor");
    QTest::newRow("default") << kDefault << QSize(80, 100) << true << QPoint(40, 98);
    QTest::newRow("odd width") << kDefault << QSize(81, 120) << true << QPoint(40, 118);
    QTest::newRow("from left") << "X=0,XT=left,XSpace=5,Y=1" << QSize(30, 75) << true << QPoint(5, 37);
    QTest::newRow("from right") << "X=0,XT=right,XSpace=5,Y=1" << QSize(30, 75) << true << QPoint(25, 37);
    QTest::newRow("side is case-sensitive") << "X=0,XT=Left,XSpace=5,Y=0,YT=Top,YSpace=3" << QSize(30, 20)
                                            << true << QPoint(25, 17);
    QTest::newRow("from top") << "X=1,Y=0,YT=top,YSpace=3" << QSize(30, 20) << true << QPoint(15, 3);
    QTest::newRow("half to even") << "X=0,XT=left,XSpace=2.5,Y=0,YT=top,YSpace=3.5" << QSize(9, 9) << true
                                  << QPoint(2, 4);
    QTest::newRow("not a number") << "X=0,XT=left,XSpace=abc,Y=0,YT=top,YSpace=" << QSize(9, 9) << true
                                  << QPoint(0, 0);
    QTest::newRow("margin too large") << "X=0,XT=left,XSpace=40000,Y=1" << QSize(9, 9) << false << QPoint();
    QTest::newRow("difference too large") << "X=0,XT=right,XSpace=-32768,Y=1" << QSize(9, 9) << false
                                          << QPoint();
    QTest::newRow("image too large") << kDefault << QSize(40000, 9) << false << QPoint();
}

void SchemeTest::anchors()
{
    QFETCH(QString, scheme);
    QFETCH(QSize, image);
    QFETCH(bool, valid);
    QFETCH(QPoint, anchor);
    QString error;
    const auto parsed = model::parseScheme(scheme, &error);
    const auto result = parsed ? model::schemeAnchor(*parsed, image.width(), image.height()) : std::nullopt;
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(QPoint(result->x, result->y), anchor);
    if (!parsed)
        QVERIFY(error.contains(u"xspace"));
}

void SchemeTest::dialogTextAndApplication()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {30, 40}));
    QVERIFY(fixture.writeSprite(QStringLiteral("b.gif"), {50, 40}));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif"), QStringLiteral("b.gif")}));
    window->animation().frames[1].attackBox = {1, 2, 3, 4};
    window->animation().framesFromText = true;

    QString handedOver;
    testing::ModalDriver driver;
    driver.onDialog(testing::acceptScheme([&window, &handedOver](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("初始化帧"));
        QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("option1"))->isChecked());
        QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("Option5"))->isChecked());
        dialog->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
        dialog->findChild<QRadioButton*>(QStringLiteral("Option4"))->click();
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("5"));
        dialog->findChild<QRadioButton*>(QStringLiteral("Option8"))->click();
        // Watch the text the dialog hands over.
        QObject::connect(dialog, &QDialog::accepted, dialog,
                         [&window, &handedOver] { handedOver = window->pending().pendingText(); });
    }));
    window->menuAction(QStringLiteral("minitframe"))->trigger();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(handedOver, QStringLiteral("X=0,XT=right,XSpace=5,Y=1,YT=bottom,YSpace=2"));
    const model::Animation& animation = window->animation();
    QCOMPARE(animation.frames[0].offsetX, 25);
    QCOMPARE(animation.frames[1].offsetX, 45);
    QCOMPARE(animation.frames[1].offsetY, 20);
    QCOMPARE(animation.frames[1].frameDelay, 10);
    QVERIFY(animation.frames[1].attackBox.isAllZero());
    QVERIFY(!animation.framesFromText);
    QCOMPARE(animation.animName, QString());
    QCOMPARE(window->selectedRow(), 0);
    QVERIFY(window->pending().pendingText().isEmpty());
}

void SchemeTest::outOfRangeChangesNothing()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {30, 40}));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif")}));
    window->animation().frames[0].frameDelay = 3;
    testing::ModalDriver driver;
    driver.onDialog(testing::acceptScheme([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("-32768"));
    }));
    QCOMPARE(window->RunSchemeDialog(), animbox::FrmMain::SchemeResult::Rejected);
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY(driver.messages[0].contains(u"a.gif"));
    QCOMPARE(window->animation().frames[0].frameDelay, 3);
    QCOMPARE(window->animation().frames[0].offsetY, 38);
}

void SchemeTest::missingImagesAreReportedInRowOrder()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    const QString other = fixture.game() + QStringLiteral("/data/other");
    QVERIFY(QDir().mkpath(other));
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {30, 40}));
    QVERIFY(fixture.writeSprite(QStringLiteral("b.gif"), {30, 40}));
    QVERIFY(fixture.writeSprite(QStringLiteral("c.gif"), {30, 40}));
    QVERIFY(fixture.writeSprite(QStringLiteral("b.gif"), {10, 12}, 0xffff00ff, 0xff00ff00, other));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif"), QStringLiteral("b.gif"), QStringLiteral("c.gif")}));
    QVERIFY(window->Picture1()->showFolder(other));
    testing::ModalDriver driver;
    driver.onDialog(testing::acceptScheme());
    QCOMPARE(window->RunSchemeDialog(), animbox::FrmMain::SchemeResult::Applied);
    QCOMPARE(driver.messages, (QStringList{QStringLiteral("文件不存在.") + QDir(other).filePath("a.gif"),
                                           QStringLiteral("文件不存在.") + QDir(other).filePath("c.gif")}));
    const model::Animation& animation = window->animation();
    QCOMPARE(animation.frames.size(), 3);
    QVERIFY(animation.frames[0].picture.isNull());
    QCOMPARE(animation.frames[0].frameDelay, 0);
    QCOMPARE(animation.frames[1].imageWidth, 10);
    QCOMPARE(animation.frames[1].offsetY, 10);
}

void SchemeTest::emptyListShowsNoDialog()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fixture.window();
    testing::ModalDriver driver;
    window->menuAction(QStringLiteral("minitframe"))->trigger();
    QCOMPARE(driver.messages, QStringList{QStringLiteral("没有帧.")});
    QCOMPARE(driver.unexpectedDialogs, 0);
    QCOMPARE(window->menuAction(QStringLiteral("minitframe"))->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(window->menuAction(QStringLiteral("mploop"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F5));
}
