#include "editor/AnimationReplaceCommand.h"

namespace animbox {

AnimationReplaceCommand::AnimationReplaceCommand(AnimationDocument& document, const QString& text,
                                                 const model::Animation& before, int selectionBefore,
                                                 Refresh shown)
    : QUndoCommand(text)
    , m_document(document)
    , m_before(before)
    , m_selectionBefore(selectionBefore)
    , m_shown(shown)
{
}

void AnimationReplaceCommand::redo()
{
    if (m_done) {
        restore(m_after, m_selectionAfter);
        return;
    }
    m_done = true;
    m_after = m_document.animation();
    m_selectionAfter = m_document.selection();
    if (m_after == m_before && m_selectionAfter == m_selectionBefore) {
        setObsolete(true);
        return;
    }
    m_document.settle(m_selectionAfter, m_shown, m_after.rows != m_before.rows);
}

void AnimationReplaceCommand::undo()
{
    restore(m_before, m_selectionBefore);
}

void AnimationReplaceCommand::restore(const model::Animation& animation, int selection)
{
    const bool rowsChanged = m_document.animation().rows != animation.rows;
    m_document.animation() = animation;
    m_document.settle(selection, Refresh::Selection, rowsChanged);
}

} // namespace animbox
