#include "program/AboutBox.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>

namespace program {

void addHelpMenu(QMenuBar* bar, Program program)
{
    QMenu* menu = bar->addMenu(QCoreApplication::translate("program::AboutBox", "帮助"));
    menu->setObjectName(QStringLiteral("mnuHelp"));
    QAction* about = menu->addAction(QCoreApplication::translate("program::AboutBox", "关于"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    QObject::connect(about, &QAction::triggered, bar, [bar, program] { showAbout(bar->window(), program); });
}

QString aboutText(Program program)
{
    const ProgramInfo info = programInfo(program);
    return info.command + u' ' + info.version + QStringLiteral("\n\n") + info.summary + QStringLiteral("\n\n")
           + QCoreApplication::translate("program::AboutBox", "软件包: %1 %2").arg(packageName(), packageVersion()) + u'\n'
           + QCoreApplication::translate("program::AboutBox", "许可证: %1").arg(licence()) + u'\n' + QCoreApplication::translate("program::AboutBox", "Qt 版本: %1").arg(QString::fromLatin1(qVersion()));
}

void showAbout(QWidget* parent, Program program)
{
    QMessageBox box(QMessageBox::Information, QCoreApplication::translate("program::AboutBox", "关于 %1").arg(programInfo(program).command), aboutText(program),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("AboutBox"));
    const QIcon icon = QGuiApplication::windowIcon();
    if (!icon.isNull())
        box.setIconPixmap(icon.pixmap(64));
    box.exec();
}

} // namespace program
