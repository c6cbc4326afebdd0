// The main window's "文件" menu: opening an animation of a character file,
// saving it back into its block or into another file, the recent files and
// the question about unsaved changes.

#include "editor/FrmMain.h"

#include "browser/MenuAction.h"
#include "editor/AnimationChooser.h"
#include "editor/BrowserPanel.h"
#include "editor/ImageLoading.h"
#include "editor/Messages.h"
#include "editor/RecentFiles.h"
#include "editor/ReplacementStep.h"
#include "browser/SaveQuestion.h"
#include "model/BrowserRules.h"
#include "model/CharacterScript.h"
#include "model/FileReplacement.h"
#include "model/ScriptReader.h"
#include "model/ScriptWriter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QRegularExpression>

namespace animbox {

namespace {

QString fileFilter()
{
    return FrmMain::tr("角色文件 (*.txt);;所有文件 (*)");
}

bool isSameFile(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

void FrmMain::createFileMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("文件"));
    menu->setObjectName(QStringLiteral("File"));
    const auto add = [this, menu](const char* name, const QString& caption, QKeySequence key, auto slot) {
        browser::addMenuAction(menu, this, name, caption, key, slot);
    };
    add("mopen", tr("打开…"), QKeySequence(Qt::CTRL | Qt::Key_O), &FrmMain::mopen_Click);
    add("msave", tr("保存"), QKeySequence(Qt::CTRL | Qt::Key_S), &FrmMain::saveAnimation);
    add("msaveas", tr("另存为动画…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        &FrmMain::saveAnimationAs);
    menu->addSeparator();
    for (int i = 0; i < RecentFiles::kMaxFiles; ++i) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QStringLiteral("mrecent%1").arg(i));
        connect(action, &QAction::triggered, this, [this, action] { openCharacterFile(action->data().toString()); });
        m_recentActions.append(action);
    }
    menu->addSeparator();
    add("mexit", tr("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), &FrmMain::close);
    updateRecentMenu();
}

void FrmMain::updateRecentMenu()
{
    const QStringList files = RecentFiles(m_settings.filePath()).files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        action->setData(files.value(i));
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files.value(i))));
    }
}

void FrmMain::mopen_Click()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("打开"),
                                                      QFileInfo(m_link.path()).absolutePath(), fileFilter());
    if (!path.isEmpty())
        openCharacterFile(path);
}

// The folder that holds the data folder of `file`; asked for when the
// file's path has none. Empty when the author cancels.
QString FrmMain::gameFolderFor(const QString& file)
{
    const QString folder = model::gameFolderOf(QFileInfo(file).absolutePath());
    if (!folder.isEmpty())
        return QDir::toNativeSeparators(folder);
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(this, tr("请选择文件夹： "),
                                                                      QFileInfo(file).absolutePath()));
}

bool FrmMain::openCharacterFile(const QString& path, const QString& animName)
{
    if (!askToKeepChanges())
        return false;
    const QString file = QFileInfo(path).absoluteFilePath();
    QString error;
    const QByteArray bytes = model::readWholeFile(file, &error);
    if (!error.isEmpty()) {
        showMessage(this, error);
        return false;
    }
    const model::CharacterScript script(bytes);
    if (script.blocks().isEmpty()) {
        showMessage(this, tr("文件中没有动画: ") + QDir::toNativeSeparators(file));
        return false;
    }
    const model::AnimBlock* block = script.find(animName);
    if (animName.isEmpty()) {
        AnimationChooser chooser(QFileInfo(file).fileName(), script.blocks(), this);
        if (chooser.exec() != QDialog::Accepted || chooser.chosenIndex() < 0)
            return false;
        block = &script.blocks()[chooser.chosenIndex()];
    } else if (!block) {
        showMessage(this, tr("文件中没有动画 %1: %2").arg(animName, QDir::toNativeSeparators(file)));
        return false;
    }
    const QString gameFolder = gameFolderFor(file);
    if (gameFolder.isEmpty())
        return false;

    const model::OpenedBlock opened(script, *block);
    model::ReadResult result = model::readScript(
        opened.readerText(), gameFolder, [](const QString& image, QString* failure) { return loadImage(image, failure); });
    for (int i = 0; i < result.animation.rowCount(); ++i)
        result.animation.frames[i].sourceId = opened.sourceIdOf(i);
    showReadAnimation(result, block->name, tr("打开"));
    // A new file starts a new history: undoing past the opening would put
    // another animation into this file's block.
    m_document->undoStack()->clear();
    m_link = CharacterFileLink(file, bytes, opened, result.finished);
    RecentFiles(m_settings.filePath()).add(file);
    updateRecentMenu();
    updateTitle();
    if (!result.finished)
        showMessage(this, result.message);
    return true;
}

// Puts an animation read from a file in place of the one being edited, as
// one step, and shows the folder of its frames.
void FrmMain::showReadAnimation(const model::ReadResult& result, const QString& name, const QString& stepText)
{
    {
        const ReplacementStep step(*m_document, stepText);
        animation() = result.animation;
        animation().animName = name;
        // The file link keeps the lines after the last frame and writes them
        // after the frames; a frame added later must not take them too.
        if (animation().frames.size() > animation().rowCount())
            animation().frames.last().extra.clear();
        m_document->dropSelection();
    }
    // A browser already on the folder need not list it again.
    if (!result.lastFolder.isEmpty() && QDir(result.lastFolder) != QDir(browserFolder()))
        m_browser->showFolder(result.lastFolder);
}

bool FrmMain::saveAnimation()
{
    if (!m_link.isOpen())
        return saveAnimationAs();
    if (m_document->undoStack()->isClean())
        return true;
    return writeAnimation(m_link.path(), m_link.animName());
}

bool FrmMain::saveAnimationAs()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("另存为动画"),
                                                      QFileInfo(m_link.path()).absolutePath(), fileFilter(),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return false;
    const QString proposed = m_link.isOpen() ? m_link.animName() : animation().animName;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("另存为动画"), tr("动画名称:"),
                                               QLineEdit::Normal, proposed, &ok).trimmed();
    if (!ok || name.isEmpty())
        return false;
    // The name is one word of the "anim" line.
    if (name.contains(QRegularExpression(QStringLiteral("[\\s#]")))) {
        showMessage(this, tr("动画名称不能含有空白或 #."));
        return false;
    }
    return writeAnimation(path, name);
}

// The bytes a save writes into, after the questions it asks about the file:
// changed by another program since it was opened, or gone. Nullopt when
// the author declines or the file cannot be read.
std::optional<FrmMain::SaveTarget> FrmMain::saveTarget(const QString& file)
{
    SaveTarget target;
    target.linked = isSameFile(file, m_link.path());
    const QString shown = QDir::toNativeSeparators(file);
    if (QFileInfo::exists(file)) {
        QString error;
        target.bytes = model::readWholeFile(file, &error);
        if (!error.isEmpty()) {
            showMessage(this, error);
            return std::nullopt;
        }
        target.unchanged = target.linked && m_link.isUnchanged(target.bytes);
        if (target.linked && !target.unchanged
            && !askYesNo(this, tr("文件在打开后被其他程序修改过: %1\n是否覆盖?").arg(shown)))
            return std::nullopt;
    } else if (target.linked && !m_link.bytes().isEmpty()) {
        if (!askYesNo(this, tr("文件已不存在 (在打开后被删除或移走): %1\n是否按打开时的内容重新写出整个文件, 其中的这个动画按现在的样子?")
                                .arg(shown)))
            return std::nullopt;
        target.bytes = m_link.bytes();
        target.unchanged = true;
    } else if (target.linked) {
        // Restored after a crash: what else the file held is not known.
        if (!askYesNo(this, tr("文件已不存在: %1\n它的其余内容已无从得知. 是否写出一个只含这个动画的新文件?").arg(shown)))
            return std::nullopt;
        target.linked = false;
    }
    return target;
}

// Writes the animation as `name` into the file at `path`: into the block it
// was opened from, into the block of that name (after asking), or as a new
// block at the end. The file changes only when everything could be written.
bool FrmMain::writeAnimation(const QString& path, const QString& name)
{
    const QString refusal = m_link.saveRefusal();
    if (!refusal.isEmpty()) {
        showMessage(this, refusal);
        return false;
    }
    if (!HasFrames())
        return false;
    const QString file = QFileInfo(path).absoluteFilePath();
    const std::optional<SaveTarget> target = saveTarget(file);
    if (!target)
        return false;
    // The file keeps the encoding it was opened in.
    const model::CharacterScript script(target->bytes,
                                        target->linked ? std::optional(m_link.block().encoding()) : std::nullopt);
    const bool ownBlock = target->linked && name.compare(m_link.animName(), Qt::CaseInsensitive) == 0;
    const model::AnimBlock* block = ownBlock ? m_link.block().locate(script, target->unchanged) : script.find(name);
    if (ownBlock && !block) {
        showMessage(this, tr("文件中找不到打开时的动画 %1: 它已被其他程序修改, 或在文件中出现了多次. 未保存.").arg(name));
        return false;
    }
    if (block && !ownBlock && !askYesNo(this, tr("文件中已有动画 %1, 是否替换?").arg(block->name)))
        return false;
    const model::ComposedBlock composed = m_link.block().compose(animation(), script, block, target->linked);
    if (!composed.ok()) {
        showMessage(this, composed.error);
        return false;
    }
    const model::TextEncoding encoding = target->bytes.isEmpty() ? m_link.block().encoding() : script.encoding();
    const std::optional<model::CharacterScript> written
        = block ? std::optional(script.withBlockReplaced(*block, composed.bytes))
                : script.withBlockAdded(name, composed.bytes, encoding);
    if (!written) {
        showMessage(this, tr("动画名称含有 %1 无法写出的字符, 未保存.").arg(model::encodingName(encoding)));
        return false;
    }
    if (written->bytes() != target->bytes || !QFileInfo::exists(file)) {
        const QString error = model::replaceFile(file, written->bytes(), target->bytes);
        if (!error.isEmpty()) {
            showMessage(this, error);
            return false;
        }
    }
    const model::AnimBlock& writtenBlock = block ? written->blocks()[block - script.blocks().data()] : written->blocks().last();
    m_link.saved(file, *written, writtenBlock, animation());
    animation().animName = m_link.animName();
    m_document->undoStack()->setClean();
    RecentFiles(m_settings.filePath()).add(file);
    updateRecentMenu();
    updateTitle();
    return true;
}

// Before unsaved changes are left behind: save, discard or cancel. True
// when the caller may go on.
bool FrmMain::askToKeepChanges()
{
    return m_document->undoStack()->isClean()
        || browser::askToSave(this, programTitle(), tr("动画已修改, 是否保存?"),
                              [this] { return saveAnimation(); });
}

} // namespace animbox
