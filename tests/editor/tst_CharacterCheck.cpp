// "检查角色" through the real window: what it finds in a crafted character
// and in a clean one, opening a finding with a double-click, and ending a
// check that is still running.

#include "../FileBytes.h"
#include "TestHelpers.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/window/CharacterCheckDock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QTreeWidget>

using testfiles::writeFile;

class CharacterCheckTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void findsEachProblem_data();
    void findsEachProblem();
    void doubleClickOpensFrame();
    void stopsWhenCancelledOrClosed_data();
    void stopsWhenCancelledOrClosed();

private:
    QString characterPath(const QString& name) const { return QDir(m_fixture.sprites()).filePath(name); }
    // Opens `file` at its animation idle in `window` and checks it with F7.
    animbox::CharacterCheckDock* check(animbox::FrmMain& window, const QString& file);

    testing::Fixture m_fixture;
};

namespace {

// Every kind of problem, at the lines the test expects (LF line ends).
const QByteArray kCrafted = "name\ttest\n"
                            "health\t100\n"
                            "\n"
                            "anim\tidle\n"                          // 4
                            "\tloop\t1\n"                           // 5  kept keyword
                            "\tdelay\t5\n"
                            "\toffset\t20 45\n"
                            "\tbbox\t5 5 30 40\n"
                            "\tframe\tdata/chars/test/a\n"          // 9  frame 1
                            "\tbbox\t50 0 10 10\n"                  // 10 outside the 40×50 sprite
                            "\tframe\tdata/chars/test/b\n"          // 11 frame 2
                            "\tframe\tdata/chars/test/gone\n"       // 12 frame 3, no such file
                            "\tbbox\t5 5 30 40\n"
                            "\tattack\t10 10 -5 10 20 0 0 0 0\n"    // 14 negative width
                            "\tframe\tdata/chars/test/bad\n"        // 15 frame 4, not an image
                            "\tattack\t0\n"
                            "\toffset\t60 10\n"                     // 17 anchor outside
                            "\tframe\tdata/chars/test/a\n"          // 18 frame 5
                            "\tdelay\t70000\n"                      // 19 out of range
                            "\tbbox\n"                              // 20 no values
                            "\toffset\t20 45\n"
                            "\tframe\tdata/chars/test/a\n"          // 22 frame 6
                            "anim\twalk\n"
                            "\tloop\t1\n"                           // 24 kept keyword again
                            "\tframe\tdata/chars/test/walk01\n"     // found as Walk01.gif
                            "\toffset\t-3 10\n"                    // 26 anchor outside
                            "\tframe\tdata/chars/test/a\n"
                            "anim\tIDLE\n"                          // 28 the name again
                            "\tframe\tdata/chars/test/a\n";

const QByteArray kClean = "name\tclean\r\n"
                          "anim\tidle\r\n\toffset\t20 50\r\n\tbbox\t-5 -5 10 10\r\n\tframe\tdata/chars/test/a\r\n"
                          "\tattack\t30 40 20 20 5 0 0 0 0\r\n\toffset\t0 0\r\n\tframe\tdata/chars/test/b\r\n"
                          "anim\twalk\r\n\tbbox\t0\r\n\tframe\tdata/chars/test/walk01\r\n";

QTreeWidgetItem* findingAt(QTreeWidget* list, const QString& animation, const QString& frame, const QString& line)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(0) == animation && item->text(1) == frame && item->text(2) == line)
            return item;
    }
    return nullptr;
}

} // namespace

void CharacterCheckTest::initTestCase()
{
    QVERIFY(m_fixture.isValid());
    for (const char* name : {"a.gif", "b.gif", "Walk01.gif"})
        QVERIFY(m_fixture.writeSprite(QLatin1String(name), {40, 50}));
    QVERIFY(writeFile(characterPath(QStringLiteral("bad.gif")), "GIF89a but not an image"));
    QVERIFY(writeFile(characterPath(QStringLiteral("crafted.txt")), kCrafted));
    QVERIFY(writeFile(characterPath(QStringLiteral("clean.txt")), kClean));
}

animbox::CharacterCheckDock* CharacterCheckTest::check(animbox::FrmMain& window, const QString& file)
{
    // Opening idle of the crafted character reports its missing frame image.
    testing::ModalDriver driver;
    QAction* action = window.menuAction(QStringLiteral("mcheck"));
    if (!action || action->isEnabled() || !window.openCharacterFile(file, QStringLiteral("idle")) || !action->isEnabled())
        return nullptr;
    window.show();
    testing::press(&window, Qt::Key_F7);
    auto* dock = window.findChild<animbox::CharacterCheckDock*>();
    if (!dock || (dock->isRunning() && !QSignalSpy(dock, &animbox::CharacterCheckDock::checkEnded).wait(20000)))
        return nullptr;
    return dock;
}

void CharacterCheckTest::findsEachProblem_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("findings"); // "animation|frame (from 1)|line|part of the text"
    QTest::addColumn<QString>("status");

    const QStringList crafted{"idle|2|10|受击框完全在图片 (40×50) 之外: 50 0 10 10",
                              "idle|3|12|文件不存在!",
                              "idle|4|14|攻击框的宽或高为负: 10 10 -5 10",
                              "idle|4|15|无法读取图片",
                              "idle|5|17|锚点 (60, 10) 在图片 (40×50) 之外",
                              "idle|6|19|溢出",
                              "idle|6|20|关键字 bbox 后面没有数值",
                              "IDLE||28|动画 IDLE 重复: 第 4 行已有同名的动画",
                              "idle|1|5|保留而不解释的关键字 loop (共 2 行)",
                              "walk|2|26|锚点 (-3, 10) 在图片 (40×50) 之外"};
    QTest::newRow("crafted") << "crafted.txt" << crafted << "crafted.txt: 3 个动画, 9 个问题";
    QTest::newRow("clean") << "clean.txt" << QStringList() << "clean.txt: 2 个动画, 没有发现问题";
}

// Every finding at its animation, frame and line, nothing else; the list
// copied with a header line by the button and by Ctrl+C alike.
void CharacterCheckTest::findsEachProblem()
{
    QFETCH(QString, file);
    QFETCH(QStringList, findings);
    QFETCH(QString, status);
    const auto window = m_fixture.window();
    animbox::CharacterCheckDock* dock = check(*window, characterPath(file));
    QVERIFY(dock);
    QCOMPARE(dock->status()->text(), status);
    QCOMPARE(dock->list()->topLevelItemCount(), findings.size());
    for (const QString& finding : findings) {
        const QStringList part = finding.split(u'|');
        const QTreeWidgetItem* item = findingAt(dock->list(), part[0], part[1], part[2]);
        QVERIFY2(item && item->text(3).contains(part[3]), qPrintable(finding + u'\n' + dock->text()));
    }
    if (findings.isEmpty())
        return;
    QApplication::clipboard()->clear();
    QTest::mouseClick(dock->copyButton(), Qt::LeftButton);
    const QString byButton = QApplication::clipboard()->text();
    const QStringList copied = byButton.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(copied.size(), findings.size() + 1);
    QCOMPARE(copied.first(), QStringLiteral("动画\t帧\t行\t说明"));
    QVERIFY2(copied.at(1).startsWith(QStringLiteral("idle\t2\t10\t受击框")), qPrintable(copied.at(1)));
    QApplication::clipboard()->clear();
    dock->list()->setFocus();
    QTest::keySequence(dock->list(), QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), byButton);
}

// A double-click shows the finding's animation at its frame; a change made
// first stays unsaved in its animation, without a question. Of two
// animations of one name (letter case ignored), the one at the line opens.
void CharacterCheckTest::doubleClickOpensFrame()
{
    const auto window = m_fixture.window();
    animbox::CharacterCheckDock* dock = check(*window, characterPath(QStringLiteral("crafted.txt")));
    QVERIFY(dock);
    window->List1()->setCurrentRow(0);
    window->Frame3()->txtDelay()->setText(QStringLiteral("77"));
    testing::ModalDriver driver;
    QTreeWidget* list = dock->list();
    // "animation|frame|line|the first frame's delay afterwards"
    for (const QString& finding : {"idle|2|10|77", "walk|2|26|0", "IDLE||28|0", "idle|2|10|77"}) {
        const QStringList part = finding.split(u'|');
        QTreeWidgetItem* item = findingAt(list, part[0], part[1], part[2]);
        QVERIFY(item);
        list->scrollToItem(item);
        const QPoint point = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(window->animationName(), part[0]);
        QCOMPARE(window->List1()->currentRow(), qMax(0, part[1].toInt() - 1));
        window->List1()->setCurrentRow(0);
        QCOMPARE(window->Frame3()->txtDelay()->text(), part[3]);
    }
    QCOMPARE(driver.unexpectedDialogs, 0);
}

void CharacterCheckTest::stopsWhenCancelledOrClosed_data()
{
    QTest::addColumn<bool>("closeWindow");
    QTest::newRow("cancel button") << false;
    QTest::newRow("window closed") << true;
}

// A character long enough that the check still runs when its progress bar
// shows, and far longer: many animations of many frames over one image.
void CharacterCheckTest::stopsWhenCancelledOrClosed()
{
    QFETCH(bool, closeWindow);
    const QString path = characterPath(QStringLiteral("long.txt"));
    if (!QFileInfo::exists(path)) {
        QByteArray block;
        for (int i = 0; i < 50; ++i)
            block += "\tdelay\t5\n\toffset\t20 45\n\tbbox\t5 5 30 40\n\tframe\tdata/chars/test/a\n";
        QByteArray text;
        for (int a = 0; a < 1000; ++a)
            text += "anim\tanim" + QByteArray::number(a) + '\n' + block;
        QVERIFY(writeFile(path, text));
    }
    auto window = m_fixture.window();
    QVERIFY(window->openCharacterFile(path, QStringLiteral("anim0")));
    window->show();
    window->menuAction(QStringLiteral("mcheck"))->trigger();
    auto* dock = window->findChild<animbox::CharacterCheckDock*>();
    QVERIFY(dock);
    QTRY_VERIFY_WITH_TIMEOUT(dock->cancelButton()->isVisible(), 5000);
    QVERIFY(dock->isRunning());
    if (closeWindow) {
        QElapsedTimer closing;
        closing.start();
        window->close();
        window.reset();
        // The whole check would take far longer: closing stopped the worker.
        QVERIFY(closing.elapsed() < 5000);
        QTRY_COMPARE_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount(), 0, 2000);
        return;
    }
    QSignalSpy ended(dock, &animbox::CharacterCheckDock::checkEnded);
    QTest::mouseClick(dock->cancelButton(), Qt::LeftButton);
    QVERIFY(ended.wait(5000));
    const QRegularExpressionMatch status = QRegularExpression(QStringLiteral("^long.txt: 检查已取消, 已检查 (\\d+) / 1000 个动画, 0 个问题$"))
                                               .match(dock->status()->text());
    QVERIFY2(status.hasMatch(), qPrintable(dock->status()->text()));
    QVERIFY(status.captured(1).toInt() < 1000);
    QVERIFY(!dock->cancelButton()->isVisible());
}

QTEST_MAIN(CharacterCheckTest)
#include "tst_CharacterCheck.moc"
