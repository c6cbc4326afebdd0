// The windows of both editors on real files: every window keeps its own
// unsaved work while other windows run and after one of them was killed,
// and names from files and paths show in messages as they are.

#include "../FileBytes.h"
#include "TestHelpers.h"
#include "classic/script/ScriptFile.h"
#include "classic/window/Form1.h"
#include "model/files/RecoveryFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <algorithm>

namespace {

// A name that is markup and that a right-to-left override would show
// backwards.
const QString kName = QStringLiteral("<h1>SAVED_OK<\\h1><!--") + QChar(0x202E) + QStringLiteral("txt.exe");

struct Shown {
    QString text;
    Qt::TextFormat format;
};

// Runs `action`, passing any other dialog to `onDialog`, and closes every
// message box it opens with "否" or "OK". Returns what their labels showed.
QList<Shown> messagesOf(const std::function<void()>& action, const std::function<void(QDialog*)>& onDialog = {})
{
    QList<Shown> shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box && box->isVisible()) {
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            shown.append({label->text(), label->textFormat()});
            (box->button(QMessageBox::No) ? box->button(QMessageBox::No) : box->button(QMessageBox::Ok))->click();
        } else if (dialog && dialog->isVisible() && onDialog) {
            onDialog(dialog);
        }
    });
    timer.start(5);
    action();
    return shown;
}

// The questions of `window`'s offer of left-over work, each answered "否".
QStringList declinedOffers(animbox::FrmMain& window)
{
    QStringList questions;
    for (const Shown& shown : messagesOf([&] { window.offerRecovery(); }))
        questions.append(shown.text);
    return questions;
}

// The rows of the work kept in the recovery files of `dataFolder`'s windows.
QList<QStringList> keptRows(const QString& dataFolder)
{
    QList<QStringList> rows;
    const QDir folder(dataFolder + QStringLiteral("/recovery"));
    for (const QString& name : folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QString error;
        rows.append(model::RecoveryFile(folder.filePath(name)).read(&error).value_or(model::RecoveryData()).rows);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Every message is plain text with no direction override; one names the file.
void verifyShownAsItIs(const QList<Shown>& shown)
{
    QVERIFY(!shown.isEmpty());
    for (const Shown& message : shown) {
        QCOMPARE(message.format, Qt::PlainText);
        QVERIFY2(!message.text.contains(QChar(0x202E)), qPrintable(message.text));
    }
    QVERIFY(std::any_of(shown.begin(), shown.end(), [](const Shown& message) {
        return message.text.contains(QStringLiteral("<h1>SAVED_OK<"), Qt::CaseInsensitive) && message.text.contains(QStringLiteral("[U+202E]txt.exe"));
    }));
}

} // namespace

class TestFileWindows : public QObject {
    Q_OBJECT

private slots:
    // Two windows edit while a third process keeps work and an earlier version
    // left its single file: each window writes its own file, a window sees only
    // the work of windows no longer running, and each such work is offered once.
    void windowsKeepTheirOwnWork()
    {
        testing::Fixture fixture;
        QVERIFY(fixture.writeSprite(QStringLiteral("a01.gif"), {30, 40}) && fixture.writeSprite(QStringLiteral("a02.gif"), {30, 40}));
        const QString data = QDir(fixture.root()).filePath(QStringLiteral("share"));
        const model::RecoveryData earlier{.text = QStringLiteral("\tdelay\t5\r\n"),
                                          .file = QStringLiteral("/earlier/version.txt")};
        QVERIFY(QDir().mkpath(data) && model::RecoveryFile(data + QStringLiteral("/recovery.json")).write(earlier));
        const QString killed = QDir(fixture.sprites()).filePath(QStringLiteral("killed.txt"));
        QVERIFY(testfiles::writeFile(killed, "anim\tidle\r\n\tframe\tdata/chars/test/a01\r\n"));
        QProcess holder;
        holder.start(QStringLiteral(KES_EDITED_WINDOW_HOLDER), {data, killed, QStringLiteral("idle")});
        QVERIFY(holder.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(keptRows(data).size(), 1, 10000);

        auto first = fixture.window();
        auto second = fixture.window();
        first->keepRecovery(data);
        second->keepRecovery(data);
        const QStringList offered = declinedOffers(*second);
        QVERIFY2(offered.size() == 1 && offered[0].contains(earlier.file), qPrintable(offered.join(u'\n')));
        QVERIFY(!QFile::exists(data + QStringLiteral("/recovery.json")));
        QVERIFY(testing::addFrames(*first, {QStringLiteral("a01.gif")}));
        QVERIFY(testing::addFrames(*second, {QStringLiteral("a01.gif"), QStringLiteral("a02.gif")}));
        QTRY_COMPARE(keptRows(data).size(), 3);
        QCOMPARE(declinedOffers(*first), QStringList());

        holder.kill();
        QVERIFY(holder.waitForFinished());
        auto third = fixture.window();
        third->keepRecovery(data);
        const QStringList afterKill = declinedOffers(*third);
        QVERIFY2(afterKill.size() == 1 && afterKill[0].contains(killed), qPrintable(afterKill.join(u'\n')));
        QCOMPARE(keptRows(data), (QList<QStringList>{{"a01.gif"}, {"a01.gif", "a02.gif"}}));
        QCOMPARE(declinedOffers(*third), QStringList());
    }

    // A frame of pasted text names a sprite that is not there; a file to open
    // is not there.
    void namesShownAsTheyAre()
    {
        testing::Fixture fixture;
        auto window = fixture.window();
        const auto fill = testing::readFrames(fixture.game(), QStringLiteral("\tframe\tdata/") + kName);
        verifyShownAsItIs(messagesOf([&] { window->menuAction(QStringLiteral("mFromText"))->trigger(); }, fill));
        QSettings settings(QDir(fixture.root()).filePath(QStringLiteral("classic.ini")), QSettings::IniFormat);
        classic::Form1 classic(&settings);
        const QString missing = QDir(fixture.game()).filePath("data/" + kName);
        verifyShownAsItIs(messagesOf([&] { classic.scriptFile().open(missing); }));
    }
};

QTEST_MAIN(TestFileWindows)
#include "TestFileWindows.moc"
