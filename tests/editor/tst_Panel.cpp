// The character panel of the real window: each animation's edits and history,
// the file's own steps, and the window's width.

#include "EditorTests.h"

#include "../FileBytes.h"
#include "EditingFixture.h"
#include "editor/character/CharacterPanel.h"

#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using editing::EditingFixture;
using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QByteArray kHero = "name\thero\r\n"
                         "anim\tidle\r\n\tdelay\t5\r\n\tframe\tdata/chars/test/a\r\n\tframe\tdata/chars/test/b\r\n"
                         "anim\twalk\r\n\tframe\tdata/chars/test/b\r\n"
                         "anim\tkick # last\r\n\tframe\tdata/chars/test/a\r\n";
const QByteArray kWalk = "anim\twalk\r\n\tframe\tdata/chars/test/b\r\n";

// The fixture's window (shown now if not yet) with hero.txt open at its idle animation, active.
animbox::FrmMain* openHero(EditingFixture& f, QString* path)
{
    *path = QDir(f.files.sprites()).filePath(QStringLiteral("hero.txt"));
    animbox::FrmMain* window = f.window() ? f.window() : f.show();
    if (!window || !f.files.writeSprite(QStringLiteral("a.gif"), {40, 50})
        || !f.files.writeSprite(QStringLiteral("b.gif"), {40, 50}) || !writeFile(*path, kHero))
        return nullptr;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window) && window->openCharacterFile(*path) ? window : nullptr;
}

// The panel's rows as "name frames mark".
QStringList panelRows(const animbox::FrmMain& window)
{
    QStringList rows;
    const QTreeWidget* list = window.characterPanel()->list();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << QStringList{item->text(0), item->text(1), item->text(2)}.join(u' ').trimmed();
    }
    return rows;
}

// The first frame's delay, typed as the author types it.
void typeDelay(animbox::FrmMain& window, const QString& delay)
{
    window.List1()->setCurrentRow(0);
    QLineEdit* box = window.Frame3()->txtDelay();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, delay);
    window.PicEdit()->setFocus();
}

} // namespace

void EditorTest::switchingKeepsEditsAndHistory()
{
    EditingFixture f;
    QString path;
    animbox::FrmMain* window = openHero(f, &path);
    QVERIFY(window);
    typeDelay(*window, QStringLiteral("7"));
    testing::chooseAnimation(*window, QStringLiteral("walk"));
    QCOMPARE(window->List1()->count(), 1);
    QVERIFY(!window->menuAction(QStringLiteral("mundo"))->isEnabled());
    typeDelay(*window, QStringLiteral("3"));
    f.modal.onDialog([](QDialog* dialog) {
        qobject_cast<QInputDialog*>(dialog)->setTextValue(QStringLiteral("run"));
        dialog->accept();
    });
    QTest::mouseClick(window->characterPanel()->renameButton(), Qt::LeftButton);
    QCOMPARE(panelRows(*window), (QStringList{"idle 2 *", "run 1 *", "kick 1"}));

    // Back on idle: its frame, its edit, its history. The undo keys act on the file's history (the rename) while
    // the panel has the focus, and on the animation's elsewhere.
    testing::chooseAnimation(*window, QStringLiteral("idle"));
    QCOMPARE(window->List1()->currentRow(), 0);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QStringLiteral("7"));
    QCOMPARE(window->menuAction(QStringLiteral("mundo"))->text(), QStringLiteral("撤销 重命名 walk 为 run"));
    testing::press(window->PicEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->Frame3()->txtDelay()->text(), QStringLiteral("5"));
    QCOMPARE(panelRows(*window), (QStringList{"idle 2", "run 1 *", "kick 1"}));
    QTest::keyClick(window->PicEdit(), Qt::Key_Y, Qt::ControlModifier);

    // One save writes both animations and nothing else.
    window->menuAction(QStringLiteral("msave"))->trigger();
    QCOMPARE(fileBytes(path), QByteArray(kHero)
                                  .replace("\tdelay\t5", "\tdelay\t7")
                                  .replace(kWalk, "anim\trun\r\n\tdelay\t3\r\n\tframe\tdata/chars/test/b\r\n"));
    QCOMPARE(panelRows(*window), (QStringList{"idle 2", "run 1", "kick 1"}));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(f.modal.messages, QStringList());
}

void EditorTest::fileStepsAndUndo_data()
{
    QTest::addColumn<QString>("from");   // the animation shown first
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("answer"); // to the name question; none for a deletion
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("new") << "idle" << "cmdNewAnimation" << "jump" << "新建动画 jump"
                         << QStringList{"idle 2", "jump 0 *", "walk 1", "kick 1"} << "jump"
                         << QByteArray(kHero).replace(kWalk, "anim\tjump\r\n" + kWalk);
    QTest::newRow("rename keeps the comment") << "kick" << "cmdRenameAnimation" << "kick2" << "重命名 kick 为 kick2"
                                              << QStringList{"idle 2", "walk 1", "kick2 1 *"} << "kick2"
                                              << QByteArray(kHero).replace("anim\tkick #", "anim\tkick2 #");
    QTest::newRow("duplicate") << "walk" << "cmdDuplicateAnimation" << "" << "复制 walk 为 walk_2"
                               << QStringList{"idle 2", "walk 1", "walk_2 1 *", "kick 1"} << "walk_2"
                               << QByteArray(kHero).replace(kWalk, kWalk + QByteArray(kWalk).replace("walk", "walk_2"));
    QTest::newRow("delete") << "walk" << "cmdDeleteAnimation" << QString() << "删除动画 walk"
                            << QStringList{"idle 2", "kick 1"} << "kick" << QByteArray(kHero).replace(kWalk, "");
}

// Each step shows at once, is saved, and undone (also after the save) gives the file back as it was.
void EditorTest::fileStepsAndUndo()
{
    QFETCH(QString, from);
    QFETCH(QString, button);
    QFETCH(QString, answer);
    QFETCH(QString, step);
    QFETCH(QStringList, rows);
    QFETCH(QString, shown);
    QFETCH(QByteArray, saved);
    EditingFixture f;
    QString path;
    animbox::FrmMain* window = openHero(f, &path);
    QVERIFY(window);
    testing::chooseAnimation(*window, from);
    if (!answer.isNull()) {
        f.modal.onDialog([answer](QDialog* dialog) {
            if (!answer.isEmpty())
                qobject_cast<QInputDialog*>(dialog)->setTextValue(answer);
            dialog->accept();
        });
    }
    QTest::mouseClick(window->characterPanel()->findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(f.modal.pendingHandlers(), 0);
    QCOMPARE(panelRows(*window), rows);
    QCOMPARE(window->animationName(), shown);
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->menuAction(QStringLiteral("mundo"))->text(), "撤销 " + step);

    QVERIFY(window->saveAnimation());
    QCOMPARE(fileBytes(path), saved);
    testing::press(window->characterPanel()->list(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(panelRows(*window).join(u' ').remove(u'*').simplified(), QStringLiteral("idle 2 walk 1 kick 1"));
    QVERIFY(window->saveAnimation());
    QCOMPARE(fileBytes(path), kHero);
    QCOMPARE(f.modal.messages, QStringList());
}

// Shown, the panel widens the window by its own width; the editor keeps its size and every control its place.
// Hidden (F9), the window is as it was before any file was open.
void EditorTest::panelWidensTheWindow()
{
    EditingFixture f;
    animbox::FrmMain* window = f.show();
    QVERIFY(window);
    const QList<QWidget*> controls{window->PicEdit(), window->frameListGroup(), window->Frame3(), window->FmAbox(),
                                   window->Picture1()};
    const auto places = [&] {
        QList<QRect> rects;
        for (const QWidget* control : controls)
            rects << QRect(control->mapTo(window, QPoint()), control->size());
        return rects;
    };
    const QSize size = window->size();
    const QList<QRect> before = places();

    QString path;
    QVERIFY(openHero(f, &path) == window);
    const animbox::CharacterPanel* panel = window->characterPanel();
    QVERIFY(panel->isVisible());
    QCOMPARE(window->height(), size.height());
    QCOMPARE(window->width(), panel->geometry().right() + 1);
    QVERIFY(panel->x() >= size.width());
    QCOMPARE(places(), before);

    QTest::keyClick(window, Qt::Key_F9);
    QVERIFY(panel->isHidden());
    QCOMPARE(window->size(), size);
    QCOMPARE(places(), before);
    QTest::keyClick(window, Qt::Key_F9);
    QVERIFY(panel->isVisible() && window->menuAction(QStringLiteral("mpanel"))->isChecked());
    QCOMPARE(places(), before);
}
