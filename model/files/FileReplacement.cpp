#include "model/files/FileReplacement.h"

#include "model/files/FileIdentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

namespace model {

namespace {

QString cannotWrite(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("model::FileReplacement", "无法写入文件 %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString unchanged()
{
    return QCoreApplication::translate("model::FileReplacement", "\n文件未作修改.");
}

// The file a save of `path` writes: a link is followed to the file it names,
// as the author opened that file through it.
QString followedLinks(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

// Writes all of `bytes` to the unbuffered `file`. A short write is tried
// again, so that the system's reason for stopping (a full disk) reaches the
// message rather than an unknown error.
QString writeAll(QFileDevice& file, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return file.errorString();
        done += written;
    }
    return QString();
}

// Creates a new file beside `target` under a name no other file has. It is
// created, never opened through a link, and holds nothing yet.
bool createBeside(const QString& target, QFile& file)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(QStringLiteral("%1/.%2.%3.tmp")
                             .arg(info.absolutePath(), info.fileName())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const auto readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                             | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered, readWrite))
            return true;
    }
    return false;
}

// Writes `contents` to a new file beside `target` and renames it over
// `target`: a failure leaves what was there whole, and whatever was there,
// a link included, is replaced and never written through. The new file
// takes `identity`'s permission bits before it holds anything, and its
// owner and group where this user may set them. When `ownerRefused` is
// given, an owner that cannot be kept stops the write and sets it.
QString writeBeside(const QString& target, const QByteArray& contents, const FileIdentity* identity,
                    bool* ownerRefused = nullptr)
{
    QFile file;
    if (!createBeside(target, file))
        return file.errorString();
    auto removeOnFailure = qScopeGuard([&file] { file.remove(); });
    if (identity && !identity->giveOwnerTo(file) && ownerRefused) {
        *ownerRefused = true;
        return qt_error_string();
    }
    if (identity && !identity->giveModeTo(file))
        return qt_error_string();
    QString error = writeAll(file, contents);
    if (error.isEmpty())
        error = syncToDisk(file);
    file.close();
    if (error.isEmpty())
        error = renameOver(file.fileName(), target);
    if (error.isEmpty())
        removeOnFailure.dismiss();
    return error;
}

// Writes `contents` over the file at `path` itself, so that it keeps its
// owner, group and other names. Not atomic: a crash in the middle leaves a
// mix of old and new, which is why the backup is written first. When the
// write fails part-way, `previous` is put back and `restored` tells whether
// that worked.
QString writeInPlace(const QString& path, const QByteArray& contents, const QByteArray& previous, bool* restored)
{
    QFile file(path);
    *restored = true;
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return file.errorString();
    const auto overwrite = [&file](const QByteArray& bytes) {
        QString error = file.seek(0) ? writeAll(file, bytes) : file.errorString();
        if (error.isEmpty() && !file.resize(bytes.size()))
            error = file.errorString();
        return error.isEmpty() ? syncToDisk(file) : error;
    };
    const QString error = overwrite(contents);
    if (!error.isEmpty())
        *restored = overwrite(previous).isEmpty();
    return error;
}

} // namespace

QString writeFileAtomically(const QString& path, const QByteArray& contents)
{
    const QString target = followedLinks(path);
    const std::optional<FileIdentity> identity = FileIdentity::of(target);
    const QString error = writeBeside(target, contents, identity ? &*identity : nullptr);
    return error.isEmpty() ? error : cannotWrite(target, error);
}

QString replaceFile(const QString& path, const QByteArray& contents, const QByteArray& previous)
{
    const QString target = followedLinks(path);
    const std::optional<FileIdentity> identity = FileIdentity::of(target);
    if (!identity) {
        const QString error = writeFileAtomically(target, contents);
        return error.isEmpty() ? error : error + unchanged();
    }
    const QString backup = path + QStringLiteral(".bak");
    QString error = writeBeside(backup, previous, &*identity);
    if (!error.isEmpty())
        return cannotWrite(backup, error) + unchanged();
    bool ownerRefused = false;
    if (identity->links == 1) {
        error = writeBeside(target, contents, &*identity, &ownerRefused);
        if (!ownerRefused)
            return error.isEmpty() ? error : cannotWrite(target, error) + unchanged();
    }
    // Another name shares the file, or a new file could not take its owner
    // or group: the file itself is rewritten, the backup being a copy.
    bool restored = false;
    error = writeInPlace(target, contents, previous, &restored);
    if (error.isEmpty())
        return error;
    return cannotWrite(target, error)
         + (restored ? unchanged()
                     : QCoreApplication::translate("model::FileReplacement", "\n文件只写入了一部分, 原来的内容在 %1.")
                           .arg(QDir::toNativeSeparators(backup)));
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
