// A character file as edited, kept in a recovery file and restored onto
// the file as it is at the next start.

#include "model/character/EditedCharacter.h"

#include <QJsonArray>
#include <QSet>

namespace model {

QJsonObject EditedCharacter::toJson(const QList<quint32>& edited) const
{
    const QList<bool> kept = touched([&edited](quint32 id) { return edited.contains(id); });
    QJsonArray entries;
    for (int i = 0; i < m_entries.size(); ++i) {
        const AnimationEntry& entry = m_entries[i];
        if (!kept[i])
            continue;
        QJsonObject json{{"id", qint64(entry.id)},
                         {"name", entry.name},
                         {"bytes", QString::fromLatin1(bytesOf(entry).toByteArray().toBase64())},
                         {"position", entry.isInFile() ? qint64(m_file.blocks()[entry.block].lineStart) : -1},
                         {"removed", entry.removed},
                         {"complete", entry.complete}};
        if (entry.opened && edited.contains(entry.id))
            json.insert(QStringLiteral("opened"), entry.opened->toJson());
        entries.append(json);
    }
    return {{"entries", entries}, {"nextId", qint64(m_nextId)}, {"encoding", encodingName(encoding())}};
}

namespace {

// One kept entry, read and checked; nullopt when the JSON is damaged.
std::optional<AnimationEntry> entryFromJson(const QJsonObject& json, TextEncoding encoding, quint32 nextId,
                                            qsizetype* position)
{
    const auto decoded = QByteArray::fromBase64Encoding(json.value(QLatin1String("bytes")).toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    const double id = json.value(QLatin1String("id")).toDouble();
    const CharacterScript own(decoded ? *decoded : QByteArray(), encoding);
    AnimationEntry entry;
    entry.name = json.value(QLatin1String("name")).toString();
    if (!decoded || own.blocks().size() != 1 || own.blocks().first().lineStart != 0 || id < 1 || id >= nextId
        || entry.name.isEmpty() || !json.value(QLatin1String("removed")).isBool()
        || !json.value(QLatin1String("complete")).isBool())
        return std::nullopt;
    entry.id = quint32(id);
    entry.fileName = own.blocks().first().name;
    entry.bytes = *decoded;
    entry.removed = json.value(QLatin1String("removed")).toBool();
    entry.complete = json.value(QLatin1String("complete")).toBool();
    if (json.contains(QLatin1String("opened"))) {
        std::optional<OpenedBlock> opened = OpenedBlock::fromJson(json.value(QLatin1String("opened")).toObject());
        if (!opened)
            return std::nullopt;
        entry.opened = std::make_shared<OpenedBlock>(std::move(*opened));
    }
    *position = qsizetype(json.value(QLatin1String("position")).toDouble(-1));
    return entry;
}

} // namespace

std::optional<EditedCharacter::Restored> EditedCharacter::restore(const QByteArray& current, TextEncoding encoding,
                                                                  const QJsonObject& json, bool asWritten)
{
    const quint32 nextId = quint32(json.value(QLatin1String("nextId")).toDouble());
    Restored restored{EditedCharacter(CharacterScript(current, encoding)), {}, {}};
    EditedCharacter& character = restored.character;
    // The file's blocks take ids after the kept ones.
    for (AnimationEntry& entry : character.m_entries)
        entry.id += nextId;
    character.m_nextId += nextId;

    QList<AnimationEntry> appended;
    QSet<quint32> ids;
    QSet<int> bound;
    int insertAt = 0; // where the next added entry goes: after the entry before it
    for (const QJsonValue& value : json.value(QLatin1String("entries")).toArray()) {
        qsizetype position = -1;
        std::optional<AnimationEntry> entry = entryFromJson(value.toObject(), encoding, nextId, &position);
        if (!entry || ids.contains(entry->id))
            return std::nullopt;
        ids.insert(entry->id);
        if (position < 0) {
            character.m_entries.insert(qMin(insertAt++, int(character.m_entries.size())), *entry);
            continue;
        }
        const int block = findBlock(character.m_file, entry->bytes, asWritten ? position : -1);
        if (block < 0 || bound.contains(block)) {
            insertAt = int(character.m_entries.size());
            // Edits of an animation no longer in the file are not lost: they
            // come back as an animation added at the end.
            if (entry->opened && !entry->removed) {
                appended.append(*entry);
                restored.appended.append(entry->name);
            } else {
                restored.lost.append(entry->name);
            }
            continue;
        }
        bound.insert(block);
        entry->block = block;
        entry->bytes.clear();
        for (int i = 0; i < character.m_entries.size(); ++i) {
            if (character.m_entries[i].block == block) {
                character.m_entries[i] = *entry;
                insertAt = i + 1;
            }
        }
    }
    character.m_entries.append(appended);
    return restored;
}

} // namespace model
