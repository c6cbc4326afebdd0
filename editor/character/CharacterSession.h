#pragma once

#include "editor/character/CharacterFileLink.h"
#include "model/character/EditedCharacter.h"

#include <QHash>
#include <QObject>
#include <QUndoStack>

class QUndoGroup;

namespace model {
struct ReadResult;
}

namespace animbox {

class AnimationDocument;

// The character file open in the window: what the window knows of the file
// on disk, its animations as edited, one document per animation opened,
// each with its own undo history and kept while the file is open, and the
// file's own undo history of new, renamed, copied and deleted animations.
// Every history is in the window's undo group.
class CharacterSession : public QObject {
    Q_OBJECT
public:
    CharacterSession(CharacterFileLink link, model::EditedCharacter character, QString gameFolder, QUndoGroup& group,
                     QObject* parent = nullptr);
    ~CharacterSession() override;

    const CharacterFileLink& link() const { return m_link; }
    model::EditedCharacter& character() { return m_character; }
    const model::EditedCharacter& character() const { return m_character; }
    const QString& gameFolder() const { return m_gameFolder; }
    QUndoStack* undoStack() { return &m_undoStack; }

    // The document of an animation; null while it was never opened.
    AnimationDocument* document(quint32 id) const { return m_documents.value(id); }
    // The document of an animation, read from its block when first asked
    // for; `read` then holds what reading said (a message when it stopped
    // early, the folder of the last frame), the animation moved out.
    AnimationDocument* open(quint32 id, model::ReadResult* read);
    // A document made elsewhere becomes the animation's: a restored one, or
    // the one an animation was written from into this file.
    void adopt(quint32 id, AnimationDocument* document);

    // Whether the animation has edits not written into the file.
    bool isEdited(quint32 id) const;
    // Whether the panel marks it: edited, renamed, or not yet in the file.
    bool isMarked(quint32 id) const;
    bool hasUnsavedChanges() const;
    // The names of the animations a save would change, a deleted one as such.
    QStringList changedNames() const;
    // The animations with unsaved edits, by entry id.
    QHash<quint32, const model::Animation*> editedAnimations() const;
    // The number of frames the panel shows for an animation.
    int frameCount(quint32 id) const;

    // After `composition` was written into the file at `path`, with the
    // `edited` animations.
    void saved(const QString& path, const model::CharacterComposition& composition,
               const QHash<quint32, const model::Animation*>& edited);

    // Used by the file's undo steps once they changed the list: tells the
    // window, which shows animation `show` (0: the one it shows, when still there).
    void listChanged(quint32 show) { emit entriesChanged(show); }

signals:
    void entriesChanged(quint32 show);
    // A history moved or an animation's rows changed: marks, frame counts
    // and the unsaved state may differ.
    void workChanged();

private:
    CharacterFileLink m_link;
    model::EditedCharacter m_character;
    QString m_gameFolder;
    QUndoGroup& m_group;
    QUndoStack m_undoStack;
    QHash<quint32, AnimationDocument*> m_documents;
};

} // namespace animbox
