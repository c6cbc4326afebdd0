// The window in English: every window and message a user reaches from it
// without Chinese and without cut captions; the language menu's choice kept
// in the window's settings for the next start.

#include "EditorTests.h"

#include "InterfaceTexts.h"
#include "TestHelpers.h"
#include "editor/panels/ReferenceBar.h"
#include "language/Translators.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

namespace {

// Does what opens a window or a message; the test reads what it shows.
using Opener = std::function<void(animbox::FrmMain&, const testing::Fixture&)>;

Opener menuItem(const char* name)
{
    return [name](animbox::FrmMain& window, const testing::Fixture&) {
        window.menuAction(QLatin1String(name))->trigger();
    };
}

// Where the texts to read show up after the opener ran.
enum class Shows { Window, Dialog, Message };

// What a user reads in `window` that is Chinese or cut.
QStringList faults(const QWidget* window)
{
    return languagetests::chineseTexts(window) + languagetests::cutTexts(window);
}

} // namespace

Q_DECLARE_METATYPE(Opener)
Q_DECLARE_METATYPE(Shows)
Q_DECLARE_METATYPE(language::Language)

void EditorTest::englishWindows_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<Shows>("shows");
    // The main window with the reference frame drawn and the pointer read
    // out: all its captions and menus, the Edit menu's step too.
    QTest::newRow("main window") << Opener([](animbox::FrmMain& window, const testing::Fixture&) {
        window.referenceBar()->Command3()->click();
        QCOMPARE(window.referenceBar()->toggle(), animbox::ReferenceBar::Toggle::OffersListFrame);
        window.PicEdit_MouseMove(Qt::NoButton, {}, QPointF(5, 5));
    }) << Shows::Window;
    QTest::newRow("offset all frames") << menuItem("moa") << Shows::Dialog;
    QTest::newRow("initialize frames") << menuItem("minitframe") << Shows::Dialog;
    QTest::newRow("frames from text") << menuItem("mFromText") << Shows::Dialog;
    QTest::newRow("animation text") << menuItem("mgentext") << Shows::Dialog;
    // The character panel beside the window, with its captions.
    QTest::newRow("character panel") << Opener([](animbox::FrmMain& window, const testing::Fixture& files) {
        const QString path = QDir(files.sprites()).filePath(QStringLiteral("hero.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("anim\tidle\r\n\tframe\tdata/chars/test/a01\r\nanim\twalk\r\n\tframe\tdata/chars/test/a01\r\n");
        file.close();
        // Without unsaved work, so that no question comes first.
        window.document().undoStack()->setClean();
        QVERIFY(window.openCharacterFile(path));
    }) << Shows::Window;
    QTest::newRow("save question") << Opener([](animbox::FrmMain& window, const testing::Fixture&) {
        window.close();
    }) << Shows::Dialog;
    QTest::newRow("message") << Opener([](animbox::FrmMain& window, const testing::Fixture&) {
        window.referenceBar()->txtBase()->setText(QStringLiteral("idle99"));
        window.referenceBar()->Command3()->click();
    }) << Shows::Message;
}

void EditorTest::englishWindows()
{
    QFETCH(Opener, open);
    QFETCH(Shows, shows);
    QVERIFY(language::installLanguage(language::Language::English, testing::animboxCatalogs()));
    const auto backToChinese = qScopeGuard(
        [] { language::installLanguage(language::Language::Chinese, testing::animboxCatalogs()); });
    testing::Fixture files;
    QVERIFY(files.isValid() && files.writeSprite(QStringLiteral("a01.gif"), {30, 40})
            && files.writeSprite(QStringLiteral("idle00.gif"), {30, 40}));
    auto window = files.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(testing::addFrames(*window, {QStringLiteral("a01.gif")}));
    window->List1()->setCurrentRow(0);

    testing::ModalDriver modal;
    QStringList found;
    if (shows == Shows::Dialog) {
        modal.onDialog([&found](QDialog* shown) {
            found = faults(shown);
            shown->reject();
        });
    }
    open(*window, files);
    QTRY_COMPARE(modal.pendingHandlers(), 0);
    if (shows == Shows::Window)
        found = faults(window.get());
    QCOMPARE(modal.messages.isEmpty(), shows != Shows::Message);
    QCOMPARE(modal.unexpectedDialogs, 0);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    static const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    const QString messages = (modal.messages + modal.messageTitles).join(u'\n');
    QVERIFY2(!messages.contains(chinese), qPrintable(messages));
}

void EditorTest::languageChoiceKept_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("code");
    QTest::newRow("English") << "mnuLanguageEn" << "en";
    QTest::newRow("Chinese") << "mnuLanguageZh" << "zh";
    QTest::newRow("system") << "mnuLanguageSystem" << "";
}

void EditorTest::languageChoiceKept()
{
    QFETCH(QString, item);
    QFETCH(QString, code);
    testing::Fixture files;
    QVERIFY(files.isValid());
    animbox::IniSettings(files.settingsPath()).setLanguageCode(code == u"en" ? QStringLiteral("zh") : QStringLiteral("en"));
    testing::ModalDriver modal;
    {
        auto window = files.window();
        window->findChild<QAction*>(item)->trigger();
        QCOMPARE(window->settings().languageCode(), code);
    }
    // The next start reads the choice from the same settings.
    auto next = files.window();
    QCOMPARE(next->settings().languageCode(), code);
    QVERIFY(next->findChild<QAction*>(item)->isChecked());
}

void EditorTest::buttonsSayWhatTheyDo_data()
{
    QTest::addColumn<language::Language>("language");
    QTest::addColumn<QStringList>("referenceCaptions");
    QTest::newRow("Chinese") << language::Language::Chinese
                             << QStringList{"绘制参考帧", "DrawBaseFrame", "DrawListFrame"};
    QTest::newRow("English") << language::Language::English
                             << QStringList{"Show frame", "Show reference", "Show frame"};
}

// No two buttons of the window share a caption; the buttons that empty or
// clear a box or the list explain themselves in a tool tip; the reference
// toggle says what its next press does: at start, with no frame to show,
// the list's frame, then the reference frame, then the list's frame again.
void EditorTest::buttonsSayWhatTheyDo()
{
    QFETCH(language::Language, language);
    QFETCH(QStringList, referenceCaptions);
    QVERIFY(language::installLanguage(language, testing::animboxCatalogs()));
    const auto backToChinese = qScopeGuard(
        [] { language::installLanguage(language::Language::Chinese, testing::animboxCatalogs()); });
    testing::Fixture files;
    QVERIFY(files.isValid() && files.writeSprite(QStringLiteral("idle00.gif"), {30, 40}));
    auto window = files.window();
    QStringList captions;
    for (const QPushButton* button : window->findChildren<QPushButton*>()) {
        QVERIFY2(!captions.contains(button->text()), qPrintable(button->text()));
        captions.append(button->text());
    }
    for (const char* name : {"Command1", "CmdClearAt", "Command8", "Command2", "Command6"})
        QVERIFY2(!window->findChild<QPushButton*>(QLatin1String(name))->toolTip().isEmpty(), name);
    QPushButton* toggle = window->referenceBar()->Command3();
    QStringList shown{toggle->text()};
    for (int press = 0; press < 2; ++press) {
        toggle->click();
        shown.append(toggle->text());
    }
    QCOMPARE(shown, referenceCaptions);
}
