#include "editor/settings/RecentFiles.h"

#include "model/files/FileReplacement.h"

#include <QDir>
#include <QFileInfo>

namespace animbox {

RecentFiles::RecentFiles(const QString& settingsPath)
    : m_path(QFileInfo(settingsPath).dir().filePath(QStringLiteral("recent.txt")))
{
}

QStringList RecentFiles::files() const
{
    QString error;
    const QByteArray bytes = model::readWholeFile(m_path, &error);
    return QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts).mid(0, kMaxFiles);
}

void RecentFiles::add(const QString& path) const
{
    const QStringList before = files();
    QStringList after = before;
    after.removeAll(path);
    after.prepend(path);
    after = after.mid(0, kMaxFiles);
    if (after != before)
        model::writeFileAtomically(m_path, after.join(u'\n').toUtf8() + '\n');
}

} // namespace animbox
