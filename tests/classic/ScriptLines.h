#pragma once

#include <QStringList>

// Script text from its lines written with "|" between them; each line gets
// the CR LF that ends every line of stored script text.
inline QString lines(const QString& parts)
{
    QString text;
    for (const QString& part : parts.split(u'|'))
        text += part + QStringLiteral("\r\n");
    return text;
}
