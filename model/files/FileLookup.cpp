#include "model/files/FileLookup.h"

#include <QDir>
#include <QDirIterator>

#include <optional>

namespace model {

namespace {

bool isSafePart(const QString& part)
{
    // A NUL cannot stand in a file name; the file system calls would cut the name there.
    return !part.contains(u':') && !part.contains(QChar(0));
}

// The parts of a relative path with "." dropped and ".." taking back the
// part before it (none for the folder itself); nothing when the path would
// leave its folder or holds a part that cannot name a file.
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
    return parts;
}

} // namespace

FileLookup::FileLookup(QString base)
    : m_base(std::move(base))
{
}

QString FileLookup::find(const QString& relative)
{
    QString path = relative;
    path.replace(u'\\', u'/');
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || name == u"." || name == u".." || !isSafePart(name))
        return {};
    // Frames of one folder share its spelling: the folder is found once.
    const QString spelling = slash < 0 ? QString() : path.left(slash);
    auto folder = m_folderBySpelling.constFind(spelling);
    if (folder == m_folderBySpelling.cend()) {
        const std::optional<QStringList> parts = cleanParts(spelling);
        folder = m_folderBySpelling.insert(spelling, parts ? folderFor(*parts) : QString());
    }
    if (folder->isEmpty())
        return {};
    // The folder's listing says which entries are files: no file is asked
    // about one by one, which a reading of thousands of frames would feel.
    const Listing& entries = listing(*folder);
    const QString file = entries.files.contains(name) ? name : entries.fileByFoldedName.value(name.toCaseFolded());
    return file.isEmpty() ? QString() : joinPath(*folder, file);
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
    if (const auto known = m_listings.constFind(folder); known != m_listings.cend())
        return *known;
    Listing entries;
    // Of names that differ only in case, the first in code-point order wins,
    // whatever the order in which the file system lists them.
    const auto keep = [](QHash<QString, QString>& byFolded, const QString& name) {
        QString& kept = byFolded[name.toCaseFolded()];
        if (kept.isEmpty() || name < kept)
            kept = name;
    };
    // The type of an entry comes with the listing where the file system
    // gives it, so that telling files from folders asks nothing more.
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        entries.names.insert(name);
        keep(entries.byFoldedName, name);
        if (it.fileInfo().isFile()) {
            entries.files.insert(name);
            keep(entries.fileByFoldedName, name);
        }
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
