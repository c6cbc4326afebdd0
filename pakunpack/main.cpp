// pakunpack: one window that unpacks a .pak archive with the kespak tool.
#include "pakunpack/Form1.h"
#include "tools/FirstPaintExit.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrum.modtools.pakunpack"));
    pakunpack::Form1 window(pakunpack::Form1::archiveFromArguments(QCoreApplication::arguments()));
    window.show();
    tools::exitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
