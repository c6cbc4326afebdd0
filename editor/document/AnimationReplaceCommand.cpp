#include "editor/document/AnimationReplaceCommand.h"

#include <utility>

namespace animbox {

AnimationReplaceCommand::AnimationReplaceCommand(AnimationDocument& document, const QString& text,
                                                 const model::Animation& before, int selectionBefore,
                                                 Refresh shown, const QString& folderBefore,
                                                 const QString& folderAfter)
    : QUndoCommand(text)
    , m_document(document)
    , m_before(before)
    , m_selectionBefore(selectionBefore)
    , m_after(document.animation())
    , m_selectionAfter(document.selection())
    , m_shown(shown)
    , m_folderBefore(folderBefore)
    , m_folderAfter(folderAfter)
{
    setObsolete(m_after == m_before && m_selectionAfter == m_selectionBefore
                && (m_folderAfter.isEmpty() || m_folderAfter == m_folderBefore));
}

// The first time the document holds the result already; the window shows it.
void AnimationReplaceCommand::redo()
{
    if (!m_folderAfter.isEmpty())
        m_document.browseTo(m_folderAfter);
    if (std::exchange(m_done, true))
        restore(m_after, m_selectionAfter);
    else
        m_document.settle(m_selectionAfter, m_shown, m_after.rows != m_before.rows);
}

void AnimationReplaceCommand::undo()
{
    if (!m_folderAfter.isEmpty())
        m_document.browseTo(m_folderBefore);
    restore(m_before, m_selectionBefore);
}

void AnimationReplaceCommand::restore(const model::Animation& animation, int selection)
{
    const bool rowsChanged = m_document.animation().rows != animation.rows;
    m_document.animation() = animation;
    m_document.settle(selection, Refresh::Selection, rowsChanged);
}

} // namespace animbox
