// The "文件" menu of the real window on real files, and recovery after a kill.

#include "EditorTests.h"

#include "../FileBytes.h"
#include "EditingFixture.h"
#include "editor/character/CharacterPanel.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/panels/DisplayGroup.h"
#include "model/character/OpenedBlock.h"
#include "model/files/RecordsJson.h"
#include "model/files/RecoveryFile.h"
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

using editing::EditingFixture;
using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QByteArray kHeader = "name\ttest\r\nhealth\t100\r\n\r\n";
const QByteArray kIdleLine = "anim\tidle\r\n";
const QByteArray kIdle = "\tloop\t1\r\n\tdelay\t5\r\n\toffset\t10 20\r\n\tframe\tdata/chars/test/idle01\r\n"
                         "\tframe\tdata/chars/test/idle02\r\n";
const QByteArray kIdleTrailing = "\t# end of idle\r\n\r\n";
const QByteArray kWalk = "anim\twalk\r\n\tframe\tdata/chars/test/walk01\r\n";

// A character file hero.txt beside the sprites idle01, idle02 and walk01.
QString writeHero(testing::Fixture& files, const QByteArray& lineEnd, const QByteArray& idle = kIdle)
{
    for (const char* name : {"idle01.gif", "idle02.gif", "walk01.gif"}) {
        if (!files.writeSprite(QLatin1String(name), {40, 50}))
            return QString();
    }
    const QString path = QDir(files.sprites()).filePath(QStringLiteral("hero.txt"));
    QByteArray bytes = kHeader + kIdleLine + idle + kIdleTrailing + kWalk;
    return writeFile(path, bytes.replace("\r\n", lineEnd)) ? path : QString();
}

// A second sprite folder, data/chars/other, holding the sprite `name`.
QString otherFolder(testing::Fixture& files, const QString& name)
{
    const QString other = QDir(files.game()).filePath(QStringLiteral("data/chars/other"));
    return QDir().mkpath(other) && files.writeSprite(name, {20, 30}, 0xffff00ff, 0xff00ff00, other) ? other : QString();
}

// Makes one edit: the delay of the first frame.
void editDelay(animbox::FrmMain& window)
{
    window.List1()->setCurrentRow(0);
    window.Frame3()->txtDelay()->setText(QStringLiteral("7"));
}

QByteArray delayEdited(const QByteArray& bytes)
{
    return QByteArray(bytes).replace("\tdelay\t5", "\tdelay\t7");
}

// Types the full path into a file dialog's name box and accepts it.
void chooseFile(QDialog* dialog, const QString& path)
{
    QVERIFY(qobject_cast<QFileDialog*>(dialog));
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    dialog->accept();
}

// Answers the next question with `button`, keeping its text in `question`.
void answer(testing::ModalDriver& modal, QMessageBox::StandardButton button, QString* question = nullptr)
{
    modal.onDialog([button, question](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        if (question)
            *question = box->text();
        box->button(button)->click();
    });
}

} // namespace

// Dropped images become frames in one step, the rest refused by name. A file
// opened through the dialog saves only the changed line, in its own spelling,
// each frame with its own folder, whatever the browser shows; closing asks.
void EditorTest::openEditSave()
{
    EditingFixture f;
    const QString path = writeHero(f.files, "\r\n");
    const QString other = otherFolder(f.files, QStringLiteral("kid01.gif"));
    const QString readme = QDir(f.files.plain()).filePath(QStringLiteral("readme.md"));
    const QString stray = QDir(f.files.plain()).filePath(QStringLiteral("stray.gif"));
    animbox::FrmMain* window = f.show(f.files.plain());
    QVERIFY(window && !path.isEmpty() && !other.isEmpty() && writeFile(readme, "x")
            && f.files.writeSprite(QStringLiteral("stray.gif"), {8, 8}, 0xffff00ff, 0xff00ff00, f.files.plain()));
    const QDir sprites(f.files.sprites());
    window->openFiles({sprites.filePath(QStringLiteral("idle01.gif")), readme, stray,
                       sprites.filePath(QStringLiteral("walk01.gif"))});
    QCOMPARE(window->browserFolder(), f.files.sprites());
    QCOMPARE(window->animation().rows, (QStringList{"idle01.gif", "walk01.gif"}));
    QCOMPARE(f.modal.messages.size(), 1);
    QVERIFY(f.modal.messages[0].contains(readme) && f.modal.messages[0].contains(stray));
    window->document().undoStack()->undo();
    QVERIFY(!window->animation().hasFrames() && window->Picture1()->showFolder(f.files.plain()));
    f.modal.messages.clear();

    const QByteArray original = fileBytes(path);
    f.modal.onDialog([&](QDialog* dialog) { chooseFile(dialog, path); });
    window->menuAction(QStringLiteral("mopen"))->trigger();
    QCOMPARE(window->characterPanel()->list()->topLevelItemCount(), 2);
    QCOMPARE(window->animation().rows, (QStringList{"idle01.gif", "idle02.gif"}));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("hero.txt [UTF-8] - idle - ")));
    QCOMPARE(window->browserFolder(), f.files.sprites());
    QCOMPARE(window->menuAction(QStringLiteral("mrecent0"))->data().toString(), path);

    // Nothing changed: nothing is written, not even the .bak copy.
    window->menuAction(QStringLiteral("msave"))->trigger();
    QVERIFY(!QFile::exists(path + ".bak"));

    window->Picture1()->showFolder(other);
    editDelay(*window);
    QVERIFY(window->isWindowModified());
    window->menuAction(QStringLiteral("msave"))->trigger();
    QVERIFY(!window->isWindowModified());
    QCOMPARE(fileBytes(path), delayEdited(original));
    QCOMPARE(fileBytes(path + ".bak"), original);
    QVERIFY(testing::addFrames(*window, {"kid01.gif"}));
    QVERIFY(window->saveAnimation());
    const QByteArray added = "idle02\r\n\tdelay\t5\r\n\toffset\t10 28\r\n\tframe\tdata/chars/other/kid01.gif\r\n";
    QCOMPARE(fileBytes(path), delayEdited(original).replace("idle02\r\n", added));
    QCOMPARE(f.modal.messages, QStringList());

    // Closing asks only about unsaved work: "取消" keeps the window open, "保存" saves.
    QVERIFY(window->close());
    window->show();
    window->Frame3()->txtDelay()->setText(QStringLiteral("9"));
    answer(f.modal, QMessageBox::Cancel);
    QVERIFY(!window->close() && window->isVisible());
    answer(f.modal, QMessageBox::Save);
    const QByteArray saved = fileBytes(path);
    QVERIFY(window->close());
    QCOMPARE(fileBytes(path), QByteArray(saved).replace("\tdelay\t7", "\tdelay\t9"));
    QCOMPARE(fileBytes(path + ".bak"), saved);
}

void EditorTest::saveAsAddsOrReplacesBlock()
{
    EditingFixture f;
    const QString path = writeHero(f.files, "\n");
    const QString other = QDir(f.files.sprites()).filePath(QStringLiteral("other.txt"));
    animbox::FrmMain* window = f.show();
    QVERIFY(window && !path.isEmpty() && QFile::copy(path, other));
    QVERIFY(testing::addFrames(*window, {"walk01.gif", "idle01.gif"}));
    const QString text = model::writeScript(window->animation(), f.files.sprites()).text;
    const auto saveAs = [&](const QString& file, const QString& name, bool replace) {
        f.modal.onDialog([&](QDialog* dialog) { chooseFile(dialog, file); });
        f.modal.onDialog([name](QDialog* dialog) {
            qobject_cast<QInputDialog*>(dialog)->setTextValue(name);
            dialog->accept();
        });
        if (replace)
            answer(f.modal, QMessageBox::Yes);
        window->menuAction(QStringLiteral("msaveas"))->trigger();
    };
    const QByteArray before = fileBytes(path);
    saveAs(path, QStringLiteral("jump"), false);
    QCOMPARE(fileBytes(path), before + "anim\tjump\n" + text.toUtf8().replace("\r\n", "\n"));
    // The animation now belongs to the file, with the others in the panel.
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("hero.txt [UTF-8] - jump - ")));
    QCOMPARE(window->characterPanel()->list()->topLevelItemCount(), 3);

    // Into another file, over an animation of another name after asking;
    // the frames take that block's own spelling.
    saveAs(other, QStringLiteral("Walk"), true);
    QCOMPARE(f.modal.pendingHandlers(), 0);
    QByteArray respelt = text.toUtf8().replace("\r\n", "\n").replace("\\", "/");
    for (const char* keyword : {"Delay", "OffSet", "Frame"})
        respelt.replace("\t" + QByteArray(keyword) + "\t", "\t" + QByteArray(keyword).toLower() + "\t");
    QCOMPARE(fileBytes(other), QByteArray(before).replace("\tframe\tdata/chars/test/walk01\n", respelt));
    QCOMPARE(window->animationName(), QStringLiteral("jump"));
}

// The save writes the very block the author opened and chose: the third in
// the panel, which differs from the second only in letter case; only its
// changed line, and the rest of the file keeps its bytes, encoding included
// ("跳" and "跑" in GBK).
void EditorTest::saveWritesTheOpenedBlock()
{
    const QByteArray idle = "\tdelay\t5\r\n\tframe\tdata/chars/test/idle01\r\n";
    const QByteArray file = "anim\t\xCC\xF8\r\n" + idle + "anim\tidle\r\n" + idle + "anim\tIdle # \xC5\xDC\r\n" + idle;
    EditingFixture f;
    QVERIFY(f.files.writeSprite(QStringLiteral("idle01.gif"), {40, 50}));
    const QString path = QDir(f.files.sprites()).filePath(QStringLiteral("hero.txt"));
    animbox::FrmMain* window = f.show();
    QVERIFY(window && writeFile(path, file));
    window->openFiles({path}); // as when dropped
    testing::chooseAnimation(*window, QStringLiteral("Idle"));
    const QString title = window->windowTitle();
    QVERIFY2(title.startsWith(QStringLiteral("hero.txt [GBK] - Idle")), qPrintable(title));
    editDelay(*window);
    QVERIFY(window->saveAnimation());
    const qsizetype last = file.lastIndexOf("anim");
    QCOMPARE(fileBytes(path), file.left(last) + delayEdited(file.mid(last)));
    QCOMPARE(f.modal.messages, QStringList());
}

void EditorTest::saveRefusedOrAsks_data()
{
    QTest::addColumn<QByteArray>("idle");
    QTest::addColumn<QString>("change"); // made after the edit: "bak folder", "changed" or "deleted"
    QTest::addColumn<QString>("message"); // part of the message, or of the question answered "否" then "是"

    QTest::newRow("a frame that could not be read")
        << QByteArray(kIdle).replace("idle02", "missing") << "" << QStringLiteral("没有完整读出");
    QTest::newRow("the .bak copy cannot be written") << kIdle << "bak folder" << QStringLiteral("无法写入文件");
    QTest::newRow("changed by another program") << kIdle << "changed" << QStringLiteral("被其他程序修改过");
    QTest::newRow("deleted") << kIdle << "deleted" << QStringLiteral("已不存在");
}

// A save refused says why and leaves the file and the unsaved work as they
// were. A file changed or deleted since it was opened is written only after
// a question; a change outside the block survives, a deleted file comes back whole.
void EditorTest::saveRefusedOrAsks()
{
    QFETCH(QByteArray, idle);
    QFETCH(QString, change);
    QFETCH(QString, message);
    EditingFixture f;
    const QString path = writeHero(f.files, "\r\n", idle);
    QVERIFY(!path.isEmpty() && !otherFolder(f.files, QStringLiteral("idle02.gif")).isEmpty());
    const QByteArray original = fileBytes(path);
    animbox::FrmMain* window = f.show();
    QVERIFY(window && window->openCharacterFile(path, QStringLiteral("IDLE")));
    f.modal.messages.clear();
    editDelay(*window);
    const bool deleted = change == u"deleted";
    const QByteArray before = change == u"changed" ? "# edited elsewhere\r\n" : QByteArray();
    QVERIFY(change != u"bak folder" || QDir().mkpath(path + ".bak"));
    QVERIFY(deleted ? QFile::remove(path) : before.isEmpty() || writeFile(path, before + original));
    const bool asks = deleted || !before.isEmpty();
    QString asked;
    if (asks)
        answer(f.modal, QMessageBox::No, &asked);
    QVERIFY(!window->saveAnimation());
    const QString said = asks ? asked : f.modal.messages.join(u'\n');
    QVERIFY2(said.contains(message) && (asks || f.modal.messages.size() == 1), qPrintable(said));
    QCOMPARE(fileBytes(path), deleted ? QByteArray("<missing>") : before + original);
    QVERIFY(window->isWindowModified());
    if (!asks)
        return;
    answer(f.modal, QMessageBox::Yes);
    QVERIFY(window->saveAnimation());
    QCOMPARE(fileBytes(path), before + delayEdited(original));
    QVERIFY(deleted || fileBytes(path + ".bak") == before + original);
}

// The real program, started with two sprites as "open with" passes them,
// keeps them in its recovery file; killed, it leaves the file behind, and
// the next start offers and restores the frames. A damaged recovery file of
// an earlier version is set aside with a message.
void EditorTest::recoveryAfterKill()
{
    EditingFixture f;
    QVERIFY(f.files.writeSprite(QStringLiteral("a01.gif"), {30, 40})
            && f.files.writeSprite(QStringLiteral("a02.gif"), {32, 40}));
    const QString dataHome = QDir(f.files.root()).filePath(QStringLiteral("share"));
    const QString dataFolder = dataHome + QStringLiteral("/Kestrum/animbox");
    // The recovery files, listed afresh on every call.
    const auto recoveryFiles = [&] {
        return QDir(dataFolder + QStringLiteral("/recovery"), QStringLiteral("*.json")).entryList();
    };
    QProcess program;
    program.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("XDG_DATA_HOME=") + dataHome);
    // The language option is read and taken out; the files after it still open.
    const QDir sprites(f.files.sprites());
    program.start(QStringLiteral(KES_ANIMBOX_PROGRAM), {QStringLiteral("--lang"), QStringLiteral("xx"),
                  sprites.filePath(QStringLiteral("a01.gif")), sprites.filePath(QStringLiteral("a02.gif"))});
    QVERIFY(program.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(recoveryFiles().size(), 1, 20000);
    program.kill();
    QVERIFY(program.waitForFinished());
    QVERIFY(program.readAllStandardError().contains("--lang takes zh or en"));

    const QString damaged = dataFolder + QStringLiteral("/recovery.json");
    animbox::FrmMain* window = f.show(f.files.plain());
    QVERIFY(window && writeFile(damaged, "{\"format\":\"kestrum-recovery\",\"vers"));
    window->keepRecovery(dataFolder);
    QString question;
    answer(f.modal, QMessageBox::Yes, &question);
    window->offerRecovery();
    QCOMPARE(f.modal.messages.size(), 1);
    QVERIFY(f.modal.messages[0].contains(QStringLiteral("恢复文件已损坏")));
    QVERIFY2(question.contains(QStringLiteral("2 帧")), qPrintable(question));
    QCOMPARE(window->animation().rows, (QStringList{"a01.gif", "a02.gif"}));
    QCOMPARE(window->animation().frames[1].imageWidth, 32);
    QCOMPARE(window->browserFolder(), f.files.sprites());
    QVERIFY(window->isWindowModified());
    // Still unsaved, so still kept; discarding on close removes it.
    answer(f.modal, QMessageBox::Discard);
    QVERIFY(window->close());
    QCOMPARE(recoveryFiles(), QStringList());
}

void EditorTest::restoreGivesTheSameSave_data()
{
    QTest::addColumn<QByteArray>("before"); // put before the file after the crash
    QTest::addColumn<bool>("earlier");      // kept by an earlier version: the idle animation only
    QTest::newRow("file as it was") << QByteArray() << false;
    QTest::newRow("file changed by another program") << QByteArray("# edited elsewhere\r\n") << false;
    QTest::newRow("recovery file of an earlier version") << QByteArray() << true;
}

// Killed with unsaved work in two animations of a file, the next start saves
// what the killed window would have saved (bytes that are not text, a frame
// from another folder, the browser elsewhere), asking when another program
// changed the file; an earlier version's recovery file restores alike.
void EditorTest::restoreGivesTheSameSave()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, earlier);
    EditingFixture f;
    const QByteArray idle = kIdle + "\t# caf\xe9\r\n\tframe\tdata/chars/other/kid01\r\n";
    const QString path = writeHero(f.files, "\r\n", idle);
    QVERIFY(!path.isEmpty() && !otherFolder(f.files, QStringLiteral("kid01.gif")).isEmpty());
    const QByteArray original = fileBytes(path);
    const QString data = QDir(f.files.root()).filePath(QStringLiteral("share"));
    if (earlier) {
        // The idle animation edited in a window, kept as an earlier version kept it.
        QVERIFY(f.show() && f.window()->openCharacterFile(path, QStringLiteral("idle")));
        editDelay(*f.window());
        const model::CharacterScript script(original);
        const QJsonObject block = model::OpenedBlock(script, *script.find(QStringLiteral("idle"))).toJson();
        const QByteArray digest = QCryptographicHash::hash(original, QCryptographicHash::Sha256).toHex();
        const QJsonObject link{{"path", path}, {"digest", QString(digest)}, {"complete", true}, {"block", block}};
        const model::RecoveryData kept{
            .file = path,
            .rows = f.window()->animation().rows,
            .state = {{"animation", model::animationToJson(f.window()->animation())}, {"link", link}}};
        QVERIFY(QDir().mkpath(data) && model::RecoveryFile(data + QStringLiteral("/recovery.json")).write(kept));
    } else {
        QProcess holder;
        holder.start(QStringLiteral(KES_EDITED_WINDOW_HOLDER), {data, path, "idle", "walk"});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(data + "/recovery", QStringLiteral("*.json")).entryList().isEmpty(), 20000);
        holder.kill();
        QVERIFY(holder.waitForFinished());
    }

    animbox::FrmMain* window = f.show(f.files.plain());
    QVERIFY(window && writeFile(path, before + original));
    window->keepRecovery(data);
    answer(f.modal, QMessageBox::Yes);
    window->offerRecovery();
    QCOMPARE(f.modal.messages, QStringList());
    testing::chooseAnimation(*window, QStringLiteral("idle"));
    QCOMPARE(window->animation().rows, (QStringList{"idle01.gif", "idle02.gif", "kid01.gif"}));
    QVERIFY(!window->animation().frames[2].picture.isNull());
    if (!before.isEmpty())
        answer(f.modal, QMessageBox::Yes); // changed: overwrite
    QVERIFY(window->saveAnimation());
    QCOMPARE(f.modal.pendingHandlers(), 0);
    const QByteArray walk = earlier ? kWalk : QByteArray(kWalk).replace("\tframe", "\tdelay\t7\r\n\tframe");
    const QByteArray idleSaved = delayEdited(kIdleLine + idle + kIdleTrailing);
    QCOMPARE(fileBytes(path), before + kHeader + idleSaved + walk);
}
