// The baseline of the start-up benchmark: the smallest Qt Widgets program,
// one QLabel window, built with the same flags as the programs it is
// compared with and ended the same way, after its first painted frame.
#include "startup/FirstPaintExit.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Kestrum"));
    window.show();
    tools::exitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
