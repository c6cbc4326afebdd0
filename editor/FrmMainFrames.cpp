// The frame-list commands of the main window: add, add all, delete, move
// up, move down, clear, and what a row selection shows.

#include "editor/FrmMain.h"

#include "editor/BrowserPanel.h"
#include "editor/DisplayGroup.h"
#include "editor/ImageLoading.h"
#include "editor/Messages.h"
#include "browser/FileList.h"
#include "model/BrowserRules.h"
#include "model/FileLookup.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace animbox {

void FrmMain::cmdAddFrame_Click()
{
    const QString name = m_browser->File1()->fileName();
    if (name.isEmpty())
        return;
    appendRows({name});
    // A frame that cannot be made takes its row with it: rows and records stay in step.
    if (!AddFrameRecord())
        removeLastRows(1);
}

bool FrmMain::AddFrameRecord()
{
    const QString folder = browserFolder();
    if (!model::isDataFolder(folder)) {
        showMessage(this, msg::noDataFolderAdd);
        return false;
    }
    const int n = m_animation.rowCount() - 1;
    const QString path = model::findFileIgnoringCase(folder, m_animation.rows[n]);
    if (path.isEmpty()) {
        showMessage(this, msg::fileMissing + model::joinPath(folder, m_animation.rows[n]));
        return false;
    }
    QString error;
    const QImage image = loadImage(path, &error);
    if (image.isNull()) {
        showMessage(this, error);
        return false;
    }
    if (image.width() > 32767 || image.height() > 32767) {
        showMessage(this, msg::imageTooLarge + path);
        return false;
    }
    m_animation.resizeFrames(n + 1);
    model::FrameRecord& record = m_animation.frames[n];
    record.picture = image;
    record.imageWidth = qint16(image.width());
    record.imageHeight = qint16(image.height());
    record.offsetX = qint16(record.imageWidth / 2);
    record.offsetY = qint16(record.imageHeight - 2);
    return true;
}

void FrmMain::Command5_Click()
{
    const QStringList names = m_browser->File1()->fileNames();
    appendRows(names);
    if (RunSchemeDialog() != SchemeResult::Applied)
        removeLastRows(int(names.size()));
}

void FrmMain::Command4_Click()
{
    if (!HasFrames())
        return;
    if (m_animation.rowCount() == 1) {
        showMessage(this, msg::cannotDelete);
        return;
    }
    const int row = selectedRow();
    if (row < 0)
        return;
    m_animation.removeFrame(row);
    {
        const QSignalBlocker blocker(List1());
        delete List1()->takeItem(row);
    }
    selectRow(qMin(row, m_animation.rowCount() - 1));
}

void FrmMain::Command7_Click()
{
    const int row = selectedRow();
    if (row <= 0)
        return;
    m_animation.swapFrames(row, row - 1);
    showRows();
    selectRow(row - 1);
}

void FrmMain::Command10_Click()
{
    const int row = selectedRow();
    if (row < 0 || row >= m_animation.rowCount() - 1)
        return;
    m_animation.swapFrames(row, row + 1);
    showRows();
    selectRow(row + 1);
}

void FrmMain::Command6_Click()
{
    if (!HasFrames())
        return;
    m_animation.clear();
    const QSignalBlocker blocker(List1());
    List1()->clear();
}

void FrmMain::List1_Click()
{
    const int row = selectedRow();
    DrawFrame(row, true);
    ShowAttackBoxes(row);
    ShowBodyBoxes(row);
    LoadDelayText(row);
}

void FrmMain::File1_Click(const QString& name)
{
    QString error;
    const QImage image = loadImage(model::joinPath(browserFolder(), name), &error);
    if (image.isNull()) {
        showMessage(this, error);
        return;
    }
    m_display->Image1()->setPixmap(QPixmap::fromImage(image));
}

void FrmMain::appendRows(const QStringList& names)
{
    m_animation.rows.append(names);
    const QSignalBlocker blocker(List1());
    List1()->addItems(names);
}

void FrmMain::removeLastRows(int count)
{
    const int keep = qMax(0, m_animation.rowCount() - count);
    const bool selectionGone = selectedRow() >= keep;
    m_animation.rows.resize(keep);
    const QSignalBlocker blocker(List1());
    while (List1()->count() > keep)
        delete List1()->takeItem(List1()->count() - 1);
    if (selectionGone)
        List1()->setCurrentRow(-1);
}

// Sets the selection and always runs the selection handling, also when the
// row number stays the same but now names another frame.
void FrmMain::selectRow(int row)
{
    {
        const QSignalBlocker blocker(List1());
        List1()->setCurrentRow(row);
    }
    List1_Click();
}

// Rewrites the row texts from the model after a reorder.
void FrmMain::showRows()
{
    const QSignalBlocker blocker(List1());
    for (int i = 0; i < m_animation.rowCount() && i < List1()->count(); ++i)
        List1()->item(i)->setText(m_animation.rows[i]);
}

} // namespace animbox
