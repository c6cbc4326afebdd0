#include "browser/DriveList.h"
#include "classic/window/Form1.h"
#include "demo/DemoFolder.h"
#include "language/InterfaceLocale.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "program/CommandLine.h"
#include "program/WindowIcon.h"
#include "startup/AfterFirstFrame.h"
#include "startup/FirstPaintExit.h"
#include "startup/ImageFreeStyle.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr auto kProgram = program::Program::Classic;

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kestrum Frame Editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KES_CLASSIC_VERSION));
}

// The very first start (no browser folder stored yet) opens the browser on
// the demo character's sprites.
void seedDemoFolder(QSettings& settings)
{
    const QString sprites = demo::DemoFolder(QCoreApplication::applicationDirPath()).spritesFolder();
    if (sprites.isEmpty() || settings.contains(QStringLiteral("set/dir")))
        return;
    settings.setValue(QStringLiteral("set/drive"), browser::DriveList::rootOf(sprites));
    settings.setValue(QStringLiteral("set/dir"), sprites);
    settings.sync();
}

} // namespace

int main(int argc, char* argv[])
{
    // The stored language decides the locale that the application object
    // takes from the environment: it is read first.
    const language::Language interfaceLanguage = language::languageBeforeStart(
        argc, argv, language::storedCodeBeforeStart(QStringLiteral("Kestrum"), QStringLiteral("Kestrum Frame Editor")));
    // The help and the version are printed without a window.
    if (program::CommandLine::asksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        nameApplication();
        QStringList arguments = app.arguments();
        language::startInLanguage(arguments, interfaceLanguage, classic::Form1::catalogs());
        return program::CommandLine(kProgram).read(arguments).value_or(0);
    }
    QApplication app(argc, argv);
    tools::useImageFreeStyle();
    nameApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox_classic"));
    QSettings* settings = classic::Form1::userSettings(&app);
    QStringList arguments = QApplication::arguments();
    language::startInLanguage(arguments, interfaceLanguage, classic::Form1::catalogs());
    program::CommandLine commandLine(kProgram);
    if (const auto status = commandLine.read(arguments))
        return *status;
    seedDemoFolder(*settings);
    classic::Form1 window(settings);
    window.show();
    // Unsaved text survives a crash in the per-user data folder, in a file
    // of this window's own.
    window.scriptFile().keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    // The text of a crashed run and the file named on the command line come
    // once the window is on screen: their questions and messages show over it.
    tools::runAfterFirstFrame(window, [&window, files = commandLine.operands()] {
        program::setWindowIcon(kProgram);
        window.scriptFile().offerRecovery();
        if (!files.isEmpty())
            window.scriptFile().open(files.first());
    });
    // Watched last, so that a benchmark run ends before the work above.
    tools::exitAfterFirstPaintWhenAsked(window);
    return QApplication::exec();
}
