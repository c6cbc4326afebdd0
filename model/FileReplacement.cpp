#include "model/FileReplacement.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace model {

QString writeFileAtomically(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    // Unbuffered, a short write (a full disk) shows in write()'s count; a
    // buffered one could be cut off at commit without an error.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QCoreApplication::translate("model::FileReplacement", "无法写入文件 %1: %2").arg(path, file.errorString());
    if (file.write(contents) != contents.size() || !file.commit())
        return QCoreApplication::translate("model::FileReplacement", "无法写入文件 %1: %2").arg(path, file.errorString());
    return QString();
}

QString replaceFile(const QString& path, const QByteArray& contents, const QByteArray& previous)
{
    if (QFile::exists(path)) {
        const QString error = writeFileAtomically(path + QStringLiteral(".bak"), previous);
        if (!error.isEmpty())
            return error;
    }
    return writeFileAtomically(path, contents);
}

QByteArray readWholeFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("model::FileReplacement", "无法读取文件 %1: %2").arg(path, file.errorString());
        return QByteArray();
    }
    return file.readAll();
}

} // namespace model
