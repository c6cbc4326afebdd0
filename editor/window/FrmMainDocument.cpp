// The main window and its document: the "编辑" menu with undo and redo, and
// the one place where changes of the document reach the frame list, the
// canvas and the panel.

#include "editor/window/FrmMain.h"

#include "editor/canvas/CanvasView.h"
#include "editor/controls/ChoiceCombo.h"
#include "editor/panels/AttackPanel.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/panels/DisplayGroup.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QUndoGroup>

namespace animbox {

void FrmMain::createEditMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("编辑"));
    menu->setObjectName(QStringLiteral("Edit"));
    watchFreeDocument();
    m_undoGroup->setActiveStack(m_freeDocument->undoStack());
    // Both act on the history in use (the animation's, or the character
    // file's while the character panel has the focus) and name the step they
    // would take back or do again.
    QAction* undo = m_undoGroup->createUndoAction(this, tr("撤销"));
    undo->setObjectName(QStringLiteral("mundo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_undoGroup->createRedoAction(this, tr("重做"));
    redo->setObjectName(QStringLiteral("mredo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menu->addAction(undo);
    menu->addAction(redo);
    // The window's event filter ends a typing step when the box loses the
    // focus and keeps the undo keys from the box's own undo.
    m_display->txtDelay()->installEventFilter(this);
    m_attack->txtPow()->installEventFilter(this);
    m_attack->txtAtType()->installEventFilter(this);
    m_attack->txtPause()->installEventFilter(this);
}

// The animation of no file: its history is in the group, and its changes
// are unsaved work.
void FrmMain::watchFreeDocument()
{
    m_undoGroup->addStack(m_freeDocument->undoStack());
    connect(m_freeDocument->undoStack(), &QUndoStack::indexChanged, this, &FrmMain::workChanged);
    connect(m_freeDocument->undoStack(), &QUndoStack::cleanChanged, this, &FrmMain::workChanged);
}

// The document shown: its changes redraw the window.
void FrmMain::connectDocument()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_documentConnections))
        disconnect(connection);
    m_documentConnections = {
        connect(m_document, &AnimationDocument::rowsChanged, this, &FrmMain::showRows),
        connect(m_document, &AnimationDocument::changed, this, &FrmMain::showChange),
        // A browser already on the folder need not list it again.
        connect(m_document, &AnimationDocument::browseRequested, this,
                [this](const QString& folder) {
                    if (QDir(folder) != QDir(browserFolder()))
                        m_browser->showFolder(folder);
                }),
        connect(m_document->undoStack(), &QUndoStack::indexChanged, this, &FrmMain::documentHistoryMoved),
    };
}

// Another document is shown: its rows, and its selected frame or an empty
// canvas.
void FrmMain::showDocument()
{
    showRows();
    if (animation().isValidRow(selectedRow())) {
        showChange(Refresh::Selection);
        return;
    }
    List1()->clearSelection();
    m_canvas->clearPicture();
    m_canvas->drawCross(QPoint(m_canvasOriginX, m_canvasOriginY));
    m_canvas->present();
    for (BoxShape* shape : {m_canvas->shape1(), m_canvas->shape1a(), m_canvas->shape2(), m_canvas->shape2a()})
        shape->hide();
}

// Whether `event` is a shortcut of "撤销" or "重做".
bool FrmMain::isUndoKey(const QKeyEvent* event) const
{
    const QKeySequence key(event->keyCombination());
    for (const char* name : {"mundo", "mredo"}) {
        if (menuAction(QLatin1String(name))->shortcuts().contains(key))
            return true;
    }
    return false;
}

// Brings List1 in line with the rows: the texts, then the count.
void FrmMain::showRows()
{
    QListWidget* list = List1();
    const QStringList& rows = animation().rows;
    const QSignalBlocker blocker(list);
    while (list->count() > rows.size())
        delete list->takeItem(list->count() - 1);
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() != rows[i])
            list->item(i)->setText(rows[i]);
    }
    list->addItems(rows.mid(list->count()));
}

void FrmMain::showChange(Refresh how)
{
    const int row = selectedRow();
    if (highlightedRow() != row) {
        const QSignalBlocker blocker(List1());
        if (row < 0)
            List1()->clearSelection();
        List1()->setCurrentRow(row);
    }
    switch (how) {
    case Refresh::Nothing:
        return;
    case Refresh::AttackPanel:
        LoadAttackPanel(row);
        return;
    case Refresh::Canvas:
    case Refresh::CanvasAndPanel:
        DrawFrame(row, how == Refresh::CanvasAndPanel);
        return;
    case Refresh::Selection:
        showSelection();
        return;
    }
}

// What a row selection shows: the frame on the canvas with the panel, its
// box outlines once more, and its delay.
void FrmMain::showSelection()
{
    const int row = selectedRow();
    DrawFrame(row, true);
    ShowAttackBoxes(row);
    ShowBodyBoxes(row);
    LoadDelayText(row);
}

} // namespace animbox
