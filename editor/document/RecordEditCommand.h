#pragma once

#include "editor/document/AnimationDocument.h"
#include "model/animation/RecordRun.h"

#include <QUndoCommand>

#include <functional>
#include <utility>

namespace animbox {

// Which consecutive steps merge into one: those of the same kind on the same
// row within one merge session of the document (filled in by the command).
struct MergeKey {
    enum Kind { None = -1, Nudge = 1, Delay, Damage };
    Kind kind = None;
    int row = -1;
    int session = 0;
    friend bool operator==(const MergeKey&, const MergeKey&) = default;
};

// A step that changed the records of one run of rows: a canvas drag or
// nudge, a panel control, a box button. It keeps those records before and
// after the step; undo and redo write them back as they were, without
// propagating again, and select the step's row.
class RecordEditCommand : public QUndoCommand {
public:
    using Edit = std::function<void(model::Animation&)>;

    // Makes `edit`, which writes rows [first, end) only, and keeps those
    // records before and after it; the first redo shows `shown`. An empty
    // `edit` records what a preview already changed. A step that changed
    // nothing is obsolete, and the document does not push it.
    RecordEditCommand(AnimationDocument& document, const QString& text, int first, int end, const Edit& edit,
                      Refresh shown, MergeKey key = {});

    // Row `first` held `record` before a preview already changed it.
    void setStartingRecord(const model::FrameRecord& record);

    void redo() override;
    void undo() override;
    int id() const override { return m_key.kind; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void restore(const model::RecordRun& run);

    AnimationDocument& m_document;
    int m_selection;
    Refresh m_shown;
    MergeKey m_key;
    model::RecordRun m_before;
    model::RecordRun m_after;
    bool m_done = false;
};

} // namespace animbox
