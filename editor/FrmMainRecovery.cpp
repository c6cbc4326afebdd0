// The main window's other ways in: the recovery file that keeps unsaved
// work over a crash, files dropped on the window and files named on the
// command line.

#include "editor/FrmMain.h"

#include "editor/BrowserPanel.h"
#include "editor/FrameListCommands.h"
#include "editor/ImageLoading.h"
#include "editor/Messages.h"
#include "editor/ReplacementStep.h"
#include "model/BrowserRules.h"
#include "model/FileLookup.h"
#include "model/FileReplacement.h"
#include "model/RecordsJson.h"
#include "model/RecoveryKeeper.h"
#include "model/ScriptReader.h"
#include "model/ScriptWriter.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

#include <map>

namespace animbox {

void FrmMain::keepRecovery(const QString& dataFolder)
{
    m_recovery = std::make_unique<model::RecoveryKeeper>(dataFolder, [this] { return recoveryData(); });
    const auto changed = [this] { m_recovery->workChanged(!m_document->undoStack()->isClean()); };
    connect(m_document->undoStack(), &QUndoStack::indexChanged, m_recovery.get(), changed);
    connect(m_document->undoStack(), &QUndoStack::cleanChanged, m_recovery.get(), changed);
}

// The work as it is: every record with its folder and its lines in the
// file (not the script text, which depends on the browser's folder and
// cannot state everything), and what the file link knows.
model::RecoveryData FrmMain::recoveryData() const
{
    model::RecoveryData data;
    data.browserFolder = browserFolder();
    data.gameFolder = model::gameFolderOf(data.browserFolder);
    data.file = m_link.path();
    data.animName = m_link.isOpen() ? m_link.animName() : animation().animName;
    data.rows = animation().rows;
    data.state.insert(QStringLiteral("animation"), model::animationToJson(animation()));
    if (m_link.isOpen())
        data.state.insert(QStringLiteral("link"), m_link.toJson());
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
        return (!data.text.isEmpty() || data.state.contains(QStringLiteral("animation")))
            && askYesNo(this, tr("上次退出时有未保存的动画%1, %2 帧. 是否恢复?").arg(source).arg(data.rows.size()), true);
    };
    const std::optional<model::RecoveryData> data
        = m_recovery->adoptLeftOver(accept, [this](const QString& error) { showMessage(this, error); });
    if (!data)
        return;
    if (data->state.contains(QStringLiteral("animation")))
        restoreRecords(*data);
    else
        restoreText(*data);
}

// Puts the kept records back, their images read again from their folders,
// and the file link as it was, once the file is found to hold the block it
// was opened from. The restored animation stays unsaved, so it is kept
// again until the author saves it.
void FrmMain::restoreRecords(const model::RecoveryData& data)
{
    std::optional<model::Animation> restored
        = model::animationFromJson(data.state.value(QStringLiteral("animation")).toObject());
    if (!restored) {
        showMessage(this, tr("恢复文件中的动画已损坏, 无法恢复."));
        return;
    }
    const QStringList missing = loadRecordImages(*restored);
    m_link = restoredLink(data.state.value(QStringLiteral("link")).toObject());
    {
        const ReplacementStep step(*m_document, tr("恢复动画"));
        animation() = *restored;
        m_document->dropSelection();
    }
    if (QFileInfo(data.browserFolder).isDir() && QDir(data.browserFolder) != QDir(browserFolder()))
        m_browser->showFolder(data.browserFolder);
    updateTitle();
    if (!missing.isEmpty())
        showMessage(this, tr("这些帧的图片找不到或无法读取, 帧已恢复但不显示图片:\n") + missing.join(u'\n'));
}

// Reads each row's image from its record's folder; the frames whose image
// is missing or unreadable are named in the result and keep no image.
QStringList FrmMain::loadRecordImages(model::Animation& animation) const
{
    QStringList missing;
    std::map<QString, model::FileLookup> lookups;
    for (int i = 0; i < animation.rowCount(); ++i) {
        model::FrameRecord& record = animation.frames[i];
        const QString path = lookups.try_emplace(record.folder, record.folder).first->second.find(animation.rows[i]);
        QString error;
        record.picture = path.isEmpty() ? QImage() : loadImage(path, &error);
        if (record.picture.isNull())
            missing.append(QDir::toNativeSeparators(model::joinPath(record.folder, animation.rows[i])));
    }
    return missing;
}

// The file link kept in a recovery file, when the file it names still holds
// the block that was opened (or is gone, which a save then says); else no
// link, so that a save asks where to write.
CharacterFileLink FrmMain::restoredLink(const QJsonObject& json)
{
    if (json.isEmpty())
        return {};
    const QString path = json.value(QStringLiteral("path")).toString();
    QByteArray bytes;
    QString error;
    if (QFileInfo::exists(path))
        bytes = model::readWholeFile(path, &error);
    std::optional<CharacterFileLink> link = CharacterFileLink::fromJson(json, bytes);
    if (link && (!QFileInfo::exists(path)
                 || (error.isEmpty()
                     && link->block().locate(model::CharacterScript(bytes, link->block().encoding()),
                                             link->isUnchanged(bytes)))))
        return *link;
    showMessage(this, tr("文件 %1 中已找不到原来的动画 %2; 保存恢复的动画时请选择位置.")
                          .arg(QDir::toNativeSeparators(path), json.value(QStringLiteral("block")).toObject().value(QStringLiteral("name")).toString()));
    return {};
}

// Work kept by an earlier version as script text: read back as
// "从文本生成帧" would, linked to its file only when the file holds an
// animation of that name.
void FrmMain::restoreText(const model::RecoveryData& data)
{
    const model::ReadResult result = model::readScript(
        data.text, data.gameFolder, [](const QString& image, QString* failure) { return loadImage(image, failure); });
    showReadAnimation(result, data.animName, tr("恢复动画"));
    m_link = {};
    if (!data.file.isEmpty()) {
        QString error;
        const QByteArray bytes = model::readWholeFile(data.file, &error);
        const model::CharacterScript script(bytes);
        if (const model::AnimBlock* block = script.find(data.animName); block && error.isEmpty())
            m_link = CharacterFileLink(data.file, bytes, model::OpenedBlock(script, *block), false);
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
