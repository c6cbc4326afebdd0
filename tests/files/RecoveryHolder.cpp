// A window's recovery keeper in a process of its own, for the recovery
// tests: keeps unsaved work, which names the character file given as its
// second argument, in the data folder given as its first, and runs until it
// is killed.

#include "model/files/RecoveryKeeper.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    model::RecoveryKeeper keeper(arguments[1], [file = arguments[2]] {
        model::RecoveryData data;
        data.text = QStringLiteral("\tdelay\t5\r\n");
        data.file = file;
        return data;
    });
    keeper.workChanged(true);
    return QCoreApplication::exec();
}
