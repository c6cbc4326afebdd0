// pakunpack: one window that unpacks a .pak archive with the kespak tool.
#include "language/InterfaceLocale.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "pakunpack/Form1.h"
#include "program/CommandLine.h"
#include "program/WindowIcon.h"
#include "startup/AfterFirstFrame.h"
#include "startup/FirstPaintExit.h"
#include "startup/ImageFreeStyle.h"

#include <QApplication>
#include <QSettings>

namespace {

constexpr auto kProgram = program::Program::Pakunpack;

} // namespace

int main(int argc, char** argv)
{
    // The stored language decides the locale that the application object
    // takes from the environment: it is read first.
    const language::Language interfaceLanguage = language::languageBeforeStart(
        argc, argv, language::storedCodeBeforeStart(QStringLiteral("Kestrum"), QStringLiteral("pakunpack")));
    // The help and the version are printed without a window.
    if (program::CommandLine::asksForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        QStringList arguments = app.arguments();
        language::startInLanguage(arguments, interfaceLanguage, pakunpack::Form1::catalogs());
        return program::CommandLine(kProgram).read(arguments).value_or(0);
    }
    QApplication app(argc, argv);
    tools::useImageFreeStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.pakunpack"));
    QSettings* settings = pakunpack::Form1::userSettings(&app);
    QStringList arguments = QCoreApplication::arguments();
    language::startInLanguage(arguments, interfaceLanguage, pakunpack::Form1::catalogs());
    program::CommandLine commandLine(kProgram);
    if (const auto status = commandLine.read(arguments))
        return *status;
    pakunpack::Form1 window(pakunpack::Form1::archiveFromArguments(arguments.mid(0, 1) + commandLine.operands()),
                            QString(), settings);
    window.show();
    tools::runAfterFirstFrame(window, [] { program::setWindowIcon(kProgram); });
    tools::exitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
