#include "editor/RecordEditCommand.h"

namespace animbox {

RecordEditCommand::RecordEditCommand(AnimationDocument& document, const QString& text, int first, int end,
                                     Edit edit, Refresh shown, MergeKey key)
    : QUndoCommand(text)
    , m_document(document)
    , m_selection(document.selection())
    , m_edit(std::move(edit))
    , m_shown(shown)
    , m_key(key)
    , m_before(model::takeRun(document.animation(), first, end))
{
    m_key.session = document.mergeSession();
}

void RecordEditCommand::setStartingRecord(const model::FrameRecord& record)
{
    if (!m_before.records.isEmpty())
        m_before.records.first() = record;
}

void RecordEditCommand::redo()
{
    if (m_done) {
        restore(m_after);
        return;
    }
    m_done = true;
    if (m_edit)
        std::exchange(m_edit, {})(m_document.animation());
    m_after = model::takeRun(m_document.animation(), m_before.first, m_before.end());
    if (m_after == m_before) {
        setObsolete(true);
        return;
    }
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
