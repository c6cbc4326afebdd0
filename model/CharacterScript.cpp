#include "model/CharacterScript.h"

#include "model/TextFileEncoding.h"

namespace model {

namespace {

// Blanks between words; the line end counts as one.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first and second words of one line of bytes; a "#" ends the line.
struct LineWords {
    QByteArrayView first;
    QByteArrayView second;
};

LineWords lineWords(QByteArrayView line)
{
    const qsizetype comment = line.indexOf('#');
    if (comment >= 0)
        line = line.first(comment);
    LineWords words;
    qsizetype i = 0;
    for (QByteArrayView* word : {&words.first, &words.second}) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        *word = line.sliced(start, i - start);
    }
    return words;
}

} // namespace

CharacterScript::CharacterScript(QByteArray bytes, std::optional<TextEncoding> encoding)
    : m_bytes(std::move(bytes))
{
    m_lineEnd = lineEndOf(m_bytes);
    m_encoding = encoding.value_or(detectEncoding(m_bytes));

    AnimBlock* current = nullptr;
    // A byte-order mark is not part of the first line's first word.
    qsizetype start = byteOrderMarkLength(m_bytes);
    while (start < m_bytes.size()) {
        qsizetype end = m_bytes.indexOf('\n', start);
        end = end < 0 ? m_bytes.size() : end + 1;
        const LineWords words = lineWords(QByteArrayView(m_bytes).sliced(start, end - start));
        if (words.first.compare("anim", Qt::CaseInsensitive) == 0) {
            if (current)
                current->blockEnd = start;
            m_blocks.append(AnimBlock{decodeText(words.second, m_encoding), start, end, m_bytes.size(), 0});
            current = &m_blocks.last();
        } else if (current && words.first.compare("frame", Qt::CaseInsensitive) == 0) {
            ++current->frameCount;
        }
        start = end;
    }
}

const AnimBlock* CharacterScript::find(QStringView name) const
{
    for (const AnimBlock& block : m_blocks) {
        if (block.name.compare(name, Qt::CaseInsensitive) == 0)
            return &block;
    }
    return nullptr;
}

QByteArrayView CharacterScript::blockBytes(const AnimBlock& block) const
{
    return QByteArrayView(m_bytes).sliced(block.blockStart, block.blockEnd - block.blockStart);
}

QByteArrayView CharacterScript::bytesWithAnimLine(const AnimBlock& block) const
{
    return QByteArrayView(m_bytes).sliced(block.lineStart, block.blockEnd - block.lineStart);
}

QByteArray CharacterScript::withBlockReplaced(const AnimBlock& block, QByteArrayView bytes) const
{
    QByteArray result = m_bytes;
    result.replace(block.blockStart, block.blockEnd - block.blockStart, bytes);
    return result;
}

std::optional<QByteArray> CharacterScript::withBlockAdded(const QString& name, QByteArrayView bytes,
                                                          TextEncoding encoding) const
{
    const std::optional<QByteArray> animLine = encodeText(QStringLiteral("anim\t") + name, encoding);
    if (!animLine)
        return std::nullopt;
    QByteArray result = m_bytes;
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += m_lineEnd;
    result += *animLine + m_lineEnd;
    result += bytes;
    return result;
}

} // namespace model
