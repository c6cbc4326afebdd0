#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace model {

// Finds frame image files below one folder the way the script reader does:
// each part of the path is the entry of that exact name, else the entry whose
// name equals it without regard to letter case, as on a file system that
// ignores case. Every step
// that opens a frame's image goes through it. It remembers what it learnt
// (each folder's listing, each folder found), so one object serves one
// reading or one command and lists each folder at most once; a new object
// sees files added meanwhile.
class FileLookup {
public:
    explicit FileLookup(QString base);

    const QString& base() const { return m_base; }

    // The real path on disk of the file `relative` (parts separated by "/"
    // or "\"), or an empty text when there is no such file. A ".." part
    // takes back the part before it and a leading separator is ignored, so
    // the path stays below the base folder: one that would leave it, and a
    // part with ":" (a drive) or NUL, find nothing.
    QString find(const QString& relative);

private:
    // A folder's entries, and its files among them: the names as they are,
    // and by case-folded name.
    struct Listing {
        QSet<QString> names;
        QHash<QString, QString> byFoldedName;
        QSet<QString> files;
        QHash<QString, QString> fileByFoldedName;
    };

    QString folderFor(const QStringList& parts);
    QString entryIn(const QString& folder, const QString& name);
    const Listing& listing(const QString& folder);

    QString m_base;
    QHash<QString, QString> m_folders; // folder parts as written -> real folder, empty when missing
    QHash<QString, QString> m_folderBySpelling; // a path's folder as written -> real folder, or empty
    QHash<QString, Listing> m_listings;
};

// One lookup on its own, for a step that opens a single file.
QString findFileIgnoringCase(const QString& base, const QString& relative);

// Joins a folder and a file name with the platform's separator.
QString joinPath(const QString& folder, const QString& name);

} // namespace model
