#include "model/character/BlockLayout.h"

#include "model/text/TextHelpers.h"

#include <utility>

namespace model {

namespace {

// Spelling of new lines after the block's first interpreted line and its
// first frame line; the writer's spelling where the block has none.
LineStyle styleOf(const QList<SourceLine>& lines, const QByteArray& fileLineEnd)
{
    LineStyle style;
    style.lineEnd = fileLineEnd;
    bool spellingFound = false;
    for (const SourceLine& line : lines) {
        if (line.kind == LineKind::Other)
            continue;
        const QStringView text = line.text;
        qint32 position = 0;
        const QStringView keyword = NextTokenView(text, position);
        const qsizetype keywordStart = keyword.data() - text.data();
        const qsizetype keywordEnd = keywordStart + keyword.size();
        if (!spellingFound) {
            spellingFound = true;
            style.indent = text.first(keywordStart).toString();
            qsizetype gapEnd = keywordEnd;
            while (gapEnd < text.size() && (text[gapEnd] == u' ' || text[gapEnd] == u'\t'))
                ++gapEnd;
            if (gapEnd > keywordEnd)
                style.gap = text.sliced(keywordEnd, gapEnd - keywordEnd).toString();
            style.lowerCase = keyword == keyword.toString().toLower();
        }
        if (line.kind == LineKind::Frame) {
            const QStringView path = NextTokenView(text, position);
            if (path.contains(u'/') && !path.contains(u'\\'))
                style.pathSeparator = u'/';
            break;
        }
    }
    return style;
}

} // namespace

BlockLayout::BlockLayout(QByteArrayView bytes, TextEncoding encoding, const QByteArray& fileLineEnd)
    : m_encoding(encoding)
{
    QList<SourceLine> lines = splitSourceLines(bytes, encoding);
    m_style = styleOf(lines, fileLineEnd);
    QList<SourceLine> current;
    for (SourceLine& line : lines) {
        line.head = m_frames.isEmpty() && line.kind == LineKind::Other;
        const bool frameLine = line.kind == LineKind::Frame;
        current.append(std::move(line));
        if (frameLine)
            m_frames.append(std::exchange(current, {}));
    }
    if (m_frames.isEmpty())
        m_lead = std::move(current);
    else
        m_tail = std::move(current);
}

QList<SourceLine> BlockLayout::headLines() const
{
    if (m_frames.isEmpty())
        return m_lead;
    QList<SourceLine> head;
    for (const SourceLine& line : m_frames.first())
        if (line.head)
            head.append(line);
    return head;
}

QString BlockLayout::readerText() const
{
    QList<SourceLine> lines = m_lead;
    for (const QList<SourceLine>& frame : m_frames)
        lines.append(frame);
    lines.append(m_tail);
    return model::readerText(lines);
}

} // namespace model
