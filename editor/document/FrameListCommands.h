#pragma once

#include "editor/document/AnimationDocument.h"

#include <QUndoCommand>

namespace animbox {

// "加入帧": appends a row and its record. The record replaces the spare one
// the script reader may have left, which undo gives back.
class AddFrameCommand : public QUndoCommand {
public:
    AddFrameCommand(AnimationDocument& document, const QString& name, const model::FrameRecord& record);
    void redo() override;
    void undo() override;

private:
    AnimationDocument& m_document;
    QString m_name;
    model::FrameRecord m_record;
    int m_row;
    int m_selection;
    QList<model::FrameRecord> m_spare;
    bool m_done = false;
};

// "删除帧": removes a row with its record (and any spare record) and selects
// the row that takes its place.
class DeleteFrameCommand : public QUndoCommand {
public:
    DeleteFrameCommand(AnimationDocument& document, int row);
    void redo() override;
    void undo() override;

private:
    AnimationDocument& m_document;
    int m_row;
    QString m_name;
    model::FrameRecord m_record;
    QList<model::FrameRecord> m_spare;
};

// "上移" / "下移": swaps the selected row with a neighbour, records included,
// and the selection follows the moved frame.
class SwapFramesCommand : public QUndoCommand {
public:
    SwapFramesCommand(AnimationDocument& document, const QString& text, int from, int to);
    void redo() override;
    void undo() override;

private:
    void swapTo(int selection);

    AnimationDocument& m_document;
    int m_from;
    int m_to;
};

} // namespace animbox
