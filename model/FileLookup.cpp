#include "model/FileLookup.h"

#include <QDir>
#include <QFileInfo>

namespace model {

namespace {

bool isSafePart(const QString& part)
{
    // A NUL cannot stand in a file name; the file system calls would cut the name there.
    return part != u"." && part != u".." && !part.contains(u':') && !part.contains(QChar(0));
}

// The entry of `folder` whose name equals `part` ignoring case, or empty.
QString matchEntry(const QString& folder, const QString& part)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                       | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(part, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

} // namespace

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

QString findFileIgnoringCase(const QString& base, const QString& relative)
{
    QString normalised = relative;
    normalised.replace(u'\\', u'/');
    const QStringList parts = normalised.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (const QString& part : parts)
        if (!isSafePart(part))
            return {};

    const QString exact = joinPath(base, parts.join(u'/'));
    if (QFileInfo(exact).isFile())
        return exact;

    QString path = base;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString next = joinPath(path, parts[i]);
        if (!QFileInfo::exists(next)) {
            const QString entry = matchEntry(path, parts[i]);
            if (entry.isEmpty())
                return {};
            next = joinPath(path, entry);
        }
        path = next;
    }
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace model
