// The image browser and the frame list of the classic main window: what a
// click in them shows, the list's own commands, stepping and playing
// through its rows, and the files its names stand for.

#include "classic/window/Form1.h"

#include "classic/canvas/Playback.h"
#include "browser/DirList.h"
#include "browser/DriveList.h"
#include "browser/FileList.h"
#include "model/files/FileLookup.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

namespace classic {

void Form1::onDriveChanged(const QString& drive)
{
    if (m_ui.Dir1->setPath(drive))
        return;
    message(tr("The drive %1 is not ready.").arg(drive));
    const QSignalBlocker blocker(m_ui.Drive1);
    m_ui.Drive1->setDrive(m_ui.Dir1->path());
}

void Form1::onFolderChanged(const QString& folder)
{
    m_ui.File1->setPath(folder);
    m_currentFolder = m_ui.File1->path();
}

void Form1::onFileClicked(const QString& name)
{
    const QImage image = loadImage(framePath(name));
    if (image.isNull())
        return;
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Body, false);
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Attack, false);
    m_ui.PicBuffer->setPixmap(QPixmap::fromImage(image));
    // The preview never reaches over the controls beside the canvas.
    m_ui.PicBuffer->resize(image.size().boundedTo(m_ui.PicEdit->size()));
    m_ui.PicBuffer->show();
    m_ui.PicEdit->hide();
}

std::optional<int> Form1::onFrameSelected()
{
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Body, false);
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Attack, false);
    m_ui.PicEdit->show();
    m_ui.PicBuffer->hide();
    return showFrame(false);
}

// Selects a row as a click would, also when it is selected already.
void Form1::selectRow(int row)
{
    {
        const QSignalBlocker blocker(m_ui.List1);
        m_ui.List1->setCurrentRow(row);
    }
    onFrameSelected();
}

void Form1::moveEntry(int step)
{
    QListWidget* list = m_ui.List1;
    const int row = list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count())
        return;
    {
        const QSignalBlocker blocker(list);
        list->insertItem(target, list->takeItem(row));
    }
    selectRow(target);
}

void Form1::removeEntry()
{
    QListWidget* list = m_ui.List1;
    const int row = list->currentRow();
    if (row < 0)
        return;
    const QSignalBlocker blocker(list);
    delete list->takeItem(row);
    list->setCurrentRow(-1);
}

void Form1::clearEntries()
{
    const QSignalBlocker blocker(m_ui.List1);
    m_ui.List1->clear();
}

void Form1::step(int direction)
{
    const int row = m_ui.List1->currentRow();
    if (direction < 0 && row > 0)
        selectRow(row - 1);
    else if (direction > 0 && row < m_ui.List1->count() - 1)
        selectRow(row + 1);
}

void Form1::togglePlayback(int runs)
{
    if (m_playback->isPlaying()) {
        m_playback->stop();
        return;
    }
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Body, false);
    m_ui.PicEdit->setShapeVisible(Canvas::Shape::Attack, false);
    m_playback->start(runs);
}

// Selects the row as a click does, then draws its frame again for playback.
// A frame that cannot be shown ends playback after its one message.
std::optional<int> Form1::playRow(int row)
{
    {
        const QSignalBlocker blocker(m_ui.List1);
        m_ui.List1->setCurrentRow(row);
    }
    return onFrameSelected() ? showFrame(true) : std::nullopt;
}

QString Form1::selectedName() const
{
    const QListWidgetItem* item = m_ui.List1->currentItem();
    return item ? item->text() : QString();
}

QString Form1::framePath(const QString& name) const
{
    // Names in the list and in scripts often differ from the files in letter case.
    const QString found = model::findFileIgnoringCase(m_currentFolder, name);
    return QDir::toNativeSeparators(found.isEmpty() ? model::joinPath(m_currentFolder, name) : found);
}

QImage Form1::loadImage(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        message(tr("File %1 does not exist.").arg(path));
        return {};
    }
    const QImage image(path);
    if (image.isNull())
        message(tr("File %1 is not an image that can be loaded.").arg(path));
    return image;
}

} // namespace classic
