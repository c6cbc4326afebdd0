// pakunpack: one window that unpacks a .pak archive with the kespak tool.
#include "language/InterfaceLocale.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "pakunpack/Form1.h"
#include "tools/FirstPaintExit.h"
#include "tools/ImageFreeStyle.h"
#include "tools/StartUpWarmUp.h"
#include "tools/WindowPixelsWarmUp.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char** argv)
{
    // The stored language decides the locale that the application object
    // takes from the environment: it is read first.
    const language::Language interfaceLanguage = language::languageBeforeStart(
        argc, argv, language::storedCodeBeforeStart(QStringLiteral("Kestrum"), QStringLiteral("pakunpack")));
    const tools::StartUpWarmUp warmUp;
    QApplication app(argc, argv);
    tools::useImageFreeStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.pakunpack"));
    QSettings* settings = pakunpack::Form1::userSettings(&app);
    QStringList arguments = QCoreApplication::arguments();
    language::startInLanguage(arguments, interfaceLanguage, pakunpack::Form1::catalogs());
    pakunpack::Form1 window(pakunpack::Form1::archiveFromArguments(arguments), QString(), settings);
    window.show();
    const tools::WindowPixelsWarmUp pixels(window);
    tools::exitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
