#pragma once

#include "editor/document/AnimationDocument.h"

namespace animbox {

// Records the animation when a command that replaces it starts and pushes
// one AnimationReplaceCommand when the command ends, if anything changed.
// Inside another open step it does nothing, so "加入全部帧" with its scheme
// dialog is one step.
class ReplacementStep {
public:
    ReplacementStep(AnimationDocument& document, const QString& text, Refresh shown = Refresh::Nothing);
    ~ReplacementStep();
    ReplacementStep(const ReplacementStep&) = delete;
    ReplacementStep& operator=(const ReplacementStep&) = delete;

    // The step also moves the image browser from `from` to `to`, which the
    // step shows when it ends; undo shows `from` again.
    void moveBrowser(const QString& from, const QString& to);

private:
    AnimationDocument& m_document;
    QString m_text;
    Refresh m_shown;
    model::Animation m_before;
    int m_selectionBefore;
    QString m_folderBefore;
    QString m_folderAfter;
    bool m_outermost;
};

} // namespace animbox
