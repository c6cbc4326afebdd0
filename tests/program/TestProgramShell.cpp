// The Help menu's About box, Ctrl+Q in the File menu and the window icon,
// on the real window of each program, in English.
#include "classic/window/Form1.h"
#include "editor/window/FrmMain.h"
#include "language/Translators.h"
#include "pakunpack/Form1.h"
#include "program/AboutBox.h"
#include "program/ProgramInfo.h"
#include "program/WindowIcon.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using program::Program;

Q_DECLARE_METATYPE(Program)

class TestProgramShell : public QObject {
    Q_OBJECT
private slots:
    void aboutAndQuit_data();
    void aboutAndQuit();
};

void TestProgramShell::aboutAndQuit_data()
{
    QTest::addColumn<Program>("program");
    QTest::addColumn<QString>("quitName"); // the File menu's item that quits
    QTest::newRow("animbox") << Program::Animbox << "mexit";
    QTest::newRow("animbox-classic") << Program::Classic << "mExit";
    QTest::newRow("pakunpack") << Program::Pakunpack << "mnuExit";
}

// Help › About names the program with its version, the package with its
// version, the licence and Qt's version; the File menu shows Ctrl+Q, which
// closes the window. The program carries its icon for when no theme has it.
void TestProgramShell::aboutAndQuit()
{
    QFETCH(Program, program);
    QFETCH(QString, quitName);
    QVERIFY(language::installLanguage(language::Language::English,
                                      {language::kSharedCatalog, QStringLiteral("animbox"),
                                       QStringLiteral("classic"), QStringLiteral("pakunpack")}));
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.conf")), QSettings::IniFormat);
    std::unique_ptr<QWidget> window;
    if (program == Program::Animbox)
        window = std::make_unique<animbox::FrmMain>(folder.filePath(QStringLiteral("settings.ini")));
    else if (program == Program::Classic)
        window = std::make_unique<classic::Form1>(&settings);
    else
        window = std::make_unique<pakunpack::Form1>(QString(), folder.filePath(QStringLiteral("kespak")), &settings);
    window->show();

    const QMenuBar* bar = window->findChild<QMenuBar*>();
    QVERIFY(bar);
    QCOMPARE(bar->actions().last()->text(), QStringLiteral("Help"));
    QAction* about = window->findChild<QAction*>(QStringLiteral("mnuAbout"));
    QVERIFY(about);
    QCOMPARE(about->text(), QStringLiteral("About"));
    QString shown;
    QTimer::singleShot(0, this, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + u'\n' + box->text();
            box->accept();
        }
    });
    about->trigger();
    const program::ProgramInfo info = program::programInfo(program);
    for (const QString& expected : {QStringLiteral("About ") + info.command, info.command + u' ' + info.version,
                                    QStringLiteral("Package: kestrum-mod-tools ") + program::packageVersion(),
                                    QStringLiteral("Licence: MIT"), QStringLiteral("Qt version: ") + qVersion()})
        QVERIFY2(shown.contains(expected), qPrintable(shown));

    QAction* quit = window->findChild<QAction*>(quitName);
    QVERIFY(quit);
    QCOMPARE(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!window->isVisible());

    QVERIFY(!program::windowIcon(program).pixmap(32).isNull());
}

QTEST_MAIN(TestProgramShell)
#include "TestProgramShell.moc"
