#include "editor/FrmMain.h"
#include "editor/IniSettings.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("animbox"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrum"));
    animbox::FrmMain window(animbox::IniSettings::defaultPath());
    window.show();
    return app.exec();
}
