#include "editor/character/CharacterSession.h"

#include "editor/document/AnimationDocument.h"
#include "editor/images/ImageLoading.h"
#include "model/script/ScriptReader.h"

#include <QUndoGroup>

namespace animbox {

CharacterSession::CharacterSession(CharacterFileLink link, model::EditedCharacter character, QString gameFolder,
                                   QUndoGroup& group, QObject* parent)
    : QObject(parent)
    , m_link(std::move(link))
    , m_character(std::move(character))
    , m_gameFolder(std::move(gameFolder))
    , m_group(group)
{
    group.addStack(&m_undoStack);
    connect(&m_undoStack, &QUndoStack::indexChanged, this, &CharacterSession::workChanged);
}

// The documents go first, while the session they signal to still stands.
CharacterSession::~CharacterSession()
{
    blockSignals(true);
    for (AnimationDocument* document : std::as_const(m_documents)) {
        document->disconnect(this);
        document->undoStack()->disconnect(this);
        delete document;
    }
}

AnimationDocument* CharacterSession::open(quint32 id, model::ReadResult* read)
{
    if (AnimationDocument* document = m_documents.value(id))
        return document;
    const model::AnimationEntry* entry = m_character.entry(id);
    if (!entry)
        return nullptr;
    const QString name = entry->name;
    const model::OpenedBlock& block = m_character.open(id);
    *read = model::readScript(block.readerText(), m_gameFolder,
                              [](const QString& image, QString* failure) { return loadImage(image, failure); });
    model::Animation& animation = read->animation;
    for (int i = 0; i < animation.rowCount(); ++i)
        animation.frames[i].sourceId = block.sourceIdOf(i);
    // The block keeps the lines after the last frame and writes them after
    // the frames; a frame added later must not take them too.
    if (animation.frames.size() > animation.rowCount())
        animation.frames.last().extra.clear();
    animation.animName = name;
    m_character.setComplete(id, read->finished);
    auto* document = new AnimationDocument;
    document->animation() = std::move(animation);
    adopt(id, document);
    return document;
}

void CharacterSession::adopt(quint32 id, AnimationDocument* document)
{
    document->setParent(this);
    m_documents.insert(id, document);
    m_group.addStack(document->undoStack());
    connect(document->undoStack(), &QUndoStack::indexChanged, this, &CharacterSession::workChanged);
    connect(document->undoStack(), &QUndoStack::cleanChanged, this, &CharacterSession::workChanged);
    connect(document, &AnimationDocument::rowsChanged, this, &CharacterSession::workChanged);
}

bool CharacterSession::isEdited(quint32 id) const
{
    const AnimationDocument* document = m_documents.value(id);
    return document && !document->undoStack()->isClean();
}

bool CharacterSession::isMarked(quint32 id) const
{
    const model::AnimationEntry* entry = m_character.entry(id);
    return entry && !entry->removed && (isEdited(id) || entry->isRenamed() || !entry->isInFile());
}

bool CharacterSession::hasUnsavedChanges() const
{
    return !changedNames().isEmpty();
}

QStringList CharacterSession::changedNames() const
{
    QStringList names;
    for (const model::AnimationEntry& entry : m_character.entries()) {
        if (entry.removed && entry.isInFile())
            names.append(tr("删除的 %1").arg(entry.fileName));
        else if (isMarked(entry.id))
            names.append(entry.name);
    }
    return names;
}

QHash<quint32, const model::Animation*> CharacterSession::editedAnimations() const
{
    QHash<quint32, const model::Animation*> edited;
    for (auto it = m_documents.cbegin(); it != m_documents.cend(); ++it) {
        const model::AnimationEntry* entry = m_character.entry(it.key());
        if (entry && !entry->removed && isEdited(it.key()))
            edited.insert(it.key(), &it.value()->animation());
    }
    return edited;
}

int CharacterSession::frameCount(quint32 id) const
{
    if (const AnimationDocument* document = m_documents.value(id))
        return document->animation().rowCount();
    const model::AnimationEntry* entry = m_character.entry(id);
    return entry ? m_character.frameCountOf(*entry) : 0;
}

void CharacterSession::saved(const QString& path, const model::CharacterComposition& composition,
                             const QHash<quint32, const model::Animation*>& edited)
{
    const model::CharacterScript written(composition.bytes, m_character.encoding());
    m_character.saved(written, composition, edited);
    m_link.saved(path, composition.bytes);
    for (auto it = edited.cbegin(); it != edited.cend(); ++it)
        m_documents.value(it.key())->undoStack()->setClean();
    // Animations not found again in a file another program changed are
    // read afresh when next opened; the window leaves them first.
    QList<AnimationDocument*> dropped;
    for (const quint32 id : m_documents.keys()) {
        if (!m_character.entry(id))
            dropped.append(m_documents.take(id));
    }
    emit entriesChanged(0);
    for (AnimationDocument* document : dropped)
        document->deleteLater();
}

} // namespace animbox
