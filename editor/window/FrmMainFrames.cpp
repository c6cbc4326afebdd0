// The frame-list commands of the main window: add, add all, delete, move
// up, move down and clear, each one undo step, and the row selection.

#include "editor/window/FrmMain.h"

#include "editor/document/FrameListCommands.h"
#include "editor/document/ReplacementStep.h"
#include "editor/images/ImageLoading.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/window/Messages.h"
#include "browser/FileList.h"
#include "model/files/BrowserRules.h"
#include "model/files/FileLookup.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace animbox {

void FrmMain::cmdAddFrame_Click()
{
    const QString name = m_browser->File1()->fileName();
    if (name.isEmpty())
        return;
    // A frame that cannot be made adds no row: rows and records stay in step.
    if (const std::optional<model::FrameRecord> record = AddFrameRecord(name))
        m_document->push(new AddFrameCommand(*m_document, name, *record));
}

// The record for a row `name` appended after the last one: its image, size
// and anchor over the spare record the reader left, or over a fresh one.
std::optional<model::FrameRecord> FrmMain::AddFrameRecord(const QString& name)
{
    const QString folder = browserFolder();
    if (!model::isDataFolder(folder)) {
        showMessage(this, msg::noDataFolderAdd());
        return std::nullopt;
    }
    const QString path = model::findFileIgnoringCase(folder, name);
    if (path.isEmpty()) {
        showMessage(this, msg::fileMissing() + model::joinPath(folder, name));
        return std::nullopt;
    }
    QString error;
    const QImage image = loadImage(path, &error);
    if (image.isNull()) {
        showMessage(this, error);
        return std::nullopt;
    }
    if (image.width() > 32767 || image.height() > 32767) {
        showMessage(this, msg::imageTooLarge() + path);
        return std::nullopt;
    }
    model::FrameRecord record = animation().frames.value(animation().rowCount());
    record.folder = QFileInfo(path).absolutePath();
    record.sourceId = 0;
    record.picture = image;
    record.imageWidth = qint16(image.width());
    record.imageHeight = qint16(image.height());
    record.offsetX = qint16(record.imageWidth / 2);
    record.offsetY = qint16(record.imageHeight - 2);
    return record;
}

// The rows appear at once; the scheme dialog decides whether they stay, and
// the whole command is one step.
void FrmMain::Command5_Click()
{
    const ReplacementStep step(*m_document, tr("加入全部帧"));
    const QStringList names = m_browser->File1()->fileNames();
    appendRows(names);
    if (RunSchemeDialog() != SchemeResult::Applied)
        removeLastRows(int(names.size()));
}

void FrmMain::Command4_Click()
{
    if (!HasFrames())
        return;
    if (animation().rowCount() == 1) {
        showMessage(this, msg::cannotDelete());
        return;
    }
    const int row = selectedRow();
    if (row < 0)
        return;
    m_document->push(new DeleteFrameCommand(*m_document, row));
}

void FrmMain::Command7_Click()
{
    const int row = selectedRow();
    if (row <= 0)
        return;
    m_document->push(new SwapFramesCommand(*m_document, tr("上移"), row, row - 1));
}

void FrmMain::Command10_Click()
{
    const int row = selectedRow();
    if (row < 0 || row >= animation().rowCount() - 1)
        return;
    m_document->push(new SwapFramesCommand(*m_document, tr("下移"), row, row + 1));
}

// The canvas keeps showing the last picture.
void FrmMain::Command6_Click()
{
    if (!HasFrames())
        return;
    const ReplacementStep step(*m_document, tr("清空"));
    animation().clear();
    m_document->dropSelection();
}

void FrmMain::List1_Click()
{
    m_document->select(highlightedRow());
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
    animation().rows.append(names);
    m_document->rowsEdited();
}

void FrmMain::removeLastRows(int count)
{
    const int keep = qMax(0, animation().rowCount() - count);
    animation().rows.resize(keep);
    m_document->rowsEdited();
    if (selectedRow() >= keep)
        m_document->dropSelection();
}

} // namespace animbox
