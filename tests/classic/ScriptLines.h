#pragma once

#include <QFile>
#include <QHash>
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

// A value as written in a case file: "|" is CR LF, and \t, \r, \n, \s (a
// space) and \xHH (a byte) stand for what they name.
inline QByteArray decodeValue(QByteArray value)
{
    value.replace('|', "\r\n").replace("\\t", "\t").replace("\\r", "\r").replace("\\n", "\n").replace("\\s", " ");
    for (qsizetype at = value.indexOf("\\x"); at >= 0; at = value.indexOf("\\x", at + 1))
        value.replace(at, 4, QByteArray(1, char(value.mid(at + 2, 2).toInt(nullptr, 16))));
    return value;
}

// A case of a case file: its fields' values by name, its name as "case".
using Case = QHash<QByteArray, QByteArray>;

// The cases of the file `name` in the folder of case files: a line "case
// <name>" starts a case, each line "<field>: <value>" after it gives a field
// (blanks around the value are dropped; write \s for a space there), lines
// starting with "#" are notes. Stops the run when the file is missing or
// holds no case, so that no table runs empty.
inline QList<Case> readCases(const QString& name)
{
    QFile file(QStringLiteral(KES_CLASSIC_CASES "/") + name);
    QList<Case> cases;
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    for (const QByteArray& line : content.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (line.startsWith("case "))
            cases.append({{"case", line.mid(5).trimmed()}});
        else if (colon > 0 && !cases.isEmpty() && !line.startsWith('#'))
            cases.last()[line.left(colon)] = decodeValue(line.mid(colon + 1).trimmed());
    }
    if (cases.isEmpty())
        qFatal("no cases read from %s", qPrintable(file.fileName()));
    return cases;
}
