#pragma once

#include <QUndoCommand>

namespace animbox {

class CharacterSession;

// New and copied animations: puts a block into the file's list at a place;
// undo takes it out again, and redo puts back the same animation, with
// whatever edits it had meanwhile. The window shows it.
class AddAnimationCommand : public QUndoCommand {
public:
    AddAnimationCommand(CharacterSession& session, const QString& text, int index, QByteArray block);
    void redo() override;
    void undo() override;

private:
    CharacterSession& m_session;
    int m_index;
    QByteArray m_block;
    quint32 m_id = 0;
};

// Renames an animation: its "anim" line changes when the file is saved.
class RenameAnimationCommand : public QUndoCommand {
public:
    RenameAnimationCommand(CharacterSession& session, quint32 id, const QString& name);
    void redo() override;
    void undo() override;

private:
    CharacterSession& m_session;
    quint32 m_id;
    QString m_before;
    QString m_after;
};

// Deletes an animation: its block goes when the file is saved. Undo brings
// it back, with its unsaved edits, and shows it.
class DeleteAnimationCommand : public QUndoCommand {
public:
    DeleteAnimationCommand(CharacterSession& session, quint32 id);
    void redo() override;
    void undo() override;

private:
    CharacterSession& m_session;
    quint32 m_id;
};

} // namespace animbox
