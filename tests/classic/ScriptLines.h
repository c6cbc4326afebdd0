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

// One case of a case file: its name and its fields' values as bytes.
struct Case {
    QByteArray name;
    QHash<QByteArray, QByteArray> fields;

    QString text(const char* field) const { return QString::fromUtf8(fields.value(field)); }
};

// A field's value as written in a case file: "|" is CR LF, and \t, \r, \n,
// \s (a space) and \xHH (a byte) stand for what they name.
inline QByteArray decodeValue(const QByteArray& written)
{
    QByteArray value;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c == '|') {
            value += "\r\n";
        } else if (c != '\\' || i + 1 == written.size()) {
            value += c;
        } else if (const char e = written[++i]; e != 'x') {
            value += e == 't' ? '\t' : e == 'r' ? '\r' : e == 'n' ? '\n' : e == 's' ? ' ' : e;
        } else {
            value += char(written.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        }
    }
    return value;
}

// The cases of the file `name` in the folder of case files: a line "case
// <name>" starts a case, each line "<field>: <value>" after it gives a field,
// lines starting with "#" are notes. Stops the run when the file is missing
// or holds no case, so that no table runs empty.
inline QList<Case> readCases(const QString& name)
{
    QFile file(QStringLiteral(KES_CLASSIC_CASES "/") + name);
    QList<Case> cases;
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    for (const QByteArray& line : content.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (line.startsWith("case "))
            cases.append({line.mid(5), {}});
        else if (colon > 0 && !cases.isEmpty() && !line.startsWith('#'))
            cases.last().fields[line.left(colon)] = decodeValue(line.mid(colon + 1 + (line.mid(colon + 1, 1) == " ")));
    }
    if (cases.isEmpty())
        qFatal("no cases read from %s", qPrintable(file.fileName()));
    return cases;
}
