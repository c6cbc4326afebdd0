// The main window and its document: the "编辑" menu with undo and redo, the
// title's modified mark, and the one place where changes of the document
// reach the frame list, the canvas and the panel.

#include "editor/FrmMain.h"

#include "editor/AttackPanel.h"
#include "editor/BrowserPanel.h"
#include "editor/ChoiceCombo.h"
#include "editor/DisplayGroup.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>

namespace animbox {

void FrmMain::createEditMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("编辑"));
    menu->setObjectName(QStringLiteral("Edit"));
    QUndoStack* stack = m_document->undoStack();
    // Both name the step they would take back or do again.
    QAction* undo = stack->createUndoAction(this, tr("撤销"));
    undo->setObjectName(QStringLiteral("mundo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = stack->createRedoAction(this, tr("重做"));
    redo->setObjectName(QStringLiteral("mredo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    menu->addAction(undo);
    menu->addAction(redo);
}

void FrmMain::connectDocument()
{
    connect(m_document, &AnimationDocument::rowsChanged, this, &FrmMain::showRows);
    connect(m_document, &AnimationDocument::changed, this, &FrmMain::showChange);
    // A browser already on the folder need not list it again.
    connect(m_document, &AnimationDocument::browseRequested, this, [this](const QString& folder) {
        if (QDir(folder) != QDir(browserFolder()))
            m_browser->showFolder(folder);
    });
    connect(m_document->undoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    // The window's event filter ends a typing step when the box loses the
    // focus and keeps the undo keys from the box's own undo.
    m_display->txtDelay()->installEventFilter(this);
    m_attack->txtPow()->installEventFilter(this);
    m_attack->txtAtType()->installEventFilter(this);
    m_attack->txtPause()->installEventFilter(this);
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
