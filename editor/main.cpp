#include "editor/FrmMain.h"
#include "editor/IniSettings.h"
#include "editor/ProgramFolder.h"
#include "language/InterfaceLocale.h"
#include "language/Translators.h"
#include "tools/AfterFirstFrame.h"
#include "tools/FirstPaintExit.h"
#include "tools/ImageFreeStyle.h"
#include "tools/StartUpWarmUp.h"
#include "tools/WindowPixelsWarmUp.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    // The settings come first: their language decides the locale that the
    // application object takes from the environment.
    QCoreApplication::setApplicationName(QStringLiteral("animbox"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrum"));
    const animbox::ProgramFolder folder(animbox::ProgramFolder::ofRunningProgram(argv[0]));
    const animbox::IniSettings settings(
        folder.settingsPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
    folder.seedDemoSettings(settings);
    const language::Language interfaceLanguage = language::languageBeforeStart(argc, argv, settings.languageCode());
    const tools::StartUpWarmUp warmUp;
    QApplication app(argc, argv);
    tools::useImageFreeStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox"));
    QStringList arguments = app.arguments();
    language::startInLanguage(arguments, interfaceLanguage, {language::kSharedCatalog, QStringLiteral("animbox")});
    animbox::FrmMain window(settings.filePath());
    window.show();
    const tools::WindowPixelsWarmUp pixels(window);
    // Unsaved work survives a crash in the per-user data folder, in a file
    // of this window's own.
    window.keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    // The work of a crashed run and the files named on the command line come
    // once the window is on screen: their questions and messages show over it.
    tools::runAfterFirstFrame(window, [&window, files = arguments.mid(1)] {
        window.offerRecovery();
        window.openArguments(files);
    });
    // Watched last, so that a benchmark run ends before the work above.
    tools::exitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
