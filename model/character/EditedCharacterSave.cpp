// The save of a character file as edited: the file's current bytes with
// the blocks that changed spliced in, and the entries afterwards.

#include "model/character/EditedCharacter.h"
#include "model/files/TextFileEncoding.h"

#include <QCoreApplication>
#include <QSet>

namespace model {

QList<bool> EditedCharacter::touched(const std::function<bool(quint32)>& isEdited) const
{
    QList<bool> result(m_entries.size(), false);
    int lastInFile = -1;
    bool addedFirst = false;
    for (int i = 0; i < m_entries.size(); ++i) {
        const AnimationEntry& entry = m_entries[i];
        if (entry.isInFile()) {
            result[i] = entry.removed || entry.isRenamed() || isEdited(entry.id) || (lastInFile < 0 && addedFirst);
            lastInFile = i;
        } else if (!entry.removed) {
            result[i] = true;
            if (lastInFile >= 0)
                result[lastInFile] = true;
            addedFirst = addedFirst || lastInFile < 0;
        }
    }
    return result;
}

int EditedCharacter::findBlock(const CharacterScript& script, QByteArrayView bytes, qsizetype position)
{
    int found = -1;
    int count = 0;
    for (int i = 0; i < script.blocks().size(); ++i) {
        if (script.bytesWithAnimLine(script.blocks()[i]) != bytes)
            continue;
        if (script.blocks()[i].lineStart == position)
            return i;
        found = i;
        ++count;
    }
    return count == 1 ? found : -1;
}

QList<int> EditedCharacter::locateAll(const CharacterScript& script, bool sameFile) const
{
    QList<int> located(m_entries.size(), -1);
    QHash<int, int> finds;
    for (int i = 0; i < m_entries.size(); ++i) {
        const AnimationEntry& entry = m_entries[i];
        if (!entry.isInFile())
            continue;
        located[i] = sameFile ? entry.block : findBlock(script, bytesOf(entry), -1);
        ++finds[located[i]];
    }
    // Two blocks of the file as read that became one: neither is found.
    for (int& block : located)
        if (block >= 0 && finds.value(block) > 1)
            block = -1;
    return located;
}

CharacterComposition EditedCharacter::compose(const QByteArray& current,
                                              const QHash<quint32, const Animation*>& edited) const
{
    const CharacterScript script(current, m_file.encoding());
    const QList<int> located = locateAll(script, current == m_file.bytes());
    const QList<bool> changes = touched([&edited](quint32 id) { return edited.contains(id); });

    // Each added entry goes after the entry in the file before it; those
    // before every such entry go before the first.
    QHash<int, QList<int>> after;
    QList<int> leading;
    QHash<int, int> entryOfBlock;
    int lastInFile = -1;
    int firstInFile = -1;
    for (int i = 0; i < m_entries.size(); ++i) {
        const AnimationEntry& entry = m_entries[i];
        if (!entry.isInFile()) {
            if (!entry.removed)
                (lastInFile < 0 ? leading : after[lastInFile]).append(i);
            continue;
        }
        if (changes[i] && located[i] < 0) {
            return {{}, QCoreApplication::translate("model::EditedCharacter",
                                                    "文件中找不到打开时的动画 %1: 它已被其他程序修改, 或在文件中出现了多次. 未保存.")
                            .arg(entry.fileName), {}};
        }
        if (located[i] >= 0)
            entryOfBlock.insert(located[i], i);
        lastInFile = i;
        if (firstInFile < 0)
            firstInFile = i;
    }

    CharacterComposition result;
    QByteArray& out = result.bytes;
    out = current.left(script.blocks().isEmpty() ? current.size() : script.blocks().first().lineStart);
    const auto append = [&](QByteArrayView block, quint32 id) {
        // A byte-order mark alone is no unfinished line: the block follows it directly.
        if (out.size() > byteOrderMarkLength(out) && !out.endsWith('\n'))
            out += script.lineEnd();
        out += block;
        result.blockEntries.append(id);
    };
    const auto appendEntries = [&](const QList<int>& indexes) {
        for (const int i : indexes) {
            const AnimationEntry& entry = m_entries[i];
            if (entry.removed)
                continue;
            const std::optional<QByteArray> block = blockFor(entry, edited.value(entry.id), &result.error);
            if (!block)
                return false;
            append(*block, entry.id);
        }
        return true;
    };
    for (int b = 0; b < script.blocks().size(); ++b) {
        const int i = entryOfBlock.value(b, -1);
        if (i >= 0 && i == firstInFile && !appendEntries(leading))
            return result;
        if (i >= 0 && changes[i]) {
            if (!appendEntries({i}) || !appendEntries(after.value(i)))
                return result;
        } else {
            append(script.bytesWithAnimLine(script.blocks()[b]), i >= 0 ? m_entries[i].id : 0);
        }
    }
    if (firstInFile < 0)
        appendEntries(leading);
    return result;
}

void EditedCharacter::saved(const CharacterScript& written, const CharacterComposition& composition,
                            const QHash<quint32, const Animation*>& edited)
{
    QList<AnimationEntry> entries;
    QSet<quint32> kept;
    for (int b = 0; b < written.blocks().size(); ++b) {
        const AnimBlock& block = written.blocks()[b];
        const int index = indexOf(composition.blockEntries.value(b));
        AnimationEntry entry;
        if (index < 0) {
            entry.id = m_nextId++;
        } else {
            entry = m_entries[index];
            if (entry.opened && edited.contains(entry.id))
                entry.opened->saved(written, block, *edited.value(entry.id));
            else if (entry.opened && bytesOf(entry) != written.bytesWithAnimLine(block))
                entry.opened->moved(written, block);
        }
        entry.block = b;
        entry.bytes.clear();
        entry.name = entry.fileName = block.name;
        entries.append(entry);
        kept.insert(entry.id);
    }
    // Removed entries stay, outside the file, after the entry before them
    // that is still there.
    for (int i = 0; i < m_entries.size(); ++i) {
        AnimationEntry entry = m_entries[i];
        if (!entry.removed || kept.contains(entry.id))
            continue;
        if (entry.isInFile()) {
            entry.bytes = bytesOf(entry).toByteArray();
            entry.block = -1;
        }
        int at = 0;
        for (int j = i - 1; j >= 0 && at == 0; --j) {
            for (int k = 0; k < entries.size(); ++k)
                if (entries[k].id == m_entries[j].id)
                    at = k + 1;
        }
        entries.insert(at, entry);
        kept.insert(entry.id);
    }
    m_entries = entries;
    m_file = written;
}

} // namespace model
