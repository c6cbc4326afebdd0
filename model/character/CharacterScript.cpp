#include "model/character/CharacterScript.h"

#include "model/files/TextFileEncoding.h"

namespace model {

namespace {

// Blanks between words; the line end counts as one.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether a word is `lower` in any letter case; cheaper than a general
// comparison on every line of a large file.
bool isWord(QByteArrayView word, QByteArrayView lower)
{
    if (word.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if ((word[i] | 0x20) != lower[i])
            return false;
    return true;
}

// The number of frame lines in block bytes.
int countFrames(QByteArrayView bytes)
{
    int frames = 0;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        frames += isWord(lineWords(bytes.sliced(start, end - start)).first, "frame") ? 1 : 0;
        start = end;
    }
    return frames;
}

} // namespace

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

CharacterScript::CharacterScript(QByteArray bytes, std::optional<TextEncoding> encoding)
    : m_bytes(std::move(bytes))
{
    m_lineEnd = lineEndOf(m_bytes);
    m_encoding = encoding ? *encoding : detectEncoding(m_bytes);

    AnimBlock* current = nullptr;
    // A byte-order mark is not part of the first line's first word.
    qsizetype start = byteOrderMarkLength(m_bytes);
    while (start < m_bytes.size()) {
        qsizetype end = m_bytes.indexOf('\n', start);
        end = end < 0 ? m_bytes.size() : end + 1;
        const LineWords words = lineWords(QByteArrayView(m_bytes).sliced(start, end - start));
        if (isWord(words.first, "anim")) {
            if (current)
                current->blockEnd = start;
            m_blocks.append(AnimBlock{decodeText(words.second, m_encoding), start, end, m_bytes.size(), 0});
            current = &m_blocks.last();
        } else if (current && isWord(words.first, "frame")) {
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

CharacterScript CharacterScript::withBlockReplaced(const AnimBlock& block, QByteArrayView bytes) const
{
    CharacterScript result = *this;
    result.m_bytes.replace(block.blockStart, block.blockEnd - block.blockStart, bytes);
    const qsizetype shift = bytes.size() - (block.blockEnd - block.blockStart);
    for (AnimBlock& b : result.m_blocks) {
        if (b.lineStart > block.lineStart) {
            b.lineStart += shift;
            b.blockStart += shift;
            b.blockEnd += shift;
        } else if (b.lineStart == block.lineStart) {
            b.blockEnd += shift;
            b.frameCount = countFrames(bytes);
        }
    }
    result.m_lineEnd = lineEndOf(result.m_bytes);
    return result;
}

std::optional<CharacterScript> CharacterScript::withBlockAdded(const QString& name, QByteArrayView bytes,
                                                               TextEncoding encoding) const
{
    const std::optional<QByteArray> animLine = encodeText(QStringLiteral("anim\t") + name, encoding);
    if (!animLine)
        return std::nullopt;
    CharacterScript result = *this;
    if (!result.m_bytes.isEmpty() && !result.m_bytes.endsWith('\n'))
        result.m_bytes += m_lineEnd;
    const qsizetype lineStart = result.m_bytes.size();
    result.m_bytes += *animLine + m_lineEnd;
    const qsizetype blockStart = result.m_bytes.size();
    result.m_bytes += bytes;
    if (!result.m_blocks.isEmpty())
        result.m_blocks.last().blockEnd = lineStart;
    result.m_blocks.append(AnimBlock{name, lineStart, blockStart, result.m_bytes.size(), countFrames(bytes)});
    if (m_bytes.isEmpty())
        result.m_encoding = encoding;
    result.m_lineEnd = lineEndOf(result.m_bytes);
    return result;
}

} // namespace model
