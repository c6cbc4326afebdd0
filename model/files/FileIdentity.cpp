#include "model/files/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <qt_windows.h>
#endif

namespace model {

#ifdef Q_OS_UNIX

std::optional<FileIdentity> FileIdentity::of(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    FileIdentity identity;
    // The set-id and sticky bits are not carried over to a text file's copy.
    identity.mode = status.st_mode & 0777;
    identity.owner = status.st_uid;
    identity.group = status.st_gid;
    identity.links = status.st_nlink;
    return identity;
}

bool FileIdentity::giveOwnerTo(QFileDevice& file) const
{
    struct stat status {};
    if (::fstat(file.handle(), &status) != 0)
        return false;
    return (status.st_uid == owner && status.st_gid == group) || ::fchown(file.handle(), owner, group) == 0;
}

bool FileIdentity::giveModeTo(QFileDevice& file) const
{
    return ::fchmod(file.handle(), mode) == 0;
}

QString syncToDisk(QFileDevice& file)
{
    if (!file.flush())
        return file.errorString();
    return ::fsync(file.handle()) == 0 ? QString() : qt_error_string();
}

QString renameOver(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? QString()
                                                                                                  : qt_error_string();
}

#else

// Windows keeps owners in access lists that a new file inherits from its
// folder, and has no cheap count of hard links: only the permissions are
// carried over.
std::optional<FileIdentity> FileIdentity::of(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    FileIdentity identity;
    identity.permissions = info.permissions();
    return identity;
}

bool FileIdentity::giveOwnerTo(QFileDevice&) const
{
    return true;
}

bool FileIdentity::giveModeTo(QFileDevice& file) const
{
    return file.setPermissions(permissions);
}

// Qt offers no portable sync of an open file: the contents are handed to
// the system, and the rename below is written through.
QString syncToDisk(QFileDevice& file)
{
    return file.flush() ? QString() : file.errorString();
}

QString renameOver(const QString& from, const QString& to)
{
    const auto wide = [](const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); };
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        ? QString()
        : qt_error_string();
}

#endif

} // namespace model
