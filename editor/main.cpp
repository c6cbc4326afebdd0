#include "demo/DemoFolder.h"
#include "editor/settings/IniSettings.h"
#include "editor/settings/ProgramFolder.h"
#include "editor/window/FrmMain.h"
#include "language/InterfaceLocale.h"
#include "language/Translators.h"
#include "program/CommandLine.h"
#include "program/WindowIcon.h"
#include "startup/AfterFirstFrame.h"
#include "startup/FirstPaintExit.h"
#include "startup/ImageFreeStyle.h"

#include <QApplication>
#include <QListWidget>
#include <QStandardPaths>

namespace {

constexpr auto kProgram = program::Program::Animbox;

const QStringList& catalogs()
{
    static const QStringList names{language::kSharedCatalog, QStringLiteral("animbox")};
    return names;
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("animbox"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrum"));
}

animbox::IniSettings settingsOf(const animbox::ProgramFolder& folder)
{
    return animbox::IniSettings(
        folder.settingsPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
}

// Opens the demo's idle animation with its first frame on the canvas.
void openDemo(animbox::FrmMain& window, const QString& script)
{
    if (window.openCharacterFile(script, QStringLiteral("idle")))
        window.List1()->setCurrentRow(0);
}

} // namespace

int main(int argc, char* argv[])
{
    // The settings come first: their language decides the locale that the
    // application object takes from the environment.
    nameApplication();
    const animbox::ProgramFolder folder(animbox::ProgramFolder::ofRunningProgram(argv[0]));
    const animbox::IniSettings settings = settingsOf(folder);
    const language::Language interfaceLanguage = language::languageBeforeStart(argc, argv, settings.languageCode());
    // The help and the version are printed without a window.
    if (program::CommandLine::asksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        QStringList arguments = app.arguments();
        language::startInLanguage(arguments, interfaceLanguage, catalogs());
        return program::CommandLine(kProgram).read(arguments).value_or(0);
    }
    QApplication app(argc, argv);
    tools::useImageFreeStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox"));
    QStringList arguments = app.arguments();
    language::startInLanguage(arguments, interfaceLanguage, catalogs());
    program::CommandLine commandLine(kProgram);
    if (const auto status = commandLine.read(arguments))
        return *status;
    const bool firstStart = folder.seedDemoSettings(settings);
    animbox::FrmMain window(settings.filePath());
    window.show();
    // Unsaved work survives a crash in the per-user data folder, in a file
    // of this window's own.
    window.keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    // The work of a crashed run and the files named on the command line come
    // once the window is on screen: their questions and messages show over it.
    // The very first start, with nothing named, opens the demo character's
    // idle animation.
    const QString demo = firstStart && commandLine.operands().isEmpty()
        ? demo::DemoFolder(QCoreApplication::applicationDirPath()).script() : QString();
    tools::runAfterFirstFrame(window, [&window, files = commandLine.operands(), demo] {
        program::setWindowIcon(kProgram);
        window.offerRecovery();
        if (demo.isEmpty())
            window.openArguments(files);
        else
            openDemo(window, demo);
    });
    // Watched last, so that a benchmark run ends before the work above.
    tools::exitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
