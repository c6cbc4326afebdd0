// The main window's other ways in: the recovery file that keeps unsaved
// work over a crash, files dropped on the window and files named on the
// command line.

#include "editor/FrmMain.h"

#include "editor/BrowserPanel.h"
#include "editor/FrameListCommands.h"
#include "editor/ImageLoading.h"
#include "editor/Messages.h"
#include "model/BrowserRules.h"
#include "model/FileReplacement.h"
#include "model/RecoveryKeeper.h"
#include "model/ScriptReader.h"
#include "model/ScriptWriter.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace animbox {

void FrmMain::keepRecovery(const QString& dataFolder)
{
    m_recovery = std::make_unique<model::RecoveryKeeper>(dataFolder, [this] { return recoveryData(); });
    const auto changed = [this] { m_recovery->workChanged(!m_document->undoStack()->isClean()); };
    connect(m_document->undoStack(), &QUndoStack::indexChanged, m_recovery.get(), changed);
    connect(m_document->undoStack(), &QUndoStack::cleanChanged, m_recovery.get(), changed);
}

model::RecoveryData FrmMain::recoveryData() const
{
    model::RecoveryData data;
    const QString folder = browserFolder();
    const model::WriteResult written = model::writeScript(animation(), folder);
    if (written.ok())
        data.text = written.text;
    data.gameFolder = model::gameFolderOf(folder);
    data.browserFolder = folder;
    data.file = m_link.path();
    data.animName = m_link.isOpen() ? m_link.animName() : animation().animName;
    data.rows = animation().rows;
    return data;
}

void FrmMain::offerRecovery()
{
    if (!m_recovery)
        return;
    const auto accept = [this](const model::RecoveryData& data) {
        const QString source = data.file.isEmpty()
            ? QString()
            : QStringLiteral(" (%1: %2)").arg(QDir::toNativeSeparators(data.file), data.animName);
        return !data.text.isEmpty()
            && askYesNo(this, tr("上次退出时有未保存的动画%1, %2 帧. 是否恢复?").arg(source).arg(data.rows.size()), true);
    };
    const std::optional<model::RecoveryData> data
        = m_recovery->adoptLeftOver(accept, [this](const QString& error) { showMessage(this, error); });
    if (data)
        restoreRecovery(*data);
}

// Reads the kept text back as "从文本生成帧" would; the restored animation
// stays unsaved, so it is kept again until the author saves it.
void FrmMain::restoreRecovery(const model::RecoveryData& data)
{
    const model::ReadResult result = model::readScript(
        data.text, data.gameFolder, [](const QString& image, QString* failure) { return loadImage(image, failure); });
    showReadAnimation(result, data.animName, tr("恢复动画"));
    if (!data.file.isEmpty()) {
        QString error;
        const QByteArray bytes = model::readWholeFile(data.file, &error);
        const model::CharacterScript script(bytes);
        const model::AnimBlock* block = script.find(data.animName);
        m_link = CharacterFileLink(data.file, bytes, block ? model::OpenedBlock(script, *block) : model::OpenedBlock(),
                                   result.finished);
    }
    updateTitle();
    if (!result.finished)
        showMessage(this, result.message);
}

void FrmMain::openArguments(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return;
    if (arguments.size() <= 2 && arguments[0].endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        openCharacterFile(arguments[0], arguments.value(1));
    else
        openFiles(arguments);
}

// One .txt file opens; .gif files in the browser folder (or any folder while
// the list is empty) become frames; everything else is refused by name.
void FrmMain::openFiles(const QStringList& paths)
{
    if (paths.size() == 1 && paths[0].endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        openCharacterFile(paths[0]);
        return;
    }
    const auto isGif = [](const QFileInfo& info) {
        return info.isFile() && info.suffix().compare(u"gif", Qt::CaseInsensitive) == 0;
    };
    QStringList gifs;
    QStringList refused;
    for (const QString& path : paths)
        (isGif(QFileInfo(path)) ? gifs : refused).append(path);
    // An empty list follows the first image to its folder, as choosing that
    // folder in the browser would.
    if (!animation().hasFrames() && !gifs.isEmpty())
        m_browser->showFolder(QFileInfo(gifs[0]).absolutePath());
    bool started = false;
    for (const QString& path : std::as_const(gifs)) {
        const QFileInfo info(path);
        if (QDir(info.absolutePath()) != QDir(browserFolder())) {
            refused.append(path);
            continue;
        }
        const std::optional<model::FrameRecord> record = AddFrameRecord(info.fileName());
        if (!record)
            continue;
        // All frames of one drop are one step.
        if (!started)
            m_document->undoStack()->beginMacro(tr("加入帧"));
        started = true;
        m_document->push(new AddFrameCommand(*m_document, info.fileName(), *record));
    }
    if (started)
        m_document->undoStack()->endMacro();
    for (QString& path : refused)
        path = QDir::toNativeSeparators(path);
    if (!refused.isEmpty())
        showMessage(this, tr("这些文件不能打开或加入为帧 (只能打开 .txt 文件, 或加入当前文件夹中的 .gif 文件):\n")
                              + refused.join(u'\n'));
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
    event->acceptProposedAction();
    openFiles(paths);
}

} // namespace animbox
