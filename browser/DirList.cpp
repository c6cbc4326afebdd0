#include "browser/DirList.h"

#include "browser/NameItemDelegate.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

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

// A 16 x 16 folder drawn at run time: the style's folder icons come from the
// icon theme and image plugins, whose loading slowed every start by several
// milliseconds. An open folder shows its front flap tilted.
QIcon folderIcon(bool open)
{
    QPixmap folder(16, 16);
    folder.fill(Qt::transparent);
    QPainter painter(&folder);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(150, 110, 30));
    painter.setBrush(QColor(222, 178, 80));
    painter.drawPolygon(QPolygonF{QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(14.5, 5),
                                  QPointF(14.5, 13.5), QPointF(1.5, 13.5)});
    painter.setBrush(QColor(245, 208, 118));
    if (open)
        painter.drawPolygon(QPolygonF{QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
    else
        painter.drawRect(QRectF(1.5, 6.5, 13, 7));
    return QIcon(folder);
}

} // namespace

DirList::DirList(QWidget* parent)
    : QListWidget(parent)
    , m_path(QDir::currentPath())
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new NameItemDelegate(this));
    setIconSize(QSize(16, 16));
    connect(this, &QListWidget::itemActivated, this, &DirList::onActivated);
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
    if (clean == m_path) {
        if (!m_listed)
            fill();
        return true;
    }
    m_path = clean;
    fill();
    emit pathChanged(this->path());
    return true;
}

void DirList::refresh()
{
    fill();
}

void DirList::showEvent(QShowEvent* event)
{
    if (!m_listed)
        fill();
    QListWidget::showEvent(event);
}

void DirList::fill()
{
    m_listed = true;
    const QIcon closedIcon = folderIcon(false);
    const QIcon openIcon = folderIcon(true);
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
        auto* item = new QListWidgetItem(closedIcon, indent + child.fileName(), this);
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
