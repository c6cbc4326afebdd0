#include "classic/Form1.h"
#include "language/Translators.h"
#include "tools/FirstPaintExit.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrum Frame Editor"));
    QApplication::setApplicationVersion(QStringLiteral(KES_CLASSIC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox_classic"));
    QSettings* settings = classic::Form1::userSettings(&app);
    QStringList arguments = QApplication::arguments();
    language::startInLanguage(arguments, classic::Form1::storedLanguage(*settings), classic::Form1::catalogs());
    classic::Form1 window(settings);
    window.show();
    tools::exitAfterFirstPaintWhenAsked(window);
    // Unsaved text survives a crash in the per-user data folder.
    window.scriptFile().keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                     + QStringLiteral("/recovery.json"));
    window.scriptFile().offerRecovery();
    if (arguments.size() > 1)
        window.scriptFile().open(arguments.at(1));
    return QApplication::exec();
}
