#pragma once

#include "editor/document/AnimationDocument.h"

#include <QUndoCommand>

namespace animbox {

// A step that replaced the whole animation: a scheme, "加入全部帧", "清空",
// the global adjustment, "从文本生成帧". It keeps the animation and the
// selection before and after; the two copies share every record the step
// left unchanged, and all records share their images. A step that moves the
// image browser (reading text shows the folder of the frames read) moves it
// back on undo and again on redo: the paths of the frames follow the browser.
class AnimationReplaceCommand : public QUndoCommand {
public:
    // The document already holds the result; the first redo shows `shown`
    // and the browser folder `folderAfter`, unless that is empty. Obsolete
    // when nothing changed.
    AnimationReplaceCommand(AnimationDocument& document, const QString& text, const model::Animation& before,
                            int selectionBefore, Refresh shown, const QString& folderBefore = QString(),
                            const QString& folderAfter = QString());

    void redo() override;
    void undo() override;

private:
    void restore(const model::Animation& animation, int selection);

    AnimationDocument& m_document;
    model::Animation m_before;
    int m_selectionBefore;
    model::Animation m_after;
    int m_selectionAfter;
    Refresh m_shown;
    QString m_folderBefore;
    QString m_folderAfter;
    bool m_done = false;
};

} // namespace animbox
