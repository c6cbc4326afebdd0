#include "editor/RecentFiles.h"

namespace animbox {

namespace {

const QString kSection = QStringLiteral("recent");

QString key(int index)
{
    return QStringLiteral("file%1").arg(index + 1);
}

} // namespace

QStringList RecentFiles::files() const
{
    QStringList files;
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = m_settings.IniRead(kSection, key(i), QString());
        if (!path.isEmpty())
            files.append(path);
    }
    return files;
}

void RecentFiles::add(const QString& path) const
{
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    for (int i = 0; i < kMaxFiles; ++i)
        m_settings.IniWrite(kSection, key(i), list.value(i));
}

} // namespace animbox
