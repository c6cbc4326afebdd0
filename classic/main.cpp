#include "classic/Form1.h"
#include "tools/FirstPaintExit.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrum Frame Editor"));
    QApplication::setApplicationVersion(QStringLiteral(KES_CLASSIC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.animbox_classic"));
    classic::Form1 window;
    window.show();
    tools::exitAfterFirstPaintWhenAsked(window);
    return QApplication::exec();
}
