#include "browser/DriveList.h"

#include <QDir>
#include <QFileInfo>

namespace browser {

namespace {

Qt::CaseSensitivity pathCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

} // namespace

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent)
{
    refresh();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::onIndexChanged);
}

QString DriveList::drive() const
{
    return currentText();
}

void DriveList::refresh()
{
    const QString current = currentText();
    const QSignalBlocker blocker(this);
    clear();
    for (const QFileInfo& root : QDir::drives())
        addItem(QDir::toNativeSeparators(root.absoluteFilePath()));
    if (!setDrive(current))
        setCurrentIndex(0);
}

QString DriveList::rootOf(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString best;
    for (const QFileInfo& root : QDir::drives()) {
        const QString rootPath = QDir::cleanPath(root.absoluteFilePath());
        const QString prefix = rootPath.endsWith(u'/') ? rootPath : rootPath + u'/';
        const bool holds = absolute.compare(rootPath, pathCase()) == 0
            || absolute.startsWith(prefix, pathCase());
        if (holds && rootPath.size() > best.size())
            best = rootPath;
    }
    return QDir::toNativeSeparators(best);
}

bool DriveList::setDrive(const QString& drive)
{
    const QString root = rootOf(drive);
    if (root.isEmpty())
        return false;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(root, pathCase()) == 0) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void DriveList::onIndexChanged(int index)
{
    if (index >= 0)
        emit driveChanged(itemText(index));
}

} // namespace browser
