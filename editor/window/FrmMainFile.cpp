// The main window's "文件" menu: opening a character file, saving every
// change of it in one write, writing an animation into another file, the
// recent files and the question about unsaved changes.

#include "editor/window/FrmMain.h"

#include "browser/MenuAction.h"
#include "editor/window/Messages.h"
#include "editor/settings/RecentFiles.h"
#include "editor/character/CharacterSession.h"
#include "browser/SaveQuestion.h"
#include "model/files/BrowserRules.h"
#include "model/character/CharacterScript.h"
#include "model/files/FileReplacement.h"
#include "model/files/RecoveryKeeper.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QRegularExpression>
#include <QUndoGroup>

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
    const QString path = QFileDialog::getOpenFileName(this, tr("打开"), openFolder(), fileFilter());
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
    model::CharacterScript script(bytes);
    if (script.blocks().isEmpty()) {
        showMessage(this, tr("文件中没有动画: ") + QDir::toNativeSeparators(file));
        return false;
    }
    const model::AnimBlock* block = animName.isEmpty() ? &script.blocks().first() : script.find(animName);
    if (!block) {
        showMessage(this, tr("文件中没有动画 %1: %2").arg(animName, QDir::toNativeSeparators(file)));
        return false;
    }
    const int index = int(block - script.blocks().data());
    const QString gameFolder = gameFolderFor(file);
    if (gameFolder.isEmpty())
        return false;
    model::EditedCharacter character(std::move(script));
    const quint32 shown = character.entries()[index].id;
    startSession(std::make_unique<CharacterSession>(CharacterFileLink(file, bytes), std::move(character), gameFolder,
                                                    *m_undoGroup));
    showAnimation(shown);
    RecentFiles(m_settings.filePath()).add(file);
    updateRecentMenu();
    return true;
}

// The folder the file dialogs start in: the open file's.
QString FrmMain::openFolder() const
{
    return m_session ? QFileInfo(m_session->link().path()).absolutePath() : QString();
}

bool FrmMain::saveAnimation()
{
    if (!m_session)
        return saveAnimationAs();
    if (!m_session->hasUnsavedChanges())
        return true;
    return saveCharacter();
}

// Writes every change of the open file in one write: the edited
// animations, each into its own block, and the new, renamed, copied and
// deleted ones. The file changes only when everything could be written.
bool FrmMain::saveCharacter()
{
    const QString file = m_session->link().path();
    const std::optional<SaveTarget> target = saveTarget(file);
    if (!target)
        return false;
    const QHash<quint32, const model::Animation*> edited = m_session->editedAnimations();
    const model::CharacterComposition composition = m_session->character().compose(target->bytes, edited);
    if (!composition.ok()) {
        showMessage(this, composition.error);
        return false;
    }
    if (composition.bytes != target->bytes || !QFileInfo::exists(file)) {
        const QString error = model::replaceFile(file, composition.bytes, target->bytes);
        if (!error.isEmpty()) {
            showMessage(this, error);
            return false;
        }
    }
    m_session->saved(file, composition, edited);
    RecentFiles(m_settings.filePath()).add(file);
    updateRecentMenu();
    updateTitle();
    return true;
}

bool FrmMain::saveAnimationAs()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("另存为动画"), openFolder(), fileFilter(), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return false;
    // Animations of the open file are added in the character panel, so
    // that its other changes are saved with them or not at all.
    if (m_session && isSameFile(path, m_session->link().path())) {
        showMessage(this, tr("这是打开的角色文件. 请在角色面板中用 \"复制…\" 或 \"新建…\" 加入动画, 再保存."));
        return false;
    }
    const QString proposed = m_session ? animationName() : animation().animName;
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
// changed by another program since it was read or written, or gone.
// Nullopt when the author declines or the file cannot be read.
std::optional<FrmMain::SaveTarget> FrmMain::saveTarget(const QString& file)
{
    SaveTarget target;
    target.linked = m_session && isSameFile(file, m_session->link().path());
    const CharacterFileLink* link = target.linked ? &m_session->link() : nullptr;
    const QString shown = QDir::toNativeSeparators(file);
    if (QFileInfo::exists(file)) {
        QString error;
        target.bytes = model::readWholeFile(file, &error);
        if (!error.isEmpty()) {
            showMessage(this, error);
            return std::nullopt;
        }
        if (link && !link->isUnchanged(target.bytes)
            && !askYesNo(this, tr("文件在打开后被其他程序修改过: %1\n是否覆盖?").arg(shown)))
            return std::nullopt;
    } else if (link && !link->bytes().isEmpty()) {
        if (!askYesNo(this, tr("文件已不存在 (在打开后被删除或移走): %1\n是否按打开时的内容重新写出整个文件, 其中的动画按现在的样子?")
                                .arg(shown)))
            return std::nullopt;
        target.bytes = link->bytes();
    } else if (link) {
        // Restored after a crash: what else the file held is not known.
        if (!askYesNo(this, tr("文件已不存在: %1\n它的其余内容已无从得知. 是否写出一个只含恢复的动画的新文件?").arg(shown)))
            return std::nullopt;
    }
    return target;
}

// Writes the animation shown as `name` into the file at `path`, which is
// not the open one: into the block of that name (after asking), or as a new
// block at the end. The file changes only when everything could be written.
bool FrmMain::writeAnimation(const QString& path, const QString& name)
{
    const model::AnimationEntry* entry = m_session ? m_session->character().entry(m_current) : nullptr;
    if (entry && m_session->isEdited(m_current) && !entry->complete) {
        showMessage(this, tr("动画没有完整读出, 保存会丢掉其余的帧, 未保存."));
        return false;
    }
    if (!HasFrames())
        return false;
    const QString file = QFileInfo(path).absoluteFilePath();
    const std::optional<SaveTarget> target = saveTarget(file);
    if (!target)
        return false;
    const model::CharacterScript script(target->bytes);
    const model::AnimBlock* block = script.find(name);
    if (block && !askYesNo(this, tr("文件中已有动画 %1, 是否替换?").arg(block->name)))
        return false;
    // The frames keep the lines they were read with, in the target's spelling.
    const model::OpenedBlock opened = m_session ? m_session->character().open(m_current) : model::OpenedBlock();
    const model::ComposedBlock composed = opened.compose(animation(), script, block, false);
    if (!composed.ok()) {
        showMessage(this, composed.error);
        return false;
    }
    const model::TextEncoding encoding = target->bytes.isEmpty() ? opened.encoding() : script.encoding();
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
    RecentFiles(m_settings.filePath()).add(file);
    updateRecentMenu();
    // An animation of no file now belongs to the file written.
    if (!m_session)
        linkWrittenAnimation(file, written->bytes(), block ? int(block - script.blocks().data()) : int(written->blocks().size() - 1));
    return true;
}

// Opens the file just written with the animation of no file as its
// animation `block`, with its undo history.
void FrmMain::linkWrittenAnimation(const QString& file, const QByteArray& bytes, int block)
{
    QString gameFolder = model::gameFolderOf(QFileInfo(file).absolutePath());
    if (gameFolder.isEmpty())
        gameFolder = model::gameFolderOf(browserFolder());
    model::EditedCharacter character{model::CharacterScript(bytes)};
    const quint32 id = character.entries()[block].id;
    AnimationDocument* written = m_freeDocument;
    written->undoStack()->setClean();
    // The window goes on with a new animation of no file for later.
    m_freeDocument = new AnimationDocument(this);
    watchFreeDocument();
    startSession(std::make_unique<CharacterSession>(CharacterFileLink(file, bytes), std::move(character), gameFolder,
                                                    *m_undoGroup));
    m_session->character().open(id);
    m_session->adopt(id, written);
    showAnimation(id);
}

// Before unsaved changes are left behind: save, discard or cancel. True
// when the caller may go on.
bool FrmMain::askToKeepChanges()
{
    if (!hasUnsavedWork())
        return true;
    const QString text = m_session ? tr("%1 中有未保存的修改: %2.\n是否保存?")
                                         .arg(QFileInfo(m_session->link().path()).fileName(),
                                              m_session->changedNames().join(QStringLiteral(", ")))
                                   : tr("动画已修改, 是否保存?");
    return browser::askToSave(this, programTitle(), text, [this] { return saveAnimation(); });
}

bool FrmMain::hasUnsavedWork() const
{
    return m_session ? m_session->hasUnsavedChanges() : !m_freeDocument->undoStack()->isClean();
}

// Any history moved: the title's mark, the recovery file.
void FrmMain::workChanged()
{
    const bool unsaved = hasUnsavedWork();
    setWindowModified(unsaved);
    if (m_recovery)
        m_recovery->workChanged(unsaved);
}

} // namespace animbox
