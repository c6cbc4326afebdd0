#include "editor/character/AnimationEntryCommands.h"

#include "editor/character/CharacterSession.h"

#include <QCoreApplication>

namespace animbox {

AddAnimationCommand::AddAnimationCommand(CharacterSession& session, const QString& text, int index, QByteArray block)
    : QUndoCommand(text)
    , m_session(session)
    , m_index(index)
    , m_block(std::move(block))
{
}

void AddAnimationCommand::redo()
{
    if (m_id == 0)
        m_id = m_session.character().insert(m_index, m_block);
    else
        m_session.character().setRemoved(m_id, false);
    m_session.listChanged(m_id);
}

void AddAnimationCommand::undo()
{
    m_session.character().setRemoved(m_id, true);
    m_session.listChanged(0);
}

RenameAnimationCommand::RenameAnimationCommand(CharacterSession& session, quint32 id, const QString& name)
    : m_session(session)
    , m_id(id)
    , m_before(session.character().entry(id)->name)
    , m_after(name)
{
    setText(QCoreApplication::translate("animbox::AnimationEntryCommands", "重命名 %1 为 %2").arg(m_before, m_after));
}

void RenameAnimationCommand::redo()
{
    m_session.character().rename(m_id, m_after);
    m_session.listChanged(0);
}

void RenameAnimationCommand::undo()
{
    m_session.character().rename(m_id, m_before);
    m_session.listChanged(0);
}

DeleteAnimationCommand::DeleteAnimationCommand(CharacterSession& session, quint32 id)
    : QUndoCommand(QCoreApplication::translate("animbox::AnimationEntryCommands", "删除动画 %1").arg(session.character().entry(id)->name))
    , m_session(session)
    , m_id(id)
{
}

void DeleteAnimationCommand::redo()
{
    m_session.character().setRemoved(m_id, true);
    m_session.listChanged(0);
}

void DeleteAnimationCommand::undo()
{
    m_session.character().setRemoved(m_id, false);
    m_session.listChanged(m_id);
}

} // namespace animbox
