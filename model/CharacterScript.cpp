#include "model/CharacterScript.h"

#include "model/TextFileEncoding.h"
#include "model/TextHelpers.h"

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

CharacterScript::CharacterScript(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    m_lineEnd = lineEndOf(m_bytes);
    m_encoding = detectEncoding(m_bytes);

    AnimBlock* current = nullptr;
    qsizetype start = 0;
    while (start < m_bytes.size()) {
        qsizetype end = m_bytes.indexOf('\n', start);
        end = end < 0 ? m_bytes.size() : end + 1;
        const LineWords words = lineWords(QByteArrayView(m_bytes).sliced(start, end - start));
        if (words.first.compare("anim", Qt::CaseInsensitive) == 0) {
            if (current)
                current->blockEnd = start;
            m_blocks.append(AnimBlock{decodeText(words.second, m_encoding), end, m_bytes.size(), 0});
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

QString CharacterScript::blockText(const AnimBlock& block, bool* lossless) const
{
    const QString text = decodeText(QByteArrayView(m_bytes).sliced(block.blockStart, block.blockEnd - block.blockStart),
                                    m_encoding, lossless);
    return toCrLf(text);
}

std::optional<QByteArray> CharacterScript::withBlockReplaced(const AnimBlock& block, QStringView text) const
{
    const std::optional<QByteArray> encoded = fileBytesFromText(text, m_lineEnd, m_encoding);
    if (!encoded)
        return std::nullopt;
    QByteArray result = m_bytes;
    result.replace(block.blockStart, block.blockEnd - block.blockStart, *encoded);
    return result;
}

std::optional<QByteArray> CharacterScript::withBlockAdded(const QString& name, QStringView text) const
{
    const std::optional<QByteArray> encoded
        = fileBytesFromText(QStringLiteral("anim\t") + name + QStringLiteral("\r\n") + text.toString(), m_lineEnd, m_encoding);
    if (!encoded)
        return std::nullopt;
    QByteArray result = m_bytes;
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += m_lineEnd;
    result += *encoded;
    return result;
}

QString CharacterScript::linesAfterLastFrame(QStringView text)
{
    QStringView rest = text;
    QStringView after;
    while (!rest.isEmpty()) {
        const QStringView line = NextPiece(rest, u"\r\n");
        qint32 position = 0;
        if (NextToken(line, position) == u"frame")
            after = rest;
    }
    return after.toString();
}

QStringList CharacterScript::frameFolders(QStringView text)
{
    QStringList folders;
    QStringView rest = text;
    while (!rest.isEmpty()) {
        const QStringView line = NextPiece(rest, u"\r\n");
        qint32 position = 0;
        if (NextToken(line, position) != u"frame")
            continue;
        QString path = NextToken(line, position);
        path.replace(u'/', u'\\');
        const QString folder = path.left(qMax(0, path.lastIndexOf(u'\\')));
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

} // namespace model
