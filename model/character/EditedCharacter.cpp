#include "model/character/EditedCharacter.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace model {

namespace {

// The length of the first line of a block, its line end included.
qsizetype animLineLength(QByteArrayView block)
{
    const qsizetype end = block.indexOf('\n');
    return end < 0 ? block.size() : end + 1;
}

// The "anim" line of a block with its name word replaced by `name`; the
// spacing around it and a comment after it stay.
std::optional<QByteArray> renamedAnimLine(QByteArrayView line, const QString& name, TextEncoding encoding)
{
    const std::optional<QByteArray> word = encodeText(name, encoding);
    if (!word)
        return std::nullopt;
    const LineWords words = lineWords(line);
    QByteArray renamed = line.toByteArray();
    if (words.second.isEmpty()) {
        const qsizetype end = words.first.data() + words.first.size() - line.data();
        return renamed.insert(end, '\t' + *word);
    }
    return renamed.replace(words.second.data() - line.data(), words.second.size(), *word);
}

} // namespace

EditedCharacter::EditedCharacter(CharacterScript file)
    : m_file(std::move(file))
{
    for (int i = 0; i < m_file.blocks().size(); ++i) {
        AnimationEntry entry;
        entry.id = m_nextId++;
        entry.name = entry.fileName = m_file.blocks()[i].name;
        entry.block = i;
        m_entries.append(entry);
    }
}

const AnimationEntry* EditedCharacter::entry(quint32 id) const
{
    const int index = indexOf(id);
    return index < 0 ? nullptr : &m_entries[index];
}

AnimationEntry& EditedCharacter::entryRef(quint32 id)
{
    return m_entries[indexOf(id)];
}

int EditedCharacter::indexOf(quint32 id) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id)
            return i;
    return -1;
}

QList<quint32> EditedCharacter::shownIds() const
{
    QList<quint32> ids;
    for (const AnimationEntry& entry : m_entries)
        if (!entry.removed)
            ids.append(entry.id);
    return ids;
}

QByteArrayView EditedCharacter::bytesOf(const AnimationEntry& entry) const
{
    return entry.isInFile() ? m_file.bytesWithAnimLine(m_file.blocks()[entry.block]) : QByteArrayView(entry.bytes);
}

int EditedCharacter::frameCountOf(const AnimationEntry& entry) const
{
    if (entry.isInFile())
        return m_file.blocks()[entry.block].frameCount;
    const CharacterScript own(entry.bytes, m_file.encoding());
    return own.blocks().isEmpty() ? 0 : own.blocks().first().frameCount;
}

QString EditedCharacter::nameProblem(const QString& name, quint32 except) const
{
    static const QRegularExpression blankOrHash(QStringLiteral("[\\s#]"));
    if (name.isEmpty() || name.contains(blankOrHash))
        return QCoreApplication::translate("model::EditedCharacter", "动画名称不能为空, 也不能含有空白或 #.");
    for (const AnimationEntry& entry : m_entries) {
        if (!entry.removed && entry.id != except && entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return QCoreApplication::translate("model::EditedCharacter", "文件中已有动画 %1, 请换一个名称.").arg(entry.name);
    }
    if (!encodeText(name, m_file.encoding()))
        return QCoreApplication::translate("model::EditedCharacter", "动画名称含有 %1 无法写出的字符.").arg(encodingName(m_file.encoding()));
    return QString();
}

quint32 EditedCharacter::insert(int index, const QByteArray& block)
{
    AnimationEntry entry;
    entry.id = m_nextId++;
    entry.bytes = block;
    const CharacterScript own(block, m_file.encoding());
    entry.name = entry.fileName = own.blocks().value(0).name;
    m_entries.insert(qBound(0, index, int(m_entries.size())), entry);
    return entry.id;
}

void EditedCharacter::setRemoved(quint32 id, bool removed)
{
    entryRef(id).removed = removed;
}

void EditedCharacter::rename(quint32 id, const QString& name)
{
    entryRef(id).name = name;
}

std::optional<QByteArray> EditedCharacter::emptyBlock(const QString& name) const
{
    const std::optional<QByteArray> line = encodeText(QStringLiteral("anim\t") + name, m_file.encoding());
    return line ? std::optional(*line + m_file.lineEnd()) : std::nullopt;
}

OpenedBlock& EditedCharacter::open(quint32 id)
{
    AnimationEntry& entry = entryRef(id);
    if (!entry.opened) {
        if (entry.isInFile()) {
            entry.opened = std::make_shared<OpenedBlock>(m_file, m_file.blocks()[entry.block]);
        } else {
            const CharacterScript own(entry.bytes, m_file.encoding());
            entry.opened = std::make_shared<OpenedBlock>(own, own.blocks().first());
        }
    }
    return *entry.opened;
}

void EditedCharacter::setComplete(quint32 id, bool complete)
{
    entryRef(id).complete = complete;
}

std::optional<QByteArray> EditedCharacter::blockFor(const AnimationEntry& entry, const Animation* edited,
                                                    QString* error) const
{
    const QByteArrayView bytes = bytesOf(entry);
    const qsizetype lineLength = animLineLength(bytes);
    std::optional<QByteArray> block = renamedAnimLine(bytes.first(lineLength), entry.name, m_file.encoding());
    if (!block) {
        *error = QCoreApplication::translate("model::EditedCharacter", "动画名称 %1 含有 %2 无法写出的字符, 未保存.").arg(entry.name, encodingName(m_file.encoding()));
        return std::nullopt;
    }
    if (!edited)
        return *block + bytes.sliced(lineLength).toByteArray();
    if (!entry.complete || !entry.opened) {
        *error = QCoreApplication::translate("model::EditedCharacter", "动画 %1 没有完整读出, 保存会丢掉其余的帧, 未保存.").arg(entry.name);
        return std::nullopt;
    }
    // The block composed into is the entry's own, as last read or written.
    std::optional<CharacterScript> made;
    if (!entry.isInFile())
        made.emplace(entry.bytes, m_file.encoding());
    const CharacterScript& own = made ? *made : m_file;
    const AnimBlock& target = own.blocks()[made ? 0 : entry.block];
    const ComposedBlock composed = entry.opened->compose(*edited, own, &target, true);
    if (!composed.ok()) {
        *error = QCoreApplication::translate("model::EditedCharacter", "动画 %1: %2").arg(entry.name, composed.error);
        return std::nullopt;
    }
    return *block + composed.bytes;
}

quint32 EditedCharacter::entryAtLine(QByteArrayView bytes, int line, QStringView name) const
{
    if (bytes == QByteArrayView(m_file.bytes())) {
        qsizetype offset = 0;
        for (int i = 1; i < line; ++i) {
            const qsizetype end = bytes.indexOf('\n', offset);
            if (end < 0)
                break;
            offset = end + 1;
        }
        for (const AnimationEntry& entry : m_entries) {
            const AnimBlock* block = entry.isInFile() ? &m_file.blocks()[entry.block] : nullptr;
            if (block && !entry.removed && offset >= block->lineStart && offset < block->blockEnd)
                return entry.id;
        }
    }
    for (const AnimationEntry& entry : m_entries)
        if (!entry.removed && entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry.id;
    return 0;
}

} // namespace model
