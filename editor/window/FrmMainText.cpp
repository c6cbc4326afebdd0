// The main window's batch commands: initialising frames by scheme, writing
// the frames as script text and reading script text back into frames.

#include "editor/window/FrmMain.h"

#include "editor/dialogs/FrmFromText.h"
#include "editor/dialogs/FrmText.h"
#include "editor/dialogs/frmScheme.h"
#include "editor/document/ReplacementStep.h"
#include "editor/images/ImageLoading.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/window/Messages.h"
#include "model/animation/Scheme.h"
#include "model/files/BrowserRules.h"
#include "model/files/FileLookup.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"
#include "model/text/TextHelpers.h"

#include <QFileInfo>
#include <QUndoStack>

#include <map>

namespace animbox {

FrmMain::SchemeResult FrmMain::RunSchemeDialog()
{
    if (!HasFrames())
        return SchemeResult::NotRun;
    const ReplacementStep step(*m_document, tr("初始化帧"));
    {
        frmScheme dialog(m_pending, this);
        dialog.exec();
    }
    const QString text = m_pending.TakePendingText();
    if (text.isEmpty())
        return SchemeResult::NotRun;
    const SchemeResult result = ApplyScheme(text);
    if (result == SchemeResult::Rejected)
        return result;
    animation().framesFromText = false;
    // Shows row 0 also when it was selected already: it now holds another record.
    m_document->select(0);
    return result;
}

FrmMain::SchemeResult FrmMain::ApplyScheme(const QString& schemeText)
{
    const QString folder = browserFolder();
    if (!model::isDataFolder(folder)) {
        showMessage(this, msg::noDataFolderScheme());
        return SchemeResult::NoDataFolder;
    }
    QString error;
    const std::optional<model::Scheme> scheme = model::parseScheme(schemeText, &error);
    if (!scheme) {
        showMessage(this, error);
        return SchemeResult::Rejected;
    }
    // Each frame is found in the folder it came from (a new row: the
    // browser's); rows may differ in letter case from the files (rows read
    // from script text are lower case): they are found as the reader finds them.
    const QList<model::FrameRecord> before = animation().frames;
    std::map<QString, model::FileLookup> lookups;
    QStringList paths, found;
    for (int i = 0; i < animation().rowCount(); ++i) {
        const QString frameFolder = before.value(i).folder.isEmpty() ? folder : before.value(i).folder;
        paths.append(model::joinPath(frameFolder, animation().rows[i]));
        found.append(lookups.try_emplace(frameFolder, frameFolder).first->second.find(animation().rows[i]));
    }
    const QList<LoadedImage> images = loadImages(found);

    // Every anchor is checked before anything changes.
    QList<model::Anchor> anchors(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        if (images[i].image.isNull())
            continue;
        const auto anchor = model::schemeAnchor(*scheme, images[i].image.width(), images[i].image.height());
        if (!anchor) {
            showMessage(this, msg::anchorOutOfRange() + paths[i]);
            return SchemeResult::Rejected;
        }
        anchors[i] = *anchor;
    }

    animation().frames = QList<model::FrameRecord>(animation().rowCount());
    animation().animName = scheme->animName;
    for (qsizetype i = 0; i < images.size(); ++i) {
        if (!images[i].exists) {
            showMessage(this, msg::fileMissing() + paths[i]);
            continue;
        }
        if (images[i].image.isNull()) {
            showMessage(this, images[i].error);
            continue;
        }
        model::FrameRecord& record = animation().frames[i];
        // The frame stays the one it was: its folder, and its lines in a file.
        record.folder = QFileInfo(found[i]).absolutePath();
        record.sourceId = before.value(i).sourceId;
        record.picture = images[i].image;
        record.imageWidth = qint16(record.picture.width());
        record.imageHeight = qint16(record.picture.height());
        record.frameDelay = 10;
        record.offsetX = anchors[i].x;
        record.offsetY = anchors[i].y;
    }
    return SchemeResult::Applied;
}

void FrmMain::GenerateAnimationText()
{
    if (!HasFrames())
        return;
    const model::WriteResult result = model::writeScript(animation(), browserFolder());
    if (!result.ok()) {
        showMessage(this, result.error);
        return;
    }
    m_pending.setPendingText(result.text);
    FrmText dialog(m_pending, this);
    // Text copied out holds the animation as it is now, unless the animation
    // belongs to a file, which alone holds its saved state.
    if (dialog.exec() == QDialog::Accepted && !m_session)
        m_document->undoStack()->setClean();
}

void FrmMain::FramesFromText()
{
    {
        FrmFromText dialog(m_pending, m_settings, this);
        dialog.exec();
    }
    const QString text = m_pending.TakePendingText();
    if (text.isEmpty())
        return;
    const model::ReadResult result = model::readScript(
        model::toCrLf(text), m_pending.workPath(),
        [](const QString& path, QString* error) { return loadImage(path, error); });
    // Text without a single frame line (binary, UTF-16, another part of a
    // script) is no animation: it is refused and the frames stay.
    if (result.finished && result.animation.rowCount() == 0) {
        showMessage(this, msg::noFrameInText());
        return;
    }
    {
        // Reading replaces rows and records, and shows the folder of the
        // frames read; the animation's name stays.
        ReplacementStep step(*m_document, tr("从文本生成帧"));
        const QString animName = animation().animName;
        animation() = result.animation;
        animation().animName = animName;
        m_document->dropSelection();
        if (!result.lastFolder.isEmpty())
            step.moveBrowser(browserFolder(), result.lastFolder);
    }
    // The frames now hold what the text said; an animation of a file stays
    // unsaved until it is written there.
    if (!m_session)
        m_document->undoStack()->setClean();
    if (!result.finished)
        showMessage(this, result.message);
}

} // namespace animbox
