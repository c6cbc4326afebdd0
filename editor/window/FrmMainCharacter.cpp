// The main window's character panel: the animations of the open file, the
// switching between their documents, the undo history the edit menu acts
// on, and new, renamed, copied and deleted animations.

#include "editor/window/FrmMain.h"

#include "browser/MenuAction.h"
#include "editor/character/AnimationEntryCommands.h"
#include "editor/character/CharacterPanel.h"
#include "editor/character/CharacterSession.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/window/Messages.h"
#include "model/script/ScriptReader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QUndoGroup>

namespace animbox {

namespace {

QList<CharacterPanel::Row> panelRows(const CharacterSession& session)
{
    QList<CharacterPanel::Row> rows;
    for (const quint32 id : session.character().shownIds())
        rows.append({id, session.character().entry(id)->name, session.frameCount(id), session.isMarked(id)});
    return rows;
}

// The animation to show when the one shown went: the next one shown in the
// list, else the one before.
quint32 neighbourOf(const model::EditedCharacter& character, quint32 id)
{
    const QList<model::AnimationEntry>& entries = character.entries();
    const int at = qMax(0, character.indexOf(id));
    for (int i = at; i < entries.size(); ++i)
        if (!entries[i].removed)
            return entries[i].id;
    for (int i = at - 1; i >= 0; --i)
        if (!entries[i].removed)
            return entries[i].id;
    return 0;
}

} // namespace

// "窗口" › "角色面板" shows and hides the panel once a file is open. The
// undo history in use follows the focus: the file's while it is in the
// panel, else the animation's.
void FrmMain::createWindowMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("窗口"));
    menu->setObjectName(QStringLiteral("Window"));
    QAction* panel = browser::addMenuAction(menu, this, "mpanel", tr("角色面板"), QKeySequence(Qt::Key_F9),
                                            [this](bool shown) { setPanelShown(shown); });
    panel->setCheckable(true);
    panel->setEnabled(false);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && isAncestorOf(now))
            activateHistory();
    });
}

void FrmMain::startSession(std::unique_ptr<CharacterSession> session)
{
    setDocument(m_freeDocument);
    m_current = 0;
    m_session = std::move(session);
    // A file starts a history of its own: undoing past its opening would
    // bring back an animation of no file.
    m_freeDocument->undoStack()->clear();
    connect(m_session.get(), &CharacterSession::entriesChanged, this, &FrmMain::showList);
    connect(m_session.get(), &CharacterSession::workChanged, this, [this] {
        m_panel->updateRows(panelRows(*m_session));
        workChanged();
    });
    if (!m_panel) {
        m_panel = new CharacterPanel(this);
        addDockWidget(Qt::RightDockWidgetArea, m_panel);
        m_panel->hide();
        connect(m_panel, &CharacterPanel::animationChosen, this, &FrmMain::showAnimation);
        connect(m_panel, &CharacterPanel::newRequested, this, &FrmMain::newAnimation);
        connect(m_panel, &CharacterPanel::renameRequested, this, &FrmMain::renameAnimation);
        connect(m_panel, &CharacterPanel::duplicateRequested, this, &FrmMain::duplicateAnimation);
        connect(m_panel, &CharacterPanel::deleteRequested, this, &FrmMain::deleteAnimation);
        // The undo keys in the filter box undo the panel's steps.
        m_panel->filter()->installEventFilter(this);
        menuAction(QStringLiteral("mpanel"))->setEnabled(true);
    }
    m_panel->setRows(panelRows(*m_session), 0);
    setPanelShown(true);
    workChanged();
}

// Shown, the panel widens the window by its own width, so that the editor
// keeps its size and its controls their places; hidden, it gives it back.
void FrmMain::setPanelShown(bool shown)
{
    QAction* action = menuAction(QStringLiteral("mpanel"));
    const QSignalBlocker blocker(action);
    action->setChecked(shown);
    if (!m_panel || m_panel->isHidden() != shown)
        return;
    const QSize before = centralWidget()->size();
    m_panel->setVisible(shown);
    if (!isVisible() || isMaximized() || isFullScreen())
        return;
    layout()->activate();
    resize(size() + before - centralWidget()->size());
}

// The list changed (a step of the file's history, a save): shows `show`, or
// another animation when the one shown is no longer listed.
void FrmMain::showList(quint32 show)
{
    const model::AnimationEntry* current = m_session->character().entry(m_current);
    if (show == 0 && (!current || current->removed))
        show = neighbourOf(m_session->character(), m_current);
    m_panel->setRows(panelRows(*m_session), show ? show : m_current);
    if (show)
        showAnimation(show);
    updateTitle();
    workChanged();
}

QString FrmMain::animationName() const
{
    const model::AnimationEntry* entry = m_session ? m_session->character().entry(m_current) : nullptr;
    return entry ? entry->name : QString();
}

// The animation's document, read when first shown: the browser then goes to
// the folder of its frames and the first frame is selected. Shown again, it
// has the frame, the edits and the undo history it had.
bool FrmMain::showAnimation(quint32 id)
{
    const model::AnimationEntry* entry = m_session ? m_session->character().entry(id) : nullptr;
    if (!entry || entry->removed)
        return false;
    if (id == m_current && m_document == m_session->document(id))
        return true;
    const bool first = !m_session->document(id);
    model::ReadResult read;
    AnimationDocument* document = m_session->open(id, &read);
    m_current = id;
    setDocument(document);
    if (first) {
        if (!read.lastFolder.isEmpty() && QDir(read.lastFolder) != QDir(browserFolder()))
            m_browser->showFolder(read.lastFolder);
        if (document->animation().hasFrames())
            document->select(0);
    }
    m_panel->setCurrent(id);
    updateTitle();
    if (first && !read.finished)
        showMessage(this, read.message);
    return true;
}

bool FrmMain::showFinding(const QString& path, const QByteArray& bytes, int line, const QString& name)
{
    if (m_session && QFileInfo(path) == QFileInfo(m_session->link().path())) {
        const quint32 id = m_session->character().entryAtLine(bytes, line, name);
        return id != 0 && showAnimation(id);
    }
    return openCharacterFile(path, name);
}

void FrmMain::setDocument(AnimationDocument* document)
{
    m_document = document;
    connectDocument();
    activateHistory();
    showDocument();
    emit documentHistoryMoved();
}

// While no widget of the window has the focus (a dialog just closed), the
// history in use stays.
void FrmMain::activateHistory()
{
    const QWidget* focus = QApplication::focusWidget();
    const bool inPanel = m_session && m_panel
        && (focus ? m_panel->isAncestorOf(focus) : m_undoGroup->activeStack() == m_session->undoStack());
    m_undoGroup->setActiveStack(inPanel ? m_session->undoStack() : m_document->undoStack());
}

std::optional<QString> FrmMain::askAnimationName(const QString& title, const QString& proposed, quint32 except)
{
    bool ok = false;
    const QString name
        = QInputDialog::getText(this, title, tr("动画名称:"), QLineEdit::Normal, proposed, &ok).trimmed();
    if (!ok || name.isEmpty())
        return std::nullopt;
    const QString problem = m_session->character().nameProblem(name, except);
    if (!problem.isEmpty()) {
        showMessage(this, problem);
        return std::nullopt;
    }
    return name;
}

// A new, empty animation right after the one shown.
void FrmMain::newAnimation()
{
    const std::optional<QString> name = askAnimationName(tr("新建动画"), QString(), 0);
    if (!name)
        return;
    m_session->undoStack()->push(new AddAnimationCommand(*m_session, tr("新建动画 %1").arg(*name),
                                                         m_session->character().indexOf(m_current) + 1,
                                                         *m_session->character().emptyBlock(*name)));
}

void FrmMain::renameAnimation()
{
    const QString before = animationName();
    const std::optional<QString> name = askAnimationName(tr("重命名动画"), before, m_current);
    if (name && *name != before)
        m_session->undoStack()->push(new RenameAnimationCommand(*m_session, m_current, *name));
}

// A copy of the animation shown right after it: its block as the file has
// it, with the unsaved edits, under a new name.
void FrmMain::duplicateAnimation()
{
    const model::EditedCharacter& character = m_session->character();
    model::AnimationEntry copy = *character.entry(m_current);
    QString proposed;
    for (int n = 2; proposed.isEmpty() || !character.nameProblem(proposed).isEmpty(); ++n)
        proposed = copy.name + QStringLiteral("_%1").arg(n);
    const std::optional<QString> name = askAnimationName(tr("复制动画"), proposed, 0);
    if (!name)
        return;
    const QString text = tr("复制 %1 为 %2").arg(copy.name, *name);
    copy.name = *name;
    QString error;
    const std::optional<QByteArray> block
        = character.blockFor(copy, m_session->isEdited(m_current) ? &animation() : nullptr, &error);
    if (!block) {
        showMessage(this, error);
        return;
    }
    m_session->undoStack()->push(
        new AddAnimationCommand(*m_session, text, character.indexOf(m_current) + 1, *block));
}

void FrmMain::deleteAnimation()
{
    if (m_session->character().shownIds().size() <= 1) {
        showMessage(this, tr("文件中只有这一个动画, 不能删除."));
        return;
    }
    m_session->undoStack()->push(new DeleteAnimationCommand(*m_session, m_current));
}

} // namespace animbox
