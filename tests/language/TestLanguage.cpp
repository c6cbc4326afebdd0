// The choice of language and the English interface of the three programs,
// their About box and Ctrl+Q. It runs on a Chinese system, started in English
// as the programs start, and switches the interface's language between tests.
#include "InterfaceTexts.h"
#include "ModalDriver.h"
#include "ProgramWindow.h"
#include "classic/window/Form1.h"
#include "editor/panels/ReferenceBar.h"
#include "editor/window/FrmMain.h"
#include "language/CaptionWidth.h"
#include "language/InterfaceLocale.h"
#include "language/Language.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "pakunpack/Form1.h"
#include "pakunpack/UnpackRun.h"
#include "program/ProgramInfo.h"
#include "program/WindowIcon.h"
#include "../FileBytes.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using language::Language;
using program::Program;
using programtests::openWindow;
using programtests::spriteFolder;

namespace {

// Does what opens a window, dialog or message of `window`, whose folder is
// `folder`; it may replace the window by another.
using Opener = std::function<void(std::unique_ptr<QWidget>& window, const QString& folder)>;

// Where the texts to read show up after the opener ran.
enum class Shows { Window, Modal };

const char* const kLanguageItems[][2] = {{"mnuLanguageEn", "en"}, {"mnuLanguageZh", "zh"}, {"mnuLanguageSystem", ""}};

QStringList catalogs(Program program)
{
    if (program == Program::Animbox)
        return {language::kSharedCatalog, QStringLiteral("animbox")};
    return program == Program::Classic ? classic::Form1::catalogs() : pakunpack::Form1::catalogs();
}

// The language choice a window of `program` in `folder` left in its settings file.
QString storedCode(Program program, const QString& folder)
{
    if (program == Program::Animbox)
        return animbox::IniSettings(folder + QStringLiteral("/settings.ini")).languageCode();
    return language::storedCode(QSettings(folder + QStringLiteral("/settings.conf"), QSettings::IniFormat));
}

// Triggers the action, or clicks the button, of that name.
Opener press(const char* name)
{
    return [name](std::unique_ptr<QWidget>& window, const QString&) {
        if (auto* action = window->findChild<QAction*>(QLatin1String(name)))
            return action->trigger();
        window->findChild<QAbstractButton*>(QLatin1String(name))->click();
    };
}

// A pakunpack run whose kespak, played by the stand-in, writes `records` and
// ends with `exitCode`; then the data folder is asked to open, which fails offscreen.
Opener unpackRun(const QByteArray& records, int exitCode)
{
    return [=](std::unique_ptr<QWidget>& window, const QString& folder) {
        QVERIFY(QDir(folder).mkpath(QStringLiteral("data")));
        qputenv("KES_STAND_IN_RECORDS", records);
        qputenv("KES_STAND_IN_EXIT", QByteArray::number(exitCode));
        window = std::make_unique<pakunpack::Form1>(folder + QStringLiteral("/x.pak"), KESPAK_STAND_IN);
        window->show();
        press("Command2")(window, folder);
        auto* run = window->findChild<pakunpack::UnpackRun*>();
        QVERIFY(run);
        QTRY_VERIFY_WITH_TIMEOUT(run->isFinished(), 20000);
        if (auto* openData = window->findChild<QPushButton*>(QStringLiteral("openData")); openData->isEnabled())
            openData->click();
    };
}

} // namespace

Q_DECLARE_METATYPE(Language)
Q_DECLARE_METATYPE(Program)
Q_DECLARE_METATYPE(Opener)
Q_DECLARE_METATYPE(Shows)

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    // The language from the command line, else the stored choice, else the
    // system's; the argument leaves the command line.
    void choiceOfLanguage_data()
    {
        QTest::addColumn<QString>("arguments"); // after the program's name
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Language>("expected");
        QTest::addColumn<bool>("complaint");

        QTest::newRow("Chinese system") << "a.txt" << "" << "zh_CN" << Language::Chinese << false;
        QTest::newRow("Taiwanese system") << "a.txt" << "" << "zh_TW" << Language::Chinese << false;
        QTest::newRow("German system") << "a.txt" << "" << "de_DE" << Language::English << false;
        QTest::newRow("C locale") << "a.txt" << "" << "C" << Language::English << false;
        QTest::newRow("stored beats system") << "a.txt" << "en" << "zh_CN" << Language::English << false;
        QTest::newRow("stored, any case") << "a.txt" << "ZH" << "en_US" << Language::Chinese << false;
        QTest::newRow("stored nonsense") << "a.txt" << "fr" << "zh_CN" << Language::Chinese << false;
        QTest::newRow("argument beats stored") << "--lang zh a.txt" << "en" << "en_US" << Language::Chinese << false;
        QTest::newRow("argument with =") << "a.txt --lang=en" << "zh" << "zh_CN" << Language::English << false;
        QTest::newRow("bad argument falls back") << "--lang fr a.txt" << "en" << "zh_CN" << Language::English << true;
        QTest::newRow("argument without value") << "a.txt --lang" << "" << "zh_CN" << Language::Chinese << true;
    }

    void choiceOfLanguage()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, stored);
        QFETCH(QString, locale);
        QFETCH(Language, expected);
        QFETCH(bool, complaint);
        QStringList words = QStringLiteral("animbox %1").arg(arguments).split(u' ');
        const language::LanguageArgument argument = language::takeLanguageArgument(words);
        QCOMPARE(language::chosen(argument.language, stored, language::fromLocale(QLocale(locale))), expected);
        QCOMPARE(words, QStringList({"animbox", "a.txt"}));
        QCOMPARE(!argument.error.isEmpty(), complaint);
    }

    void menuChoiceKeptForTheNextStart_data()
    {
        QTest::addColumn<Program>("program");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("code");
        for (const Program program : {Program::Animbox, Program::Classic, Program::Pakunpack}) {
            for (const auto& [item, code] : kLanguageItems)
                QTest::addRow("%s, %s", qPrintable(program::programInfo(program).command), code)
                    << program << item << code;
        }
    }

    // The language menu stores the choice at once for the next window, says in
    // the new language that it takes effect at the next start, and sits above the window.
    void menuChoiceKeptForTheNextStart()
    {
        QFETCH(Program, program);
        QFETCH(QString, item);
        QFETCH(QString, code);
        QVERIFY(language::installLanguage(Language::Chinese, catalogs(program)));
        QTemporaryDir folder;
        testing::ModalDriver modal;
        {
            std::unique_ptr<QWidget> window = openWindow(program, folder.path());
            QVERIFY(window);
            // Another choice first, so that the one tested changes what is stored.
            window->findChild<QAction*>(code == u"en" ? "mnuLanguageZh" : "mnuLanguageEn")->trigger();
            modal.messages.clear();
            window->findChild<QAction*>(item)->trigger();
            QCOMPARE(storedCode(program, folder.path()), code);
        }
        const Language next = code.isEmpty() ? language::systemLanguage() : *language::fromCode(code);
        QCOMPARE(modal.messages.size(), next == Language::English ? 1 : 0);
        for (const QString& message : modal.messages)
            QVERIFY2(message.contains(QLatin1String("next start")) && !languagetests::hasChinese(message),
                     qPrintable(message));
        std::unique_ptr<QWidget> window = openWindow(program, folder.path());
        QVERIFY(window && window->findChild<QAction*>(item)->isChecked());
        const QMenuBar* bar = window->findChild<QMenuBar*>();
        for (const QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child != bar && child->isVisible())
                QVERIFY2(!child->geometry().intersects(bar->geometry()), child->metaObject()->className());
        }
    }

    void englishWindows_data()
    {
        QTest::addColumn<Program>("program");
        QTest::addColumn<Opener>("open");
        QTest::addColumn<Shows>("shows");
        const Opener nothing = [](std::unique_ptr<QWidget>&, const QString&) {};
        const auto animbox = [](const std::function<void(animbox::FrmMain&, const QString&)>& act) {
            return Opener([act](auto& w, const QString& f) { act(*qobject_cast<animbox::FrmMain*>(w.get()), f); });
        };
        const auto classic = [](const std::function<void(classic::Form1&, const QString&)>& act) {
            return Opener([act](auto& w, const QString& f) { act(*qobject_cast<classic::Form1*>(w.get()), f); });
        };
        // animbox's window with the reference frame and the read-out: no two buttons share a caption, those
        // that clear explain themselves in a tool tip, and the toggle offers what its next press shows.
        QTest::newRow("animbox window") << Program::Animbox << animbox([](animbox::FrmMain& w, const QString&) {
            w.referenceBar()->Command3()->click();
            QCOMPARE(w.referenceBar()->Command3()->text(), QStringLiteral("Show frame"));
            w.PicEdit_MouseMove(Qt::NoButton, {}, QPointF(5, 5));
            QStringList captions;
            for (const QPushButton* button : w.findChildren<QPushButton*>()) {
                QVERIFY2(!captions.contains(button->text()), qPrintable(button->text()));
                captions.append(button->text());
            }
            for (const char* name : {"Command1", "CmdClearAt", "Command8", "Command2", "Command6"})
                QVERIFY2(!w.findChild<QPushButton*>(QLatin1String(name))->toolTip().isEmpty(), name);
        }) << Shows::Window;
        for (const char* dialog : {"moa", "minitframe", "mFromText", "mgentext"})
            QTest::addRow("animbox %s", dialog) << Program::Animbox << press(dialog) << Shows::Modal;
        // The character panel beside the window, with its captions.
        QTest::newRow("animbox character panel") << Program::Animbox << animbox([](auto& w, const QString& f) {
            const QString path = spriteFolder(f) + QStringLiteral("/hero.txt");
            QVERIFY(testfiles::writeFile(path, "anim\tidle\r\n\tframe\tdata/chars/hero/a01\r\nanim\twalk\r\n"));
            w.document().undoStack()->setClean(); // no question about unsaved work first
            QVERIFY(w.openCharacterFile(path));
        }) << Shows::Window;
        QTest::newRow("animbox save question")
            << Program::Animbox << Opener([](auto& w, const QString&) { w->close(); }) << Shows::Modal;
        QTest::newRow("animbox message") << Program::Animbox << animbox([](auto& w, const QString&) {
            w.referenceBar()->txtBase()->setText(QStringLiteral("idle99"));
            w.referenceBar()->Command3()->click();
        }) << Shows::Modal;

        // The offset box's instruction is a text box, which the checks leave out.
        QTest::newRow("classic window") << Program::Classic << classic([](auto& w, const QString&) {
            QVERIFY(!w.ui().Text3->toPlainText().contains(QRegularExpression(QStringLiteral("\\p{Han}"))));
        }) << Shows::Window;
        for (const char* modal : {"Command9", "Initial", "mOpen", "mSaveAs"})
            QTest::addRow("classic %s", modal) << Program::Classic << press(modal) << Shows::Modal;
        QTest::newRow("classic picture window") << Program::Classic << classic([](auto& w, const QString&) {
            w.ui().List1->addItem(QStringLiteral("a01.gif"));
            w.ui().List1->setCurrentRow(0);
            w.ui().Command7->click();
        }) << Shows::Modal;
        QTest::newRow("classic unsaved text") << Program::Classic << classic([](classic::Form1& w, const QString&) {
            w.setScriptText(QStringLiteral("\tdelay\t5\r\n"));
            w.findChild<QAction*>(QStringLiteral("mOpen"))->trigger();
        }) << Shows::Modal;
        QTest::newRow("classic changed on disk") << Program::Classic << classic([](auto& w, const QString& f) {
            const QString path = f + QStringLiteral("/hero.txt");
            QVERIFY(testfiles::writeFile(path, "\tdelay\t5\r\n") && w.scriptFile().open(path));
            QVERIFY(testfiles::writeFile(path, "\tdelay\t6\r\n"));
            w.setScriptText(QStringLiteral("\tdelay\t7\r\n"));
            w.scriptFile().save();
        }) << Shows::Modal;
        QTest::newRow("classic recovery offer") << Program::Classic << classic([](auto& w, const QString& f) {
            QVERIFY(testfiles::writeFile(f + QStringLiteral("/recovery.json"),
                                         "{\"format\":\"kestrum-recovery\",\"version\":1,\"text\":\"x\","
                                         "\"gameFolder\":\"\",\"browserFolder\":\"\",\"file\":\"\","
                                         "\"animName\":\"\",\"rows\":[]}"));
            w.scriptFile().keepRecovery(f);
            w.scriptFile().offerRecovery();
        }) << Shows::Modal;

        QTest::newRow("pakunpack window") << Program::Pakunpack << nothing << Shows::Window;
        QTest::newRow("pakunpack no archive") << Program::Pakunpack << press("Command2") << Shows::Modal;
        QTest::newRow("pakunpack file dialog") << Program::Pakunpack << press("Command1") << Shows::Modal;
        QTest::newRow("pakunpack tool missing") << Program::Pakunpack << Opener([](auto& w, const QString& f) {
            w->template findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("x.pak"));
            press("Command2")(w, f);
        }) << Shows::Modal;
        // kespak's exit code 3 when it refused entries, other codes when it failed.
        QTest::newRow("pakunpack entry refused")
            << Program::Pakunpack << unpackRun("start\t2\t9\nrefused\t1\tdata/../b\tbad name\ndone\t1\t2\t9\n", 3)
            << Shows::Window;
        QTest::newRow("pakunpack all refused")
            << Program::Pakunpack << unpackRun("start\t2\t9\nrefused\t1\t../a\tbad name\ndone\t0\t2\t0\n", 3)
            << Shows::Window;
        QTest::newRow("pakunpack failed") << Program::Pakunpack << unpackRun("", 1) << Shows::Window;
    }

    // In English a user reads no Chinese and no cut caption, in a program's
    // windows, its dialogs and its messages.
    void englishWindows()
    {
        QFETCH(Program, program);
        QFETCH(Opener, open);
        QFETCH(Shows, shows);
        QVERIFY(language::installLanguage(Language::English, catalogs(program)));
        QTemporaryDir folder;
        // The file dialogs open in the current folder and show its path: the
        // test's own short folder, not where the project lives.
        const QString previous = QDir::currentPath();
        const auto restore = qScopeGuard([&] {
            QDir::setCurrent(previous);
            qunsetenv("KES_STAND_IN_RECORDS");
            qunsetenv("KES_STAND_IN_EXIT");
        });
        QVERIFY(QDir::setCurrent(folder.path()));
        std::unique_ptr<QWidget> window = openWindow(program, folder.path());
        QVERIFY(window);

        QStringList found;
        bool dialogShown = false;
        testing::ModalDriver modal;
        if (shows == Shows::Modal) {
            modal.onDialog([&](QDialog* dialog) {
                dialogShown = true;
                found = languagetests::englishFaults(dialog);
                dialog->reject();
            });
        }
        open(window, folder.path());
        if (shows == Shows::Window)
            found = languagetests::englishFaults(window.get());
        else
            QTRY_VERIFY(dialogShown || !modal.messages.isEmpty());
        QCOMPARE(modal.unexpectedDialogs, 0);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        const QString messages = (modal.messages + modal.messageTitles).join(u'\n');
        QVERIFY2(!languagetests::hasChinese(messages), qPrintable(messages));
    }

    void qtButtonsFollowTheLanguage()
    {
        const auto okText = [] {
            QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok);
            return box.button(QMessageBox::Ok)->text();
        };
        QVERIFY(language::installLanguage(Language::Chinese, {language::kSharedCatalog}));
        QCOMPARE(okText(), QStringLiteral("确定"));
        QVERIFY(language::installLanguage(Language::English, {language::kSharedCatalog}));
        QCOMPARE(okText(), QStringLiteral("OK"));
        QCOMPARE(language::installedLanguage(), Language::English);
        // A catalog the build lacks is reported, and the rest still works.
        QVERIFY(!language::installLanguage(Language::English, {QStringLiteral("missing")}));
        QVERIFY(language::installLanguage(Language::Chinese, {}));
        QCOMPARE(okText(), QStringLiteral("确定"));
    }

    // The file dialogs of an English window on a Chinese system write sizes and
    // dates in English (Qt reads the locale as the application starts: see main()).
    void fileDialogSpeaksTheLanguage()
    {
        // The system's language stays what it was, for the menu's "System" item.
        QCOMPARE(language::systemLanguage(), Language::Chinese);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("hero.pak"));
        QVERIFY(testfiles::writeFile(path, QByteArray(389, 'x')));
        const std::unique_ptr<QWidget> window = openWindow(Program::Pakunpack, folder.path());
        QVERIFY(window);
        testing::ModalDriver modal;
        QStringList shown; // the size and the date
        modal.onDialog([&shown, path](QDialog* dialog) {
            const auto* model = dialog->findChild<QFileSystemModel*>();
            const auto column = [&](int at) { return model->index(path).siblingAtColumn(at).data().toString(); };
            if (model && QTest::qWaitFor([&] { return !column(1).isEmpty() && !column(3).isEmpty(); }))
                shown = QStringList{column(1), column(3)};
            dialog->reject();
        });
        window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(path);
        window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        const QString date = QLocale(QLocale::English, QLocale::UnitedStates)
                                 .toString(QFileInfo(path).lastModified(), QLocale::ShortFormat);
        QCOMPARE(shown, QStringList({QStringLiteral("389 bytes"), date}));
    }

    // A caption is measured as shown: "&" marks the shortcut, "&&" shows as "&".
    void captionWidthLeavesOutShortcutMarks()
    {
        const auto widthOf = [](const QString& caption) {
            const QPushButton button(caption);
            return language::captionWidth(&button) - language::captionFrameWidth(&button);
        };
        const QFontMetrics metrics(QPushButton().font());
        QCOMPARE(widthOf(QStringLiteral("&Open")), metrics.horizontalAdvance(QStringLiteral("Open")));
        QCOMPARE(widthOf(QStringLiteral("Save && &close")), metrics.horizontalAdvance(QStringLiteral("Save & close")));
        QCOMPARE(widthOf(QStringLiteral("打开(&O)")), metrics.horizontalAdvance(QStringLiteral("打开(O)")));
        QCOMPARE(widthOf(QStringLiteral("100 &")), metrics.horizontalAdvance(QStringLiteral("100 &")));
    }

    void aboutAndQuit_data()
    {
        QTest::addColumn<Program>("program");
        QTest::addColumn<QString>("quitName"); // the File menu's item that quits
        QTest::newRow("animbox") << Program::Animbox << "mexit";
        QTest::newRow("animbox-classic") << Program::Classic << "mExit";
        QTest::newRow("pakunpack") << Program::Pakunpack << "mnuExit";
    }

    // Help › About names the program, the package, the licence and Qt with their
    // versions; Ctrl+Q closes the window; the program carries its own icon.
    void aboutAndQuit()
    {
        QFETCH(Program, program);
        QFETCH(QString, quitName);
        QVERIFY(language::installLanguage(Language::English, catalogs(program)));
        QTemporaryDir folder;
        const std::unique_ptr<QWidget> window = openWindow(program, folder.path());
        QVERIFY(window);
        QCOMPARE(window->findChild<QMenuBar*>()->actions().last()->text(), QStringLiteral("Help"));
        QAction* about = window->findChild<QAction*>(QStringLiteral("mnuAbout"));
        QVERIFY(about);
        QCOMPARE(about->text(), QStringLiteral("About"));
        testing::ModalDriver modal;
        about->trigger();
        QCOMPARE(modal.messages.size(), 1);
        const QString shown = modal.messageTitles[0] + u'\n' + modal.messages[0];
        const program::ProgramInfo info = program::programInfo(program);
        for (const QString& expected : {QStringLiteral("About ") + info.command, info.command + u' ' + info.version,
                                        QStringLiteral("Package: kestrum-mod-tools ") + program::packageVersion(),
                                        QStringLiteral("Licence: MIT"), QStringLiteral("Qt version: ") + qVersion()})
            QVERIFY2(shown.contains(expected), qPrintable(shown));

        QAction* quit = window->findChild<QAction*>(quitName);
        QVERIFY(quit);
        QCOMPARE(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        if (auto* animbox = qobject_cast<animbox::FrmMain*>(window.get()))
            animbox->document().undoStack()->setClean(); // no question about the frame added
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!window->isVisible());
        QVERIFY(!program::windowIcon(program).pixmap(32).isNull());
    }
};

// A Chinese system whose LC_ALL beats every other variable, and "--lang en".
int main(int argc, char** argv)
{
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANGUAGE", "zh_CN:zh");
    const char* const start[] = {argv[0], "--lang", "en"};
    const Language chosen = language::languageBeforeStart(3, start, QString());
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    language::startInLanguage(arguments, chosen, {language::kSharedCatalog});
    TestLanguage test;
    return QTest::qExec(&test, arguments);
}
#include "TestLanguage.moc"
