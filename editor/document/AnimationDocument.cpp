#include "editor/document/AnimationDocument.h"

namespace animbox {

AnimationDocument::AnimationDocument(QObject* parent)
    : QObject(parent)
{
}

void AnimationDocument::select(int row)
{
    settle(row, Refresh::Selection, false);
}

void AnimationDocument::dropSelection()
{
    settle(-1, Refresh::Nothing, false);
}

void AnimationDocument::rowsEdited()
{
    emit rowsChanged();
}

void AnimationDocument::push(QUndoCommand* command)
{
    if (command->isObsolete())
        delete command;
    else
        m_undoStack.push(command);
}

void AnimationDocument::settle(int row, Refresh how, bool rowsChanged)
{
    m_selection = row;
    // Whatever shows a row anew (a selection, an undo, a redo) comes between
    // two steps that could otherwise merge.
    if (how == Refresh::Selection)
        endMerging();
    if (rowsChanged)
        emit this->rowsChanged();
    emit changed(how);
}

} // namespace animbox
