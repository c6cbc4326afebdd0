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

void CharacterCheckTest::initTestCase()
{
    QVERIFY(m_fixture.isValid());
    for (const char* name : {"a.gif", "b.gif", "Walk01.gif"})
        QVERIFY(m_fixture.writeSprite(QLatin1String(name), {40, 50}));
    QVERIFY(writeFile(characterPath(QStringLiteral("bad.gif")), "GIF89a but not an image"));
    const QDir cases(QStringLiteral(KES_CHECK_CASES));
    QCOMPARE(cases.entryList(QDir::Dirs | QDir::NoDotAndDotDot), (QStringList{"clean", "crafted"}));
    for (const QString& name : {"clean", "crafted"})
        QVERIFY(QFile::copy(cases.filePath(name + "/character.txt"), characterPath(name + ".txt")));
    // A character long enough that the check still runs when its progress
    // bar shows, and far longer: many animations of many frames over one image.
    const QByteArray frame = "\tdelay\t5\n\toffset\t20 45\n\tbbox\t5 5 30 40\n\tframe\tdata/chars/test/a\n";
    QByteArray text;
    for (int a = 0; a < 1000; ++a)
        text += "anim\tanim" + QByteArray::number(a) + '\n' + frame.repeated(50);
    QVERIFY(writeFile(characterPath(QStringLiteral("long.txt")), text));
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

// Every finding at its animation, frame and line, nothing else; the list
// copied by the button and by Ctrl+C alike. A case folder holds
// character.txt, checked as <case>.txt, and expected.txt: the status line,
// then the list as copied, each line the start of the line shown (the texts
// end in paths of the test's folder).
void CharacterCheckTest::findsEachProblem_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("every kind of problem") << "crafted";
    QTest::newRow("no problem") << "clean";
}

void CharacterCheckTest::findsEachProblem()
{
    QFETCH(QString, name);
    QFile file(QStringLiteral(KES_CHECK_CASES "/%1/expected.txt").arg(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(file.readAll());
    const auto window = m_fixture.window();
    animbox::CharacterCheckDock* dock = check(*window, characterPath(name + ".txt"));
    QVERIFY(dock);
    const QStringList shown = (dock->status()->text() + u'\n' + dock->text()).split(u'\n');
    const QStringList wanted = expected.split(u'\n');
    QCOMPARE(shown.size(), wanted.size());
    for (qsizetype i = 0; i < shown.size(); ++i)
        QVERIFY2(shown[i].startsWith(wanted[i]), qPrintable(shown[i] + u'\n' + wanted[i]));
    if (dock->list()->topLevelItemCount() == 0)
        return;
    QApplication::clipboard()->clear();
    QTest::mouseClick(dock->copyButton(), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), dock->text());
    QApplication::clipboard()->clear();
    dock->list()->setFocus();
    QTest::keySequence(dock->list(), QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), dock->text());
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
    // "row of the list|animation|frame|the first frame's delay afterwards": the findings at lines 10, 26 and 28.
    for (const QString& finding : {"0|idle|2|77", "7|walk|2|0", "8|IDLE||0", "0|idle|2|77"}) {
        const QStringList part = finding.split(u'|');
        QTreeWidgetItem* item = list->topLevelItem(part[0].toInt());
        QVERIFY(item && item->text(0) == part[1] && item->text(1) == part[2]);
        list->scrollToItem(item);
        const QPoint point = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(window->animationName(), part[1]);
        QCOMPARE(window->List1()->currentRow(), qMax(0, part[2].toInt() - 1));
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

// A check still running ends when it is cancelled and when its window closes.
void CharacterCheckTest::stopsWhenCancelledOrClosed()
{
    QFETCH(bool, closeWindow);
    auto window = m_fixture.window();
    QVERIFY(window->openCharacterFile(characterPath(QStringLiteral("long.txt")), QStringLiteral("anim0")));
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
