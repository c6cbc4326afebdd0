#include "editor/document/ReplacementStep.h"

#include "editor/document/AnimationReplaceCommand.h"

namespace animbox {

ReplacementStep::ReplacementStep(AnimationDocument& document, const QString& text, Refresh shown)
    : m_document(document)
    , m_text(text)
    , m_shown(shown)
    , m_before(document.animation())
    , m_selectionBefore(document.selection())
    , m_outermost(!document.isRecordingReplacement())
{
    document.setRecordingReplacement(true);
}

ReplacementStep::~ReplacementStep()
{
    if (!m_outermost)
        return;
    m_document.setRecordingReplacement(false);
    m_document.push(new AnimationReplaceCommand(m_document, m_text, m_before, m_selectionBefore, m_shown,
                                                m_folderBefore, m_folderAfter));
}

void ReplacementStep::moveBrowser(const QString& from, const QString& to)
{
    m_folderBefore = from;
    m_folderAfter = to;
}

} // namespace animbox
