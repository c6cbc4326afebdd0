#include "browser/FileList.h"

#include "browser/NameItemDelegate.h"
#include "model/files/BrowserRules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace browser {

FileList::FileList(QWidget* parent)
    : QListWidget(parent)
    , m_path(QDir::currentPath())
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new NameItemDelegate(this));
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit fileActivated(item->text()); });
}

QString FileList::path() const
{
    return QDir::toNativeSeparators(m_path);
}

bool FileList::setPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !QDir(info.absoluteFilePath()).isReadable())
        return false;
    m_path = QDir::cleanPath(info.absoluteFilePath());
    fill();
    return true;
}

QString FileList::pattern() const
{
    return m_pattern;
}

bool FileList::setPattern(const QString& pattern)
{
    const QStringList parts = model::splitPatterns(pattern);
    const bool usable = !parts.isEmpty() && std::none_of(parts.begin(), parts.end(), [](const QString& p) {
        return p.contains(u'/') || p.contains(u'\\') || p.contains(QChar(0));
    });
    if (!usable)
        return false;
    m_pattern = pattern;
    m_patterns = parts;
    // A list not read yet reads its folder with this pattern when it is.
    if (m_listed)
        fill();
    return true;
}

QString FileList::fileName() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QStringList FileList::fileNames() const
{
    QStringList names;
    names.reserve(count());
    for (int i = 0; i < count(); ++i)
        names.append(item(i)->text());
    return names;
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    // Moving through the files with the keyboard previews each one, as a click does.
    const QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before)
        emit fileClicked(currentItem()->text());
}

void FileList::refresh()
{
    fill();
}

void FileList::showEvent(QShowEvent* event)
{
    if (!m_listed)
        fill();
    QListWidget::showEvent(event);
}

void FileList::fill()
{
    m_listed = true;
    // Hidden and system files are left out because QDir::Hidden/System are not asked for.
    QStringList names = QDir(m_path).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [this](const QString& name) {
                                   return std::none_of(m_patterns.begin(), m_patterns.end(),
                                                       [&name](const QString& p) {
                                                           return model::matchesPattern(name, p);
                                                       });
                               }),
                names.end());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int byCase = a.compare(b, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a < b;
    });
    clear();
    addItems(names);
}

} // namespace browser
