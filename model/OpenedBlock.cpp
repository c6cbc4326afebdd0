#include "model/OpenedBlock.h"

#include <QCoreApplication>

namespace model {

namespace {

// The lines in another encoding and with other line ends, for a block
// written into another file; an error names a line that cannot be written.
bool reencode(QList<SourceLine>& lines, TextEncoding encoding, const QByteArray& lineEnd, QString* error)
{
    for (SourceLine& line : lines) {
        const std::optional<QByteArray> bytes = line.lossless ? encodeText(line.text, encoding) : std::nullopt;
        if (!bytes) {
            *error = QCoreApplication::translate("model::OpenedBlock", "这一行无法用 %1 写出, 未保存: %2")
                         .arg(encodingName(encoding), line.text.trimmed());
            return false;
        }
        line.bytes = *bytes + (line.lineEnd().isEmpty() ? QByteArray() : lineEnd);
    }
    return true;
}

} // namespace

OpenedBlock::OpenedBlock(const CharacterScript& script, const AnimBlock& block)
{
    take(script, block, {});
}

quint32 OpenedBlock::sourceIdOf(int index) const
{
    return m_ids.value(index);
}

void OpenedBlock::take(const CharacterScript& script, const AnimBlock& block, const QList<quint32>& ids)
{
    const BlockLayout layout(script.blockBytes(block), script.encoding(), script.lineEnd());
    BlockSource source;
    source.head = layout.headLines();
    source.tail = layout.tail();
    source.style = layout.style();
    source.encoding = layout.encoding();
    m_ids.clear();
    for (qsizetype i = 0; i < layout.frames().size(); ++i) {
        const quint32 id = ids.value(i) != 0 ? ids.value(i) : m_nextId++;
        m_ids.append(id);
        source.frames.insert(id, layout.frames()[i]);
    }
    source.headFrameId = m_ids.value(0);
    // Lines of frames no longer in the block, for an undo that brings them back.
    const bool sameSpelling = m_source.encoding == source.encoding && m_source.style.lineEnd == source.style.lineEnd;
    for (auto it = m_source.frames.cbegin(); it != m_source.frames.cend(); ++it) {
        QList<SourceLine> lines = it.value();
        QString error;
        if (!source.frames.contains(it.key())
            && (sameSpelling || reencode(lines, source.encoding, source.style.lineEnd, &error)))
            source.frames.insert(it.key(), lines);
    }
    m_source = std::move(source);
    m_name = block.name;
    m_bytes = script.bytesWithAnimLine(block).toByteArray();
    m_position = block.lineStart;
    m_readerText = layout.readerText();
}

const AnimBlock* OpenedBlock::locate(const CharacterScript& script, bool unchanged) const
{
    const AnimBlock* found = nullptr;
    for (const AnimBlock& block : script.blocks()) {
        if (script.bytesWithAnimLine(block) != m_bytes)
            continue;
        if (unchanged && block.lineStart == m_position)
            return &block;
        if (found)
            return nullptr;
        found = &block;
    }
    return found;
}

ComposedBlock OpenedBlock::compose(const Animation& animation, const CharacterScript& script, const AnimBlock* target,
                                   bool sameFile) const
{
    BlockSource source = m_source;
    if (!sameFile && !script.bytes().isEmpty()
        && (script.encoding() != source.encoding || script.lineEnd() != source.style.lineEnd)) {
        QString error;
        for (QList<SourceLine>* lines : {&source.head, &source.tail})
            if (!reencode(*lines, script.encoding(), script.lineEnd(), &error))
                return {{}, error};
        for (QList<SourceLine>& lines : source.frames)
            if (!reencode(lines, script.encoding(), script.lineEnd(), &error))
                return {{}, error};
        source.encoding = script.encoding();
        source.style.lineEnd = script.lineEnd();
    }
    const bool own = sameFile && target && script.bytesWithAnimLine(*target) == m_bytes;
    if (target && !own) {
        // Another animation replaced: its own lines stay, in its spelling.
        const BlockLayout layout(script.blockBytes(*target), script.encoding(), script.lineEnd());
        source.head = layout.headLines();
        source.tail = layout.tail();
        source.headFrameId = 0;
        source.style = layout.style();
    }
    return composeBlock(source, animation);
}

void OpenedBlock::saved(const CharacterScript& script, const AnimBlock& block, const Animation& animation)
{
    QList<quint32> ids;
    for (int i = 0; i < animation.rowCount(); ++i)
        ids.append(animation.frames.at(i).sourceId);
    take(script, block, ids);
}

} // namespace model
