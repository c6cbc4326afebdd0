#include "EditorTests.h"

#include "TestHelpers.h"
#include "editor/BrowserPanel.h"
#include "editor/DisplayGroup.h"
#include "editor/FrameListGroup.h"
#include "editor/browser/FileList.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QStringList listTexts(animbox::FrmMain& window)
{
    QStringList texts;
    for (int i = 0; i < window.List1()->count(); ++i)
        texts.append(window.List1()->item(i)->text());
    return texts;
}

// Five frames a..e whose anchors tell them apart (widths 10, 20 .. 50).
std::unique_ptr<animbox::FrmMain> fiveFrames(testing::Fixture& fixture)
{
    const QStringList names{"a.gif", "b.gif", "c.gif", "d.gif", "e.gif"};
    for (int i = 0; i < names.size(); ++i) {
        if (!fixture.writeSprite(names[i], {10 * (i + 1), 10}))
            return nullptr;
    }
    auto window = fixture.window();
    if (!testing::addFrames(*window, names))
        return nullptr;
    return window;
}

} // namespace

void FrameListTest::addFrameSetsAnchor()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("idle01.gif"), {81, 120}));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("idle01.gif")}));
    const model::Animation& animation = window->animation();
    QCOMPARE(animation.rows, QStringList{QStringLiteral("idle01.gif")});
    QCOMPARE(animation.frames.size(), 1);
    QCOMPARE(animation.frames[0].offsetX, 40);
    QCOMPARE(animation.frames[0].offsetY, 118);
    QCOMPARE(animation.frames[0].frameDelay, 0);
    QCOMPARE(animation.frames[0].imageWidth, 81);
    QCOMPARE(listTexts(*window), animation.rows);
    QCOMPARE(window->selectedRow(), -1);
}

void FrameListTest::doubleClickAddsFrame()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {8, 8}));
    auto window = fixture.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    browser::FileList* files = window->Picture1()->File1();
    const QPoint at = files->visualItemRect(files->item(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(window->animation().rows, QStringList{QStringLiteral("a.gif")});
    QCOMPARE(window->animation().frames.size(), 1);
}

void FrameListTest::failedAddRemovesItsRow_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("no data folder") << "plain" << "不能定位data文件夹!";
    QTest::newRow("file gone") << "gone" << "文件不存在.";
    QTest::newRow("not a picture") << "broken" << "无法读取图片";
}

void FrameListTest::failedAddRemovesItsRow()
{
    QFETCH(QString, problem);
    QFETCH(QString, message);
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("ok.gif"), {8, 8}));
    QVERIFY(fixture.writeSprite(QStringLiteral("x.gif"), {8, 8}));
    QVERIFY(fixture.writeSprite(QStringLiteral("x.gif"), {8, 8}, 0xffff00ff, 0xff00ff00, fixture.plain()));
    const QString target = QDir(fixture.sprites()).filePath(QStringLiteral("x.gif"));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {QStringLiteral("ok.gif")}));
    window->List1()->setCurrentRow(0);
    if (problem == u"plain")
        QVERIFY(window->Picture1()->showFolder(fixture.plain()));
    browser::FileList* files = window->Picture1()->File1();
    files->setCurrentItem(files->findItems(QStringLiteral("x.gif"), Qt::MatchExactly).value(0));
    QCOMPARE(files->fileName(), QStringLiteral("x.gif"));
    if (problem == u"gone")
        QVERIFY(QFile::remove(target));
    if (problem == u"broken") {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("GIF89a broken");
    }

    testing::ModalDriver driver;
    window->Picture1()->cmdAddFrame()->click();
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages[0].startsWith(message), qPrintable(driver.messages[0]));
    if (problem != u"plain")
        QVERIFY(driver.messages[0].contains(target));
    QCOMPARE(window->animation().rows, QStringList{QStringLiteral("ok.gif")});
    QCOMPARE(window->animation().frames.size(), 1);
    QCOMPARE(listTexts(*window), window->animation().rows);
    QCOMPARE(window->selectedRow(), 0);
}

void FrameListTest::deleteSelectsNeighbour_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("last of five") << 4 << 3 << QStringList{"a.gif", "b.gif", "c.gif", "d.gif"};
    QTest::newRow("middle") << 2 << 2 << QStringList{"a.gif", "b.gif", "d.gif", "e.gif"};
    QTest::newRow("first") << 0 << 0 << QStringList{"b.gif", "c.gif", "d.gif", "e.gif"};
}

void FrameListTest::deleteSelectsNeighbour()
{
    QFETCH(int, row);
    QFETCH(int, selected);
    QFETCH(QStringList, rows);
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fiveFrames(fixture);
    QVERIFY(window);
    window->List1()->setCurrentRow(row);
    window->frameListGroup()->Command4()->click();
    QCOMPARE(window->animation().rows, rows);
    QCOMPARE(listTexts(*window), rows);
    QCOMPARE(window->animation().frames.size(), 4);
    QCOMPARE(window->selectedRow(), selected);
    // The selected row's record is the frame the row names (width 10 x letter).
    const int letter = rows[selected].at(0).unicode() - 'a' + 1;
    QCOMPARE(window->animation().frames[selected].imageWidth, 10 * letter);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QStringLiteral("0"));
}

void FrameListTest::deleteRefusals()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    QVERIFY(fixture.writeSprite(QStringLiteral("a.gif"), {8, 8}));
    auto window = fixture.window();
    testing::ModalDriver driver;
    window->frameListGroup()->Command4()->click();
    QCOMPARE(driver.messages, QStringList{QStringLiteral("没有帧.")});
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a.gif")}));
    window->List1()->setCurrentRow(0);
    window->frameListGroup()->Command4()->click();
    QCOMPARE(driver.messages.last(), QStringLiteral("无法删除"));
    QCOMPARE(window->animation().rowCount(), 1);
    QCOMPARE(window->animation().frames.size(), 1);
}

void FrameListTest::movesSwapRowsAndRecords()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fiveFrames(fixture);
    QVERIFY(window);
    window->animation().frames[1].frameDelay = 7;
    window->List1()->setCurrentRow(1);
    window->frameListGroup()->Command7()->click();
    QCOMPARE(listTexts(*window).mid(0, 2), (QStringList{"b.gif", "a.gif"}));
    QCOMPARE(window->animation().rows.mid(0, 2), (QStringList{"b.gif", "a.gif"}));
    QCOMPARE(window->animation().frames[0].frameDelay, 7);
    QCOMPARE(window->animation().frames[0].imageWidth, 20);
    QCOMPARE(window->selectedRow(), 0);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QStringLiteral("7"));

    window->frameListGroup()->Command7()->click();
    QCOMPARE(window->animation().rows[0], QStringLiteral("b.gif"));
    QCOMPARE(window->selectedRow(), 0);

    window->List1()->setCurrentRow(3);
    window->frameListGroup()->Command10()->click();
    QCOMPARE(window->animation().rows.mid(3), (QStringList{"e.gif", "d.gif"}));
    QCOMPARE(window->animation().frames[4].imageWidth, 40);
    QCOMPARE(window->selectedRow(), 4);
    window->frameListGroup()->Command10()->click();
    QCOMPARE(window->animation().rows[4], QStringLiteral("d.gif"));
    QCOMPARE(listTexts(*window), window->animation().rows);
}

void FrameListTest::clearEmptiesEverything()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fiveFrames(fixture);
    QVERIFY(window);
    window->List1()->setCurrentRow(2);
    window->frameListGroup()->Command6()->click();
    QCOMPARE(window->List1()->count(), 0);
    QVERIFY(window->animation().frames.isEmpty());
    QCOMPARE(window->selectedRow(), -1);
    testing::ModalDriver driver;
    window->frameListGroup()->Command6()->click();
    QCOMPARE(driver.messages, QStringList{QStringLiteral("没有帧.")});
}

void FrameListTest::addAllCancelledLeavesListAsItWas()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fiveFrames(fixture);
    QVERIFY(window);
    const QStringList before = window->animation().rows;
    testing::ModalDriver driver;
    driver.onDialog([](QDialog* dialog) { dialog->reject(); });
    window->Picture1()->Command5()->click();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(window->animation().rows, before);
    QCOMPARE(listTexts(*window), before);
    QCOMPARE(window->animation().frames.size(), 5);
}

void FrameListTest::addAllConfirmedRebuildsEveryRecord()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fiveFrames(fixture);
    QVERIFY(window);
    window->animation().frames[0].bodyBox = {1, 2, 3, 4};
    testing::ModalDriver driver;
    driver.onDialog(testing::acceptScheme());
    window->Picture1()->Command5()->click();
    QCOMPARE(driver.pendingHandlers(), 0);
    QCOMPARE(driver.messages, QStringList());
    const model::Animation& animation = window->animation();
    QCOMPARE(animation.rowCount(), 10);
    QCOMPARE(animation.rows.mid(5), animation.rows.mid(0, 5));
    QCOMPARE(animation.frames.size(), 10);
    for (const model::FrameRecord& record : animation.frames) {
        QCOMPARE(record.frameDelay, 10);
        QCOMPARE(record.offsetX, record.imageWidth / 2);
        QCOMPARE(record.offsetY, 8);
        QVERIFY(record.bodyBox.isAllZero());
    }
    QCOMPARE(window->selectedRow(), 0);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QStringLiteral("10"));
}

void FrameListTest::addAllOutsideDataFolderRemovesItsRows()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid());
    auto window = fiveFrames(fixture);
    QVERIFY(window);
    QVERIFY(fixture.writeSprite(QStringLiteral("z.gif"), {8, 8}, 0xffff00ff, 0xff00ff00, fixture.plain()));
    QVERIFY(window->Picture1()->showFolder(fixture.plain()));
    testing::ModalDriver driver;
    driver.onDialog(testing::acceptScheme());
    window->Picture1()->Command5()->click();
    QCOMPARE(driver.messages, QStringList{QStringLiteral("不能定位data文件夹.")});
    QCOMPARE(window->animation().rowCount(), 5);
    QCOMPARE(listTexts(*window), window->animation().rows);
    QCOMPARE(window->animation().frames.size(), 5);
    QCOMPARE(window->animation().frames[4].imageWidth, 50);
}
