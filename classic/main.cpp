#include "classic/Form1.h"
#include "tools/FirstPaintExit.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrum Frame Editor"));
    QApplication::setApplicationVersion(QStringLiteral(KES_CLASSIC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox_classic"));
    classic::Form1 window;
    window.show();
    tools::exitAfterFirstPaintWhenAsked(window);
    // Unsaved text survives a crash in the per-user data folder.
    window.scriptFile().keepRecovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                     + QStringLiteral("/recovery.json"));
    window.scriptFile().offerRecovery();
    if (app.arguments().size() > 1)
        window.scriptFile().open(app.arguments().at(1));
    return QApplication::exec();
}
