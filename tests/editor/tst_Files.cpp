// The "文件" menu of the real window on real files in temporary folders:
// open, edit and save; save refusals and failures; save as; the question
// on close; and recovery after the program was killed.

#include "EditorTests.h"

#include "../FileBytes.h"
#include "TestHelpers.h"
#include "editor/character/CharacterPanel.h"
#include "editor/images/ImageLoading.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/panels/DisplayGroup.h"
#include "model/character/OpenedBlock.h"
#include "model/files/RecordsJson.h"
#include "model/files/RecoveryFile.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"

#include <QAbstractButton>
#include <QAction>
#include <QCryptographicHash>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QByteArray kHeader = "name\ttest\r\nhealth\t100\r\n\r\n";
const QByteArray kIdleLine = "anim\tidle\r\n";
const QByteArray kIdle = "\tloop\t1\r\n\tdelay\t5\r\n\toffset\t10 20\r\n\tframe\tdata/chars/test/idle01\r\n"
                         "\tframe\tdata/chars/test/idle02\r\n";
const QByteArray kIdleTrailing = "\t# end of idle\r\n\r\n";
const QByteArray kWalk = "anim\twalk\r\n\tframe\tdata/chars/test/walk01\r\n";

QByteArray withLineEnd(QByteArray bytes, const QByteArray& lineEnd)
{
    return bytes.replace("\r\n", lineEnd);
}

// A character file hero.txt beside the sprites idle01, idle02 and walk01.
QString writeHero(testing::Fixture& fixture, const QByteArray& lineEnd, const QByteArray& idle = kIdle)
{
    for (const char* name : {"idle01.gif", "idle02.gif", "walk01.gif"}) {
        if (!fixture.writeSprite(QLatin1String(name), {40, 50}))
            return QString();
    }
    const QString path = QDir(fixture.sprites()).filePath(QStringLiteral("hero.txt"));
    const QByteArray bytes = kHeader + kIdleLine + idle + kIdleTrailing + kWalk;
    return writeFile(path, withLineEnd(bytes, lineEnd)) ? path : QString();
}

void trigger(animbox::FrmMain& window, const char* action)
{
    window.menuAction(QLatin1String(action))->trigger();
}

// Makes one edit: the delay of the first frame.
void editDelay(animbox::FrmMain& window)
{
    window.List1()->setCurrentRow(0);
    window.Frame3()->txtDelay()->setText(QStringLiteral("7"));
}

// Types the full path into a file dialog's name box and accepts it.
void chooseFile(QDialog* dialog, const QString& path)
{
    QVERIFY(qobject_cast<QFileDialog*>(dialog));
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    dialog->accept();
}

// Shows the animation `name` with a click in the character panel.
void choose(animbox::FrmMain& window, const QString& name)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTreeWidget* list = window.characterPanel()->list();
    const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    QCOMPARE(window.animationName(), name);
}

void answer(QDialog* dialog, QMessageBox::StandardButton button)
{
    auto* box = qobject_cast<QMessageBox*>(dialog);
    QVERIFY(box);
    box->button(button)->click();
}

} // namespace

void EditorTest::openEditSave_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF stays LF") << QByteArray("\n");
}

void EditorTest::openEditSave()
{
    QFETCH(QByteArray, lineEnd);
    testing::Fixture fixture;
    const QString path = writeHero(fixture, lineEnd);
    QVERIFY(!path.isEmpty());
    const QByteArray original = fileBytes(path);
    auto window = fixture.window(fixture.plain());
    testing::ModalDriver driver;
    driver.onDialog([&](QDialog* dialog) {
        chooseFile(dialog, path);
    });
    trigger(*window, "mopen");
    QTreeWidget* list = window->characterPanel()->list();
    QStringList listed;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        listed << list->topLevelItem(i)->text(0) + u' ' + list->topLevelItem(i)->text(1);
    QCOMPARE(listed, (QStringList{"idle 2", "walk 1"}));
    QCOMPARE(window->animation().rows, (QStringList{"idle01.gif", "idle02.gif"}));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("hero.txt [UTF-8] - idle - ")));
    QCOMPARE(window->browserFolder(), fixture.sprites());
    QCOMPARE(window->menuAction(QStringLiteral("mrecent0"))->data().toString(), path);

    // Nothing changed: nothing is written, not even the .bak copy.
    trigger(*window, "msave");
    QVERIFY(!QFile::exists(path + ".bak"));

    editDelay(*window);
    QVERIFY(window->isWindowModified());
    trigger(*window, "msave");
    QVERIFY(!window->isWindowModified());
    // Only the line of the change is written anew, in its own spelling.
    QCOMPARE(fileBytes(path), QByteArray(original).replace("\tdelay\t5", "\tdelay\t7"));
    QCOMPARE(fileBytes(path + ".bak"), original);
    QCOMPARE(driver.messages, QStringList());
}

void EditorTest::saveRefusedOrFailed_data()
{
    QTest::addColumn<QByteArray>("idle");
    QTest::addColumn<bool>("backupIsFolder");
    QTest::addColumn<QString>("message");

    QTest::newRow("a frame that could not be read")
        << QByteArray(kIdle).replace("idle02", "missing") << false << QStringLiteral("没有完整读出");
    QTest::newRow("the .bak copy cannot be written") << kIdle << true << QStringLiteral("无法写入文件");
}

void EditorTest::saveRefusedOrFailed()
{
    QFETCH(QByteArray, idle);
    QFETCH(bool, backupIsFolder);
    QFETCH(QString, message);
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\r\n", idle);
    const QString other = QDir(fixture.game()).filePath(QStringLiteral("data/chars/other"));
    QVERIFY(!path.isEmpty() && QDir().mkpath(other) && fixture.writeSprite(QStringLiteral("idle02.gif"), {40, 50}, 0xffff00ff, 0xff00ff00, other));
    QVERIFY(!backupIsFolder || QDir().mkpath(path + ".bak"));
    const QByteArray original = fileBytes(path);
    auto window = fixture.window();
    testing::ModalDriver driver;
    QVERIFY(window->openCharacterFile(path, QStringLiteral("IDLE")));
    driver.messages.clear();
    editDelay(*window);
    QVERIFY(!window->saveAnimation());
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages[0].contains(message), qPrintable(driver.messages[0]));
    QCOMPARE(fileBytes(path), original);
    QVERIFY(window->isWindowModified());
}

void EditorTest::saveAsAddsOrReplacesBlock()
{
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\n");
    const QString other = QDir(fixture.sprites()).filePath(QStringLiteral("other.txt"));
    QVERIFY(!path.isEmpty() && QFile::copy(path, other));
    auto window = fixture.window();
    QVERIFY(testing::addFrames(*window, {"walk01.gif", "idle01.gif"}));
    const QString text = model::writeScript(window->animation(), fixture.sprites()).text;
    testing::ModalDriver driver;
    const auto saveAs = [&](const QString& file, const QString& name, bool replace) {
        driver.onDialog([&](QDialog* dialog) { chooseFile(dialog, file); });
        driver.onDialog([name](QDialog* dialog) {
            qobject_cast<QInputDialog*>(dialog)->setTextValue(name);
            dialog->accept();
        });
        if (replace)
            driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Yes); });
        trigger(*window, "msaveas");
    };
    const QByteArray before = fileBytes(path);
    saveAs(path, QStringLiteral("jump"), false);
    const QByteArray added = before + "anim\tjump\n" + text.toUtf8().replace("\r\n", "\n");
    QCOMPARE(fileBytes(path), added);
    // The animation now belongs to the file, with the others in the panel.
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("hero.txt [UTF-8] - jump - ")));
    QCOMPARE(window->characterPanel()->list()->topLevelItemCount(), 3);

    // Into another file, over an animation of another name after asking;
    // the frames take that block's own spelling.
    saveAs(other, QStringLiteral("Walk"), true);
    QCOMPARE(driver.pendingHandlers(), 0);
    QByteArray respelt = text.toUtf8().replace("\r\n", "\n").replace("\\", "/");
    for (const char* keyword : {"Delay", "OffSet", "Frame"})
        respelt.replace("\t" + QByteArray(keyword) + "\t", "\t" + QByteArray(keyword).toLower() + "\t");
    QCOMPARE(fileBytes(other), QByteArray(before).replace("\tframe\tdata/chars/test/walk01\n", respelt));
    QCOMPARE(window->animationName(), QStringLiteral("jump"));
}

void EditorTest::saveWritesTheOpenedBlock_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("chosen"); // in the character panel
    QTest::addColumn<QString>("title");

    const QByteArray idle = "\tdelay\t5\r\n\tframe\tdata/chars/test/idle01\r\n";
    QTest::newRow("the second of two animations of one name")
        << "anim\tidle\r\n" + idle + "anim\tIdle\r\n" + idle << 1 << "hero.txt [UTF-8] - Idle";
    // "跑" and "跳" in GBK, which decode alike where GBK is not recognised.
    QTest::newRow("GBK names and comments")
        << "anim\t\xCC\xF8\r\n" + idle + "anim\t\xC5\xDC # \xC5\xDC\r\n" + idle << 1 << "hero.txt [GBK] - 跑";
}

// The save writes the very block the author opened and chose, and only its
// changed line; the rest of the file keeps its bytes, encoding included.
void EditorTest::saveWritesTheOpenedBlock()
{
    QFETCH(QByteArray, file);
    QFETCH(int, chosen);
    QFETCH(QString, title);
    testing::Fixture fixture;
    QVERIFY(fixture.writeSprite(QStringLiteral("idle01.gif"), {40, 50}));
    const QString path = QDir(fixture.sprites()).filePath(QStringLiteral("hero.txt"));
    QVERIFY(writeFile(path, file));
    auto window = fixture.window();
    testing::ModalDriver driver;
    QVERIFY(window->openCharacterFile(path));
    choose(*window, window->characterPanel()->list()->topLevelItem(chosen)->text(0));
    QVERIFY2(window->windowTitle().startsWith(title), qPrintable(window->windowTitle()));
    editDelay(*window);
    QVERIFY(window->saveAnimation());
    const qsizetype second = file.indexOf("anim", 1);
    QCOMPARE(fileBytes(path), file.left(second) + file.mid(second).replace("\tdelay\t5", "\tdelay\t7"));
    QCOMPARE(driver.messages, QStringList());
}

// A frame keeps the folder it was read or added from, whatever the browser
// shows when the file is saved.
void EditorTest::framesKeepTheirFolder()
{
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\r\n");
    const QString other = QDir(fixture.game()).filePath(QStringLiteral("data/chars/other"));
    QVERIFY(!path.isEmpty() && QDir().mkpath(other)
            && fixture.writeSprite(QStringLiteral("kid01.gif"), {20, 30}, 0xffff00ff, 0xff00ff00, other));
    const QByteArray original = fileBytes(path);
    auto window = fixture.window();
    QVERIFY(window->openCharacterFile(path, QStringLiteral("idle")));
    window->Picture1()->showFolder(other);
    editDelay(*window);
    QVERIFY(window->saveAnimation());
    QCOMPARE(fileBytes(path), QByteArray(original).replace("\tdelay\t5", "\tdelay\t7"));
    QVERIFY(testing::addFrames(*window, {"kid01.gif"}));
    QVERIFY(window->saveAnimation());
    QCOMPARE(fileBytes(path), QByteArray(original)
                                  .replace("\tdelay\t5", "\tdelay\t7")
                                  .replace("idle02\r\n", "idle02\r\n\tdelay\t5\r\n\toffset\t10 28\r\n"
                                                           "\tframe\tdata/chars/other/kid01.gif\r\n"));
}

// A file changed by another program is overwritten only after asking; its
// change outside the block survives the save.
void EditorTest::changedOnDiskAsks()
{
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\r\n");
    QVERIFY(!path.isEmpty());
    auto window = fixture.window();
    QVERIFY(window->openCharacterFile(path, QStringLiteral("idle")));
    editDelay(*window);
    const QByteArray changed = "# edited elsewhere\r\n" + fileBytes(path);
    QVERIFY(writeFile(path, changed));
    testing::ModalDriver driver;
    driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::No); });
    QVERIFY(!window->saveAnimation());
    QCOMPARE(fileBytes(path), changed);
    driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Yes); });
    QVERIFY(window->saveAnimation());
    QVERIFY(fileBytes(path).startsWith("# edited elsewhere\r\n" + kHeader + kIdleLine + "\tloop\t1\r\n\tdelay\t7\r\n"));
    QCOMPARE(fileBytes(path + ".bak"), changed);
}

void EditorTest::closeAsksAboutChanges()
{
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\r\n");
    QVERIFY(!path.isEmpty());
    auto window = fixture.window();
    QVERIFY(window->openCharacterFile(path, QStringLiteral("idle")));
    window->show();
    QVERIFY(window->close());
    window->show();
    editDelay(*window);
    testing::ModalDriver driver;
    driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Cancel); });
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Save); });
    const QByteArray original = fileBytes(path);
    QVERIFY(window->close());
    QVERIFY(fileBytes(path) != original);
    QCOMPARE(fileBytes(path + ".bak"), original);
}

// Dropped images become frames in one step when they lie in the browser's
// folder; the rest is refused by name.
void EditorTest::dropAddsFramesOrRefuses()
{
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\r\n");
    const QString readme = QDir(fixture.plain()).filePath(QStringLiteral("readme.md"));
    const QString stray = QDir(fixture.plain()).filePath(QStringLiteral("stray.gif"));
    QVERIFY(!path.isEmpty() && writeFile(readme, "x") && fixture.writeSprite(QStringLiteral("stray.gif"), {8, 8}, 0xffff00ff, 0xff00ff00, fixture.plain()));
    auto window = fixture.window(fixture.plain());
    testing::ModalDriver driver;
    const QDir sprites(fixture.sprites());
    window->openFiles({sprites.filePath(QStringLiteral("idle01.gif")), readme, stray,
                       sprites.filePath(QStringLiteral("walk01.gif"))});
    QCOMPARE(window->browserFolder(), fixture.sprites());
    QCOMPARE(window->animation().rows, (QStringList{"idle01.gif", "walk01.gif"}));
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY(driver.messages[0].contains(readme) && driver.messages[0].contains(stray));
    window->document().undoStack()->undo();
    QVERIFY(!window->animation().hasFrames());
    window->openFiles({path});
    QCOMPARE(driver.unexpectedDialogs, 0);
    QCOMPARE(window->animationName(), QStringLiteral("idle"));
}

void EditorTest::damagedRecoveryIsSetAside()
{
    testing::Fixture fixture;
    const QString recovery = QDir(fixture.root()).filePath(QStringLiteral("recovery.json"));
    QVERIFY(writeFile(recovery, "{\"format\":\"kestrum-recovery\",\"vers"));
    auto window = fixture.window();
    window->keepRecovery(fixture.root());
    testing::ModalDriver driver;
    window->offerRecovery();
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY(driver.messages[0].contains(QStringLiteral("恢复文件已损坏")));
    QVERIFY(!QFile::exists(recovery));
    QVERIFY(QFile::exists(recovery + ".damaged"));
    QVERIFY(!window->animation().hasFrames());
}

// The real program, started with two sprites as "open with" passes them,
// keeps them in its recovery file; killed, it leaves the file behind, and
// the next start offers and restores the frames.
void EditorTest::recoveryAfterKill()
{
    testing::Fixture fixture;
    QVERIFY(fixture.writeSprite(QStringLiteral("a01.gif"), {30, 40}) && fixture.writeSprite(QStringLiteral("a02.gif"), {32, 40}));
    const QString dataHome = QDir(fixture.root()).filePath(QStringLiteral("share"));
    const QString dataFolder = dataHome + QStringLiteral("/Kestrum/animbox");
    // The recovery files, listed afresh on every call.
    const auto recoveryFiles = [&] { return QDir(dataFolder + QStringLiteral("/recovery"), QStringLiteral("*.json")).entryList(); };
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    // The language option is read and taken out; the files after it still open.
    program.start(QStringLiteral(KES_ANIMBOX_PROGRAM),
                  {QStringLiteral("--lang"), QStringLiteral("xx"), QDir(fixture.sprites()).filePath(QStringLiteral("a01.gif")),
                   QDir(fixture.sprites()).filePath(QStringLiteral("a02.gif"))});
    QVERIFY(program.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(recoveryFiles().size(), 1, 20000);
    program.kill();
    QVERIFY(program.waitForFinished());
    QVERIFY(program.readAllStandardError().contains("--lang takes zh or en"));

    auto window = fixture.window(fixture.plain());
    window->keepRecovery(dataFolder);
    testing::ModalDriver driver;
    QString question;
    driver.onDialog([&](QDialog* dialog) {
        question = qobject_cast<QMessageBox*>(dialog)->text();
        answer(dialog, QMessageBox::Yes);
    });
    window->offerRecovery();
    QVERIFY2(question.contains(QStringLiteral("2 帧")), qPrintable(question));
    QCOMPARE(window->animation().rows, (QStringList{"a01.gif", "a02.gif"}));
    QCOMPARE(window->animation().frames[1].imageWidth, 32);
    QCOMPARE(window->browserFolder(), fixture.sprites());
    QVERIFY(window->isWindowModified());
    // Still unsaved, so still kept; discarding on close removes it.
    driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Discard); });
    QVERIFY(window->close());
    QCOMPARE(recoveryFiles(), QStringList());
}

void EditorTest::restoreGivesTheSameSave_data()
{
    QTest::addColumn<QByteArray>("before"); // put before the file after the crash
    QTest::addColumn<bool>("idleGone");     // the file no longer holds the idle animation
    QTest::addColumn<bool>("earlier");      // kept by an earlier version: the idle animation only
    QTest::newRow("file as it was") << QByteArray() << false << false;
    QTest::newRow("file changed by another program") << QByteArray("# edited elsewhere\r\n") << false << false;
    QTest::newRow("file without one of the animations") << QByteArray() << true << false;
    QTest::newRow("recovery file of an earlier version") << QByteArray() << false << true;
}

// Killed with unsaved work in two animations of a file, the next start
// restores all the window knew: the save is the one the killed window
// would have made (bytes that are not text, a frame from another folder,
// the browser elsewhere), asks when another program changed the file, and
// adds the edits of an animation the file no longer holds at its end. The
// recovery file of an earlier version, which kept one animation, restores
// the same way.
void EditorTest::restoreGivesTheSameSave()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, idleGone);
    QFETCH(bool, earlier);
    testing::Fixture fixture;
    const QString other = QDir(fixture.game()).filePath(QStringLiteral("data/chars/other"));
    const QByteArray idle = kIdle + "\t# caf\xe9\r\n\tframe\tdata/chars/other/kid01\r\n";
    const QString path = writeHero(fixture, "\r\n", idle);
    QVERIFY(!path.isEmpty() && QDir().mkpath(other)
            && fixture.writeSprite(QStringLiteral("kid01.gif"), {20, 30}, 0xffff00ff, 0xff00ff00, other));
    const QByteArray original = fileBytes(path);
    const QString data = QDir(fixture.root()).filePath(QStringLiteral("share"));
    if (earlier) {
        const model::CharacterScript script(original);
        const model::OpenedBlock block(script, *script.find(QStringLiteral("idle")));
        model::ReadResult read = model::readScript(block.readerText(), fixture.game(), &animbox::loadImage);
        // The delay typed into the first frame, carried over the frames that had it.
        for (int i = 0; i < read.animation.rowCount(); ++i) {
            read.animation.frames[i].sourceId = block.sourceIdOf(i);
            read.animation.frames[i].frameDelay = 7;
        }
        model::RecoveryData kept;
        kept.file = path;
        kept.rows = read.animation.rows;
        const QString digest = QString::fromLatin1(QCryptographicHash::hash(original, QCryptographicHash::Sha256).toHex());
        kept.state = {{"animation", model::animationToJson(read.animation)},
                      {"link", QJsonObject{{"path", path}, {"digest", digest}, {"complete", true}, {"block", block.toJson()}}}};
        QVERIFY(QDir().mkpath(data) && model::RecoveryFile(data + QStringLiteral("/recovery.json")).write(kept));
    } else {
        QProcess holder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        holder.setProcessEnvironment(environment);
        holder.start(QStringLiteral(KES_EDITED_WINDOW_HOLDER), {data, path, QStringLiteral("idle"), QStringLiteral("walk")});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(data + QStringLiteral("/recovery")).entryList({QStringLiteral("*.json")}).isEmpty(), 20000);
        holder.kill();
        QVERIFY(holder.waitForFinished());
    }

    const QByteArray now = idleGone ? kHeader + kWalk : before + original;
    QVERIFY(writeFile(path, now));
    auto window = fixture.window(fixture.plain());
    window->keepRecovery(data);
    testing::ModalDriver driver;
    driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Yes); });
    window->offerRecovery();
    QCOMPARE(driver.messages.size(), idleGone ? 1 : 0);
    choose(*window, QStringLiteral("idle"));
    QCOMPARE(window->animation().rows, (QStringList{"idle01.gif", "idle02.gif", "kid01.gif"}));
    QVERIFY(!window->animation().frames[2].picture.isNull());
    if (now != original)
        driver.onDialog([](QDialog* dialog) { answer(dialog, QMessageBox::Yes); }); // changed: overwrite
    QVERIFY(window->saveAnimation());
    QCOMPARE(driver.pendingHandlers(), 0);
    const QByteArray walk = earlier ? kWalk : QByteArray(kWalk).replace("\tframe", "\tdelay\t7\r\n\tframe");
    const QByteArray idleSaved = QByteArray(kIdleLine + idle + kIdleTrailing).replace("\tdelay\t5", "\tdelay\t7");
    QCOMPARE(fileBytes(path), idleGone ? kHeader + walk + idleSaved : before + kHeader + idleSaved + walk);
}

// A file deleted after it was opened: the question says so, and "是" writes
// the whole file as it was opened with the animation in place.
void EditorTest::saveOfDeletedFileAsks()
{
    testing::Fixture fixture;
    const QString path = writeHero(fixture, "\r\n");
    QVERIFY(!path.isEmpty());
    const QByteArray original = fileBytes(path);
    auto window = fixture.window();
    QVERIFY(window->openCharacterFile(path, QStringLiteral("idle")));
    editDelay(*window);
    QVERIFY(QFile::remove(path));
    testing::ModalDriver driver;
    QString question;
    const auto reply = [&](QMessageBox::StandardButton button) {
        driver.onDialog([&question, button](QDialog* dialog) {
            question = qobject_cast<QMessageBox*>(dialog)->text();
            answer(dialog, button);
        });
    };
    reply(QMessageBox::No);
    QVERIFY(!window->saveAnimation());
    QVERIFY(question.contains(QStringLiteral("已不存在")));
    QVERIFY(!QFile::exists(path));
    reply(QMessageBox::Yes);
    QVERIFY(window->saveAnimation());
    QCOMPARE(fileBytes(path), QByteArray(original).replace("\tdelay\t5", "\tdelay\t7"));
}
