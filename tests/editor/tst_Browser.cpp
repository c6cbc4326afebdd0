#include "EditorTests.h"

#include "TestHelpers.h"
#include "editor/BrowserPanel.h"
#include "editor/CanvasView.h"
#include "editor/DisplayGroup.h"
#include "editor/FrameListGroup.h"
#include "editor/browser/DirList.h"
#include "editor/browser/FileList.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

void BrowserTest::patternRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("files");
    const QStringList gifs{"A1.gif", "b2.GIF", "idle00.gif", "idle01.gif", "Idle10.gif", "k12.gif", "kick.gif"};
    QTest::newRow("empty") << "" << "*.gif" << gifs;
    QTest::newRow("prefix") << "idle" << "idle*.gif" << QStringList{"idle00.gif", "idle01.gif", "Idle10.gif"};
    QTest::newRow("star") << "idle*" << "idle*.gif" << QStringList{"idle00.gif", "idle01.gif", "Idle10.gif"};
    QTest::newRow("question marks") << "k??" << "k??.gif" << QStringList{"k12.gif"};
    QTest::newRow("one digit") << "idle0?" << "idle0?.gif" << QStringList{"idle00.gif", "idle01.gif"};
    QTest::newRow("list") << "*.gif;*.bmp" << "*.gif;*.bmp" << (QStringList{"a.bmp"} + gifs);
    QTest::newRow("refused keeps previous") << ";" << "*.gif" << gifs;
}

void BrowserTest::patternRule()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QStringList, files);
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    for (const char* name : {"idle00.gif", "idle01.gif", "Idle10.gif", "k12.gif", "kick.gif", "A1.gif", "b2.GIF",
                             ".hidden.gif", "a.bmp", "readme.txt"})
        QVERIFY(fixture.writeSprite(QLatin1String(name), {4, 4}));
    QVERIFY(QDir(fixture.sprites()).mkdir(QStringLiteral("folder.gif")));
    auto window = fixture.window();
    window->Picture1()->Text4()->setText(text);
    QCOMPARE(window->Picture1()->File1()->pattern(), pattern);
    QCOMPARE(window->Picture1()->File1()->fileNames(), files);
    if (text == u";") {
        window->Picture1()->Text4()->setText(QStringLiteral("k"));
        window->Picture1()->Text4()->setText(text);
        QCOMPARE(window->Picture1()->File1()->pattern(), QStringLiteral("k*.gif"));
    }
}

void BrowserTest::folderListEntersFolders()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {4, 4}));
    auto window = fixture.window(fixture.game());
    browser::DirList* dirs = window->Picture1()->Dir1();
    QCOMPARE(window->browserFolder(), fixture.game());
    const QList<QListWidgetItem*> data = dirs->findItems(QStringLiteral("data"), Qt::MatchEndsWith);
    QCOMPARE(data.size(), 1);
    emit dirs->itemActivated(data.first());
    QCOMPARE(dirs->path(), fixture.game() + QStringLiteral("/data"));
    QCOMPARE(window->browserFolder(), dirs->path());
    // The ancestors stay listed above the current folder: going back up works.
    const QList<QListWidgetItem*> game = dirs->findItems(QStringLiteral("game"), Qt::MatchEndsWith);
    QCOMPARE(game.size(), 1);
    QVERIFY(dirs->row(game.first()) < dirs->currentRow());
    emit dirs->itemActivated(game.first());
    QCOMPARE(window->browserFolder(), fixture.game());
}

void BrowserTest::previewShowsClickedFile()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {30, 20}));
    auto window = fixture.window();
    browser::FileList* files = window->Picture1()->File1();
    QCOMPARE(files->count(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(0)).center());
    QCOMPARE(window->Frame3()->Image1()->pixmap().size(), QSize(30, 20));
    QCOMPARE(window->animation().rowCount(), 0);
}

void BrowserTest::previewOfBrokenFileKeepsOldPicture()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {30, 20}));
    QFile broken(QDir(fixture.sprites()).filePath(QStringLiteral("b.gif")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    auto window = fixture.window();
    testing::ModalDriver driver;
    window->File1_Click(QStringLiteral("a.gif"));
    window->File1_Click(QStringLiteral("b.gif"));
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY(driver.messages[0].contains(broken.fileName()));
    QCOMPARE(driver.messageTitles[0], QStringLiteral("Kestrum Frame Editor"));
    QCOMPARE(window->Frame3()->Image1()->pixmap().size(), QSize(30, 20));
}

void BrowserTest::panelToggleMovesCanvasAndOrigin()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {20, 20}));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif")}));
    window->List1()->setCurrentRow(0);
    animbox::CanvasView* canvas = window->PicEdit();
    QCOMPARE(canvas->geometry(), QRect(184, 24, 617, 489));
    // Inner area 613 x 485 inside the 2-pixel border.
    QCOMPARE(QPoint(window->canvasOriginX(), window->canvasOriginY()), QPoint(276, 340));

    window->Command9()->click();
    QCOMPARE(window->Command9()->text(), QStringLiteral("+"));
    QVERIFY(window->Picture1()->isHidden());
    QCOMPARE(canvas->geometry(), QRect(4, 24, 797, 489));
    QCOMPARE(QPoint(window->canvasOriginX(), window->canvasOriginY()), QPoint(357, 340));
    // The frame is redrawn at the new origin: its sprite corner moved along.
    QCOMPARE(canvas->pixelAt({357 - 10 + 5, 340 - 18 + 5}), QColor(0, 255, 0).rgb());

    window->Command9()->click();
    QCOMPARE(window->Command9()->text(), QStringLiteral("-"));
    QVERIFY(!window->Picture1()->isHidden());
    QCOMPARE(canvas->geometry(), QRect(184, 24, 617, 489));
    QCOMPARE(QPoint(window->canvasOriginX(), window->canvasOriginY()), QPoint(276, 340));
}

void BrowserTest::resizeGivesCanvasTheRoom()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fixture.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QSize before = window->centralWidget()->size();
    QCOMPARE(before, QSize(animbox::FrmMain::kClientWidth, animbox::FrmMain::kClientHeight));
    window->resize(window->size() + QSize(100, 50));
    QTRY_COMPARE(window->PicEdit()->width(), 717);
    QCOMPARE(window->PicEdit()->height(), 539);
    QCOMPARE(window->frameListGroup()->x(), 908);
    // Inner 713 x 535.
    QCOMPARE(QPoint(window->canvasOriginX(), window->canvasOriginY()), QPoint(321, 374));
}
