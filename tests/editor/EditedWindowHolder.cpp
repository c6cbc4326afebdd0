// A real animbox window in a process of its own, for the recovery tests:
// keeps its work in the data folder given as the first argument, opens the
// character file given as the second, changes the first frame's delay to 7
// in each animation named by the arguments after it, and runs until it is
// killed.

#include "editor/character/CharacterPanel.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/window/FrmMain.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4)
        return 2;
    animbox::FrmMain window(QDir(arguments[1]).filePath(QStringLiteral("settings.ini")));
    window.keepRecovery(arguments[1]);
    if (!window.openCharacterFile(arguments[2]))
        return 3;
    QTreeWidget* animations = window.characterPanel()->list();
    for (const QString& name : arguments.mid(3)) {
        const QList<QTreeWidgetItem*> found = animations->findItems(name, Qt::MatchExactly);
        if (found.size() != 1)
            return 4;
        animations->setCurrentItem(found.first());
        window.List1()->setCurrentRow(0);
        window.Frame3()->txtDelay()->setText(QStringLiteral("7"));
    }
    return QApplication::exec();
}
