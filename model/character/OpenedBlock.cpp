#include "model/character/OpenedBlock.h"

#include <QCoreApplication>
#include <QJsonArray>

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

void OpenedBlock::moved(const CharacterScript& script, const AnimBlock& block)
{
    take(script, block, QList<quint32>(m_ids));
}

QJsonObject OpenedBlock::toJson() const
{
    QJsonArray ids;
    for (const quint32 id : m_ids)
        ids.append(qint64(id));
    QJsonObject frames;
    for (auto it = m_source.frames.cbegin(); it != m_source.frames.cend(); ++it) {
        QByteArray bytes;
        for (const SourceLine& line : it.value())
            bytes += line.bytes;
        frames.insert(QString::number(it.key()), QString::fromLatin1(bytes.toBase64()));
    }
    return {{"name", m_name},
            {"bytes", QString::fromLatin1(m_bytes.toBase64())},
            {"position", qint64(m_position)},
            {"encoding", encodingName(m_source.encoding)},
            {"lineEnd", QString::fromLatin1(m_source.style.lineEnd)},
            {"ids", ids},
            {"nextId", qint64(m_nextId)},
            {"frames", frames}};
}

std::optional<OpenedBlock> OpenedBlock::fromJson(const QJsonObject& json)
{
    const auto base64 = [](const QJsonValue& value) -> std::optional<QByteArray> {
        auto decoded = QByteArray::fromBase64Encoding(value.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        return value.isString() && decoded ? std::optional(*decoded) : std::nullopt;
    };
    std::optional<TextEncoding> encoding;
    for (const TextEncoding e : {TextEncoding::Utf8, TextEncoding::Gbk, TextEncoding::Gb18030})
        if (json.value(QLatin1String("encoding")).toString() == encodingName(e))
            encoding = e;
    const QString lineEnd = json.value(QLatin1String("lineEnd")).toString();
    const std::optional<QByteArray> bytes = base64(json.value(QLatin1String("bytes")));
    const double position = json.value(QLatin1String("position")).toDouble(-1);
    if (!encoding || (lineEnd != u"\n" && lineEnd != u"\r\n") || !bytes || position < 0
        || !json.value(QLatin1String("name")).isString())
        return std::nullopt;

    // The block as a file of its own, its "anim" line first.
    const CharacterScript script(*bytes, encoding);
    if (script.blocks().size() != 1 || script.blocks().first().lineStart != 0)
        return std::nullopt;
    OpenedBlock block;
    QList<quint32> ids;
    for (const QJsonValue& id : json.value(QLatin1String("ids")).toArray())
        ids.append(quint32(id.toDouble()));
    block.m_nextId = quint32(json.value(QLatin1String("nextId")).toDouble());
    block.take(script, script.blocks().first(), ids);
    if (block.m_ids != ids || block.m_nextId != quint32(json.value(QLatin1String("nextId")).toDouble()))
        return std::nullopt;
    block.m_source.style.lineEnd = lineEnd.toLatin1();
    block.m_position = qsizetype(position);
    // The lines of frames no longer in the block.
    const QJsonObject frames = json.value(QLatin1String("frames")).toObject();
    for (auto it = frames.constBegin(); it != frames.constEnd(); ++it) {
        bool numeric = false;
        const quint32 id = it.key().toUInt(&numeric);
        const std::optional<QByteArray> lines = base64(it.value());
        if (!numeric || !lines || id == 0 || id >= block.m_nextId)
            return std::nullopt;
        if (!block.m_source.frames.contains(id))
            block.m_source.frames.insert(id, splitSourceLines(*lines, *encoding));
    }
    return block;
}

} // namespace model
