#include "program/WindowIcon.h"

#include <QGuiApplication>

namespace program {

QIcon windowIcon(Program program)
{
    const QString id = programInfo(program).id;
    QIcon builtIn;
    for (const int size : {16, 32, 48, 64, 128})
        builtIn.addFile(QStringLiteral(":/program/icons/%1x%1/%2.png").arg(size).arg(id), QSize(size, size));
    return QIcon::fromTheme(id, builtIn);
}

void setWindowIcon(Program program)
{
    QGuiApplication::setWindowIcon(windowIcon(program));
}

} // namespace program
