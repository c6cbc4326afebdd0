#include "browser/DirList.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace browser {

namespace {

constexpr int kPathRole = Qt::UserRole;

// The folders from the root down to `path`, each as a full clean path.
QStringList ancestorsOf(const QString& path)
{
    QStringList chain;
    QDir dir(path);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString labelOf(const QString& folder)
{
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(folder) : name;
}

} // namespace

DirList::DirList(QWidget* parent)
    : QListWidget(parent)
    , m_path(QDir::currentPath())
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemActivated, this, &DirList::onActivated);
    fill();
}

QString DirList::path() const
{
    return QDir::toNativeSeparators(m_path);
}

bool DirList::setPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable() || !QDir(info.absoluteFilePath()).isReadable())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == m_path)
        return true;
    m_path = clean;
    fill();
    emit pathChanged(this->path());
    return true;
}

void DirList::refresh()
{
    fill();
}

void DirList::fill()
{
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    clear();
    const QStringList chain = ancestorsOf(m_path);
    QListWidgetItem* current = nullptr;
    for (int depth = 0; depth < chain.size(); ++depth) {
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, u' ') + labelOf(chain[depth]), this);
        item->setData(kPathRole, chain[depth]);
        current = item;
    }
    const QString indent(int(chain.size()) * 2, u' ');
    const QFileInfoList children = QDir(m_path).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& child : children) {
        auto* item = new QListWidgetItem(folderIcon, indent + child.fileName(), this);
        item->setData(kPathRole, QDir::cleanPath(child.absoluteFilePath()));
    }
    setCurrentItem(current);
}

void DirList::onActivated(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString folder = item->data(kPathRole).toString();
    if (!setPath(folder))
        emit pathRefused(QDir::toNativeSeparators(folder));
}

} // namespace browser
