#include "model/FileLookup.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace model {

namespace {

bool isSafePart(const QString& part)
{
    // A NUL cannot stand in a file name; the file system calls would cut the name there.
    return !part.contains(u':') && !part.contains(QChar(0));
}

// The parts of a relative path with "." dropped and ".." taking back the
// part before it; nothing when the path is empty or would leave its folder.
std::optional<QStringList> cleanParts(QString relative)
{
    relative.replace(u'\\', u'/');
    QStringList parts;
    for (const QString& part : relative.split(u'/', Qt::SkipEmptyParts)) {
        if (!isSafePart(part))
            return std::nullopt;
        if (part == u".")
            continue;
        if (part != u"..")
            parts.append(part);
        else if (parts.isEmpty())
            return std::nullopt;
        else
            parts.removeLast();
    }
    if (parts.isEmpty())
        return std::nullopt;
    return parts;
}

} // namespace

FileLookup::FileLookup(QString base)
    : m_base(std::move(base))
{
}

QString FileLookup::find(const QString& relative)
{
    const std::optional<QStringList> parts = cleanParts(relative);
    if (!parts)
        return {};
    const QString exact = joinPath(m_base, parts->join(u'/'));
    if (QFileInfo(exact).isFile())
        return exact;
    const QString folder = folderFor(parts->mid(0, parts->size() - 1));
    if (folder.isEmpty())
        return {};
    const QString entry = entryIn(folder, parts->last());
    if (entry.isEmpty())
        return {};
    const QString path = joinPath(folder, entry);
    return QFileInfo(path).isFile() ? path : QString();
}

// The real folder reached by `parts` below the base; empty when there is none.
QString FileLookup::folderFor(const QStringList& parts)
{
    if (parts.isEmpty())
        return m_base;
    const QString key = parts.join(u'/');
    const auto known = m_folders.constFind(key);
    if (known != m_folders.cend())
        return *known;
    QString folder = folderFor(parts.mid(0, parts.size() - 1));
    if (!folder.isEmpty()) {
        const QString entry = entryIn(folder, parts.last());
        folder = entry.isEmpty() ? QString() : joinPath(folder, entry);
    }
    m_folders.insert(key, folder);
    return folder;
}

// The entry of `folder` named `name`, else the one whose name equals it
// ignoring case; empty when there is neither.
QString FileLookup::entryIn(const QString& folder, const QString& name)
{
    const Listing& entries = listing(folder);
    if (entries.names.contains(name))
        return name;
    return entries.byFoldedName.value(name.toCaseFolded());
}

const FileLookup::Listing& FileLookup::listing(const QString& folder)
{
    auto it = m_listings.find(folder);
    if (it != m_listings.end())
        return *it;
    Listing entries;
    const QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    entries.names = QSet<QString>(names.begin(), names.end());
    for (const QString& name : names) {
        // Of names that differ only in case, the first in code-point order wins, whatever the
        // order in which the file system lists them.
        QString& kept = entries.byFoldedName[name.toCaseFolded()];
        if (kept.isEmpty() || name < kept)
            kept = name;
    }
    return *m_listings.insert(folder, std::move(entries));
}

QString findFileIgnoringCase(const QString& base, const QString& relative)
{
    return FileLookup(base).find(relative);
}

QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

} // namespace model
