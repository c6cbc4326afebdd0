#pragma once

#include <QString>
#include <QStringList>

// Joins lines with CR LF after each, as script text is stored.
inline QString lines(const QStringList& parts)
{
    QString text;
    for (const QString& part : parts)
        text += part + QStringLiteral("\r\n");
    return text;
}
