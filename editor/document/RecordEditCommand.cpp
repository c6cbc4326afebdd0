#include "editor/document/RecordEditCommand.h"

namespace animbox {

RecordEditCommand::RecordEditCommand(AnimationDocument& document, const QString& text, int first, int end,
                                     const Edit& edit, Refresh shown, MergeKey key)
    : QUndoCommand(text)
    , m_document(document)
    , m_selection(document.selection())
    , m_shown(shown)
    , m_key(key)
    , m_before(model::takeRun(document.animation(), first, end))
{
    m_key.session = document.mergeSession();
    if (edit)
        edit(document.animation());
    m_after = model::takeRun(document.animation(), first, end);
    setObsolete(m_after == m_before);
}

void RecordEditCommand::setStartingRecord(const model::FrameRecord& record)
{
    if (m_before.records.isEmpty())
        return;
    m_before.records.first() = record;
    setObsolete(m_after == m_before);
}

// The first time the edit is made already; the window shows it.
void RecordEditCommand::redo()
{
    if (std::exchange(m_done, true))
        restore(m_after);
    else
        m_document.settle(m_selection, m_shown, false);
}

void RecordEditCommand::undo()
{
    restore(m_before);
}

void RecordEditCommand::restore(const model::RecordRun& run)
{
    model::putRun(m_document.animation(), run);
    m_document.settle(m_selection, Refresh::Selection, false);
}

bool RecordEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* later = static_cast<const RecordEditCommand*>(other);
    if (later->m_key != m_key || later->m_before.first != m_before.first)
        return false;
    m_before = model::extendRun(m_before, later->m_before);
    m_after = model::extendRun(later->m_after, m_after);
    setObsolete(m_after == m_before);
    return true;
}

} // namespace animbox
