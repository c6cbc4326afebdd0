// The main window's other ways in: the recovery file that keeps unsaved
// work over a crash, files dropped on the window and files named on the
// command line.

#include "editor/window/FrmMain.h"

#include "editor/character/CharacterSession.h"
#include "editor/document/FrameListCommands.h"
#include "editor/document/ReplacementStep.h"
#include "editor/images/ImageLoading.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/window/Messages.h"
#include "model/files/BrowserRules.h"
#include "model/files/FileLookup.h"
#include "model/files/FileReplacement.h"
#include "model/files/RecordsJson.h"
#include "model/files/RecoveryKeeper.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QJsonArray>
#include <QMimeData>

#include <map>

namespace animbox {

namespace {

// The state an earlier version kept of one animation of a file, as the
// state of a file with that animation edited.
QJsonObject characterStateOfOneAnimation(const QJsonObject& state)
{
    const QJsonObject link = state.value(QStringLiteral("link")).toObject();
    const QJsonObject block = link.value(QStringLiteral("block")).toObject();
    const QJsonObject entry{{"id", 1},
                            {"name", block.value(QStringLiteral("name"))},
                            {"bytes", block.value(QStringLiteral("bytes"))},
                            {"position", block.value(QStringLiteral("position"))},
                            {"removed", false},
                            {"complete", link.value(QStringLiteral("complete"))},
                            {"opened", block}};
    return {{"link", link},
            {"character", QJsonObject{{"entries", QJsonArray{entry}},
                                      {"nextId", 2},
                                      {"encoding", block.value(QStringLiteral("encoding"))}}},
            {"animations", QJsonObject{{"1", state.value(QStringLiteral("animation"))}}},
            {"current", 1}};
}

} // namespace

void FrmMain::keepRecovery(const QString& dataFolder)
{
    m_recovery = std::make_unique<model::RecoveryKeeper>(dataFolder, [this] { return recoveryData(); });
}

// The work as it is: every record with its folder and its lines in the
// file (not the script text, which depends on the browser's folder and
// cannot state everything). With a file open, the records of every
// animation with unsaved edits, the file's changes of its animations, and
// what the window knew of the file.
model::RecoveryData FrmMain::recoveryData() const
{
    model::RecoveryData data;
    data.browserFolder = browserFolder();
    data.gameFolder = model::gameFolderOf(data.browserFolder);
    data.rows = animation().rows;
    if (!m_session) {
        data.animName = animation().animName;
        data.state.insert(QStringLiteral("animation"), model::animationToJson(animation()));
        return data;
    }
    data.gameFolder = m_session->gameFolder();
    data.file = m_session->link().path();
    // Named in the question at the next start.
    data.animName = m_session->changedNames().join(QStringLiteral(", "));
    const QHash<quint32, const model::Animation*> edited = m_session->editedAnimations();
    QJsonObject animations;
    for (auto it = edited.cbegin(); it != edited.cend(); ++it)
        animations.insert(QString::number(it.key()), model::animationToJson(*it.value()));
    data.state.insert(QStringLiteral("link"), m_session->link().toJson());
    data.state.insert(QStringLiteral("character"), m_session->character().toJson(edited.keys()));
    data.state.insert(QStringLiteral("animations"), animations);
    data.state.insert(QStringLiteral("current"), qint64(m_current));
    return data;
}

void FrmMain::offerRecovery()
{
    if (!m_recovery)
        return;
    const auto accept = [this](const model::RecoveryData& data) {
        QString question;
        if (data.state.contains(QStringLiteral("character"))) {
            question = tr("上次退出时 %1 中有未保存的修改: %2. 是否恢复?")
                           .arg(QDir::toNativeSeparators(data.file), data.animName);
        } else if (!data.text.isEmpty() || data.state.contains(QStringLiteral("animation"))) {
            const QString source = data.file.isEmpty()
                ? QString()
                : QStringLiteral(" (%1: %2)").arg(QDir::toNativeSeparators(data.file), data.animName);
            question = tr("上次退出时有未保存的动画%1, %2 帧. 是否恢复?").arg(source).arg(data.rows.size());
        }
        return !question.isEmpty() && askYesNo(this, question, true);
    };
    const std::optional<model::RecoveryData> data
        = m_recovery->adoptLeftOver(accept, [this](const QString& error) { showMessage(this, error); });
    if (!data)
        return;
    if (data->state.contains(QStringLiteral("character")))
        restoreCharacter(*data, data->state);
    else if (data->state.value(QStringLiteral("link")).toObject().contains(QStringLiteral("block")))
        restoreCharacter(*data, characterStateOfOneAnimation(data->state));
    else if (data->state.contains(QStringLiteral("animation")))
        restoreRecords(*data);
    else
        restoreText(*data);
}

// The records of an animation of no file, their images read again from
// their folders. The restored animation stays unsaved, so it is kept again
// until the author saves it.
void FrmMain::restoreRecords(const model::RecoveryData& data)
{
    std::optional<model::Animation> restored
        = model::animationFromJson(data.state.value(QStringLiteral("animation")).toObject());
    if (!restored) {
        showMessage(this, tr("恢复文件中的动画已损坏, 无法恢复."));
        return;
    }
    const QStringList missing = loadRecordImages(*restored);
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

// The file's changes and the edited animations put back onto the file as
// it is now: each changed block found where it was when the file is as it
// was, else by its bytes. The edits of an animation no longer in the file
// come back as a new animation at its end. Everything stays unsaved.
void FrmMain::restoreCharacter(const model::RecoveryData& data, const QJsonObject& state)
{
    const QJsonObject linkJson = state.value(QStringLiteral("link")).toObject();
    const QString path = linkJson.value(QStringLiteral("path")).toString();
    QByteArray bytes;
    QString error;
    if (QFileInfo::exists(path))
        bytes = model::readWholeFile(path, &error);
    std::optional<CharacterFileLink> link = CharacterFileLink::fromJson(linkJson, bytes);
    const QJsonObject kept = state.value(QStringLiteral("character")).toObject();
    const std::optional<model::TextEncoding> encoding
        = model::encodingNamed(kept.value(QStringLiteral("encoding")).toString());
    std::optional<model::EditedCharacter::Restored> restored;
    if (link && encoding && error.isEmpty())
        restored = model::EditedCharacter::restore(bytes, *encoding, kept, link->isUnchanged(bytes));
    if (!restored) {
        showMessage(this, error.isEmpty() ? tr("恢复文件中的动画已损坏, 无法恢复.") : error);
        return;
    }
    QString gameFolder = data.gameFolder;
    if (gameFolder.isEmpty())
        gameFolder = model::gameFolderOf(QFileInfo(path).absolutePath());
    startSession(std::make_unique<CharacterSession>(*link, std::move(restored->character), gameFolder, *m_undoGroup));

    QStringList missing;
    quint32 shown = 0;
    const QJsonObject animations = state.value(QStringLiteral("animations")).toObject();
    for (auto it = animations.constBegin(); it != animations.constEnd(); ++it) {
        const quint32 id = it.key().toUInt();
        std::optional<model::Animation> animation = model::animationFromJson(it.value().toObject());
        if (!animation || !m_session->character().entry(id))
            continue;
        missing += loadRecordImages(*animation);
        auto* document = new AnimationDocument;
        {
            const ReplacementStep step(*document, tr("恢复动画"));
            document->animation() = *animation;
        }
        m_session->adopt(id, document);
        shown = shown ? shown : id;
    }
    const quint32 current = quint32(state.value(QStringLiteral("current")).toDouble());
    showList(m_session->document(current) ? current : shown);
    if (QFileInfo(data.browserFolder).isDir() && QDir(data.browserFolder) != QDir(browserFolder()))
        m_browser->showFolder(data.browserFolder);
    if (!restored->lost.isEmpty() || !restored->appended.isEmpty()) {
        QString text = tr("文件 %1 中已找不到这些动画原来的内容:").arg(QDir::toNativeSeparators(path));
        if (!restored->appended.isEmpty())
            text += u'\n' + tr("%1 (修改已恢复为文件末尾的新动画)").arg(restored->appended.join(QStringLiteral(", ")));
        if (!restored->lost.isEmpty())
            text += u'\n' + tr("%1 (改名或删除未恢复)").arg(restored->lost.join(QStringLiteral(", ")));
        showMessage(this, text);
    }
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

// Work kept by an earlier version as script text: read back as
// "从文本生成帧" would, as an animation of no file.
void FrmMain::restoreText(const model::RecoveryData& data)
{
    const model::ReadResult result = model::readScript(
        data.text, data.gameFolder, [](const QString& image, QString* failure) { return loadImage(image, failure); });
    {
        const ReplacementStep step(*m_document, tr("恢复动画"));
        animation() = result.animation;
        animation().animName = data.animName;
        m_document->dropSelection();
    }
    if (!result.lastFolder.isEmpty() && QDir(result.lastFolder) != QDir(browserFolder()))
        m_browser->showFolder(result.lastFolder);
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
