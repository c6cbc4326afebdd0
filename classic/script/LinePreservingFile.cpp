#include "classic/script/LinePreservingFile.h"

#include <dtl/dtl.hpp>

#include <QHash>

#include <vector>

namespace classic {

namespace {

constexpr QByteArrayView kCrLf("\r\n");
constexpr QByteArrayView kLf("\n");

} // namespace

LinePreservingFile::LinePreservingFile(QByteArray bytes, std::optional<model::TextEncoding> encoding)
    : m_bytes(std::move(bytes))
    , m_encoding(encoding.value_or(model::detectEncoding(m_bytes)))
{
    qsizetype crLfLines = 0;
    qsizetype lfLines = 0;
    qsizetype start = model::byteOrderMarkLength(m_bytes);
    // Only LF ends a line; a CR ends one only right before an LF.
    for (;;) {
        const qsizetype newline = m_bytes.indexOf('\n', start);
        Line line{start, (newline < 0 ? m_bytes.size() : newline) - start, {}, {}};
        if (newline >= 0) {
            const bool crLf = line.length > 0 && m_bytes[newline - 1] == '\r';
            line.length -= crLf;
            line.end = crLf ? kCrLf : kLf;
            ++(crLf ? crLfLines : lfLines);
        }
        bool lossless = true;
        line.text = model::decodeLine(QByteArrayView(m_bytes).sliced(line.start, line.length), m_encoding, &lossless);
        line.text.replace(u'\r', kCarriageReturnSign);
        m_lossless = m_lossless && lossless;
        m_lines.append(std::move(line));
        if (newline < 0)
            break;
        start = newline + 1;
    }
    if (crLfLines != lfLines)
        m_lineEnd = crLfLines > lfLines ? kCrLf : kLf;
    else
        m_lineEnd = model::lineEndOf(m_bytes) == "\n" ? kLf : kCrLf;
}

QString LinePreservingFile::text() const
{
    QString text;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += u"\r\n";
        text += m_lines[i].text;
    }
    return text;
}

// The lines the text keeps unchanged, as pairs of a line of the file and a
// line of the text, in order: a longest common subsequence of the two.
QList<std::pair<qsizetype, qsizetype>> LinePreservingFile::keptLines(const QList<QStringView>& lines) const
{
    // The common head and tail are kept as they are: an edit leaves most of
    // a file there, and only the lines between them need the diff.
    const qsizetype shorter = qMin(m_lines.size(), lines.size());
    qsizetype head = 0;
    while (head < shorter && m_lines[head].text == lines[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && m_lines[m_lines.size() - 1 - tail].text == lines[lines.size() - 1 - tail])
        ++tail;

    // The diff compares numbers: equal lines get equal numbers.
    QHash<QStringView, int> numbers;
    const auto numbered = [&numbers](QStringView text) {
        const auto found = numbers.constFind(text);
        return found != numbers.cend() ? *found : *numbers.insert(text, int(numbers.size()));
    };
    std::vector<int> before;
    for (qsizetype i = head; i < m_lines.size() - tail; ++i)
        before.push_back(numbered(m_lines[i].text));
    std::vector<int> after;
    for (qsizetype i = head; i < lines.size() - tail; ++i)
        after.push_back(numbered(lines[i]));
    // A line that only one side holds is never kept: leaving such lines out
    // spares the diff a text that was replaced as a whole.
    std::vector<char> inBefore(numbers.size());
    std::vector<char> inAfter(numbers.size());
    for (const int number : before)
        inBefore[number] = true;
    for (const int number : after)
        inAfter[number] = true;
    const auto shared = [head](const std::vector<int>& side, const std::vector<char>& inOther) {
        std::pair<std::vector<int>, std::vector<qsizetype>> numbersAndLines;
        for (qsizetype i = 0; i < qsizetype(side.size()); ++i) {
            if (inOther[side[i]]) {
                numbersAndLines.first.push_back(side[i]);
                numbersAndLines.second.push_back(head + i);
            }
        }
        return numbersAndLines;
    };
    const auto [a, aLines] = shared(before, inAfter);
    const auto [b, bLines] = shared(after, inBefore);
    dtl::Diff<int, std::vector<int>> diff(a, b);
    diff.compose();

    QList<std::pair<qsizetype, qsizetype>> kept;
    for (qsizetype i = 0; i < head; ++i)
        kept.append({i, i});
    for (const auto& [number, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON)
            kept.append({aLines[info.beforeIdx - 1], bLines[info.afterIdx - 1]});
    }
    for (qsizetype i = tail; i > 0; --i)
        kept.append({m_lines.size() - i, lines.size() - i});
    return kept;
}

LinePreservingFile::Encoded LinePreservingFile::encode(QStringView crLfText) const
{
    const QList<QStringView> lines = crLfText.split(u"\r\n");
    QList<std::pair<qsizetype, qsizetype>> kept = keptLines(lines);
    kept.append({m_lines.size(), lines.size()}); // past the end of both

    Encoded result;
    result.bytes = m_bytes.first(model::byteOrderMarkLength(m_bytes));
    result.bytes.reserve(m_bytes.size());
    const auto endLine = [&](qsizetype row, QByteArrayView end) {
        if (row + 1 < lines.size())
            result.bytes.append(end);
    };
    QByteArrayView neighbourEnd = m_lineEnd;
    qsizetype line = 0;
    qsizetype row = 0;
    for (const auto& [keptLine, keptRow] : kept) {
        // Between two kept lines, the text's lines replace the file's; each
        // ends as the file's line it takes the place of, or the line before.
        QList<QByteArrayView> replacedEnds;
        for (; line < keptLine; ++line) {
            replacedEnds.append(m_lines[line].end);
            if (!m_lines[line].end.isEmpty())
                neighbourEnd = m_lines[line].end;
        }
        for (qsizetype i = 0; row < keptRow; ++row, ++i) {
            if (!encodeLine(lines[row], int(row + 1), result))
                return result;
            const QByteArrayView replaced = replacedEnds.value(i);
            endLine(row, replaced.isEmpty() ? neighbourEnd : replaced);
        }
        if (keptLine == m_lines.size())
            break;
        const Line& same = m_lines[keptLine];
        result.bytes.append(QByteArrayView(m_bytes).sliced(same.start, same.length));
        if (!same.end.isEmpty())
            neighbourEnd = same.end;
        endLine(row, neighbourEnd);
        line = keptLine + 1;
        row = keptRow + 1;
    }
    return result;
}

bool LinePreservingFile::encodeLine(QStringView text, int number, Encoded& result) const
{
    QString line = text.toString();
    line.replace(kCarriageReturnSign, u'\r');
    const std::optional<QByteArray> bytes = model::encodeText(line, m_encoding);
    if (!m_lossless && line.contains(QChar::ReplacementCharacter))
        result.refusal = Encoded::Refusal::Undecodable;
    else if (!bytes)
        result.refusal = Encoded::Refusal::Unencodable;
    else {
        result.bytes += *bytes;
        return true;
    }
    result.bytes.clear();
    result.line = number;
    result.lineText = text.toString();
    return false;
}

} // namespace classic
