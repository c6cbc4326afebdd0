#include "classic/Form1.h"
#include "language/InterfaceLocale.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "tools/AfterFirstFrame.h"
#include "tools/FirstPaintExit.h"
#include "tools/ImageFreeStyle.h"
#include "tools/StartUpWarmUp.h"
#include "tools/WindowPixelsWarmUp.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    // The stored language decides the locale that the application object
    // takes from the environment: it is read first.
    const QString product = QStringLiteral("Kestrum Frame Editor");
    const language::Language interfaceLanguage = language::languageBeforeStart(
        argc, argv, language::storedCodeBeforeStart(QStringLiteral("Kestrum"), product));
    const tools::StartUpWarmUp warmUp;
    QApplication app(argc, argv);
    tools::useImageFreeStyle();
    QApplication::setApplicationName(product);
    QApplication::setApplicationVersion(QStringLiteral(KES_CLASSIC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox_classic"));
    QSettings* settings = classic::Form1::userSettings(&app);
    QStringList arguments = QApplication::arguments();
    language::startInLanguage(arguments, interfaceLanguage, classic::Form1::catalogs());
    classic::Form1 window(settings);
    window.show();
    const tools::WindowPixelsWarmUp pixels(window);
    // Unsaved text survives a crash in the per-user data folder, in a file
    // of this window's own.
    window.scriptFile().keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    // The text of a crashed run and the file named on the command line come
    // once the window is on screen: their questions and messages show over it.
    tools::runAfterFirstFrame(window, [&window, arguments] {
        window.scriptFile().offerRecovery();
        if (arguments.size() > 1)
            window.scriptFile().open(arguments.at(1));
    });
    // Watched last, so that a benchmark run ends before the work above.
    tools::exitAfterFirstPaintWhenAsked(window);
    return QApplication::exec();
}
