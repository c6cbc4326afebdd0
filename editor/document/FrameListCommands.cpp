#include "editor/document/FrameListCommands.h"

#include <QCoreApplication>

namespace animbox {

AddFrameCommand::AddFrameCommand(AnimationDocument& document, const QString& name, const model::FrameRecord& record)
    : QUndoCommand(QCoreApplication::translate("animbox::FrameListCommands", "加入帧"))
    , m_document(document)
    , m_name(name)
    , m_record(record)
    , m_row(document.animation().rowCount())
    , m_selection(document.selection())
    , m_spare(document.animation().frames.mid(m_row))
{
}

// The first time the selection, the canvas and the panel stay as they are.
void AddFrameCommand::redo()
{
    model::Animation& animation = m_document.animation();
    animation.rows.append(m_name);
    animation.resizeFrames(m_row);
    animation.frames.append(m_record);
    m_document.settle(m_selection, std::exchange(m_done, true) ? Refresh::Selection : Refresh::Nothing, true);
}

void AddFrameCommand::undo()
{
    model::Animation& animation = m_document.animation();
    animation.rows.removeLast();
    animation.resizeFrames(m_row);
    animation.frames.append(m_spare);
    m_document.settle(m_selection, Refresh::Selection, true);
}

DeleteFrameCommand::DeleteFrameCommand(AnimationDocument& document, int row)
    : QUndoCommand(QCoreApplication::translate("animbox::FrameListCommands", "删除帧"))
    , m_document(document)
    , m_row(row)
    , m_name(document.animation().rows.at(row))
    , m_record(document.animation().frames.at(row))
    , m_spare(document.animation().frames.mid(document.animation().rowCount()))
{
}

void DeleteFrameCommand::redo()
{
    model::Animation& animation = m_document.animation();
    animation.removeFrame(m_row);
    m_document.settle(qMin(m_row, animation.rowCount() - 1), Refresh::Selection, true);
}

void DeleteFrameCommand::undo()
{
    model::Animation& animation = m_document.animation();
    animation.rows.insert(m_row, m_name);
    animation.frames.insert(m_row, m_record);
    animation.frames.append(m_spare);
    m_document.settle(m_row, Refresh::Selection, true);
}

SwapFramesCommand::SwapFramesCommand(AnimationDocument& document, const QString& text, int from, int to)
    : QUndoCommand(text)
    , m_document(document)
    , m_from(from)
    , m_to(to)
{
}

void SwapFramesCommand::redo()
{
    swapTo(m_to);
}

void SwapFramesCommand::undo()
{
    swapTo(m_from);
}

void SwapFramesCommand::swapTo(int selection)
{
    m_document.animation().swapFrames(m_from, m_to);
    m_document.settle(selection, Refresh::Selection, true);
}

} // namespace animbox
