#include "classic/LinePreservingFile.h"

#include <dtl/dtl.hpp>

#include <QHash>

#include <vector>

namespace classic {

namespace {

constexpr QByteArrayView kCrLf("\r\n");
constexpr QByteArrayView kLf("\n");
constexpr QChar kReplacementCharacter(0xFFFD);

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

LinePreservingFile::Encoded LinePreservingFile::encode(QStringView crLfText) const
{
    const QList<QStringView> lines = crLfText.split(u"\r\n");
    // The diff compares numbers: equal lines get equal numbers.
    QHash<QStringView, int> numbers;
    const auto numbered = [&numbers](QStringView text) {
        const auto found = numbers.constFind(text);
        return found != numbers.cend() ? *found : *numbers.insert(text, int(numbers.size()));
    };
    std::vector<int> before;
    before.reserve(m_lines.size());
    for (const Line& line : m_lines)
        before.push_back(numbered(line.text));
    std::vector<int> after;
    after.reserve(lines.size());
    for (QStringView line : lines)
        after.push_back(numbered(line));
    // Deletions first, so that the lines replacing others come right after them.
    dtl::Diff<int, std::vector<int>> diff(before, after, true);
    diff.compose();

    Encoded result;
    result.bytes = m_bytes.first(model::byteOrderMarkLength(m_bytes));
    result.bytes.reserve(m_bytes.size());
    QByteArrayView neighbourEnd = m_lineEnd;
    QList<QByteArrayView> replacedEnds;
    for (const auto& [number, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_DELETE) {
            const Line& gone = m_lines[info.beforeIdx - 1];
            replacedEnds.append(gone.end);
            if (!gone.end.isEmpty())
                neighbourEnd = gone.end;
            continue;
        }
        QByteArrayView end;
        if (info.type == dtl::SES_COMMON) {
            const Line& kept = m_lines[info.beforeIdx - 1];
            result.bytes.append(QByteArrayView(m_bytes).sliced(kept.start, kept.length));
            end = kept.end.isEmpty() ? neighbourEnd : kept.end;
            neighbourEnd = end;
            replacedEnds.clear();
        } else {
            if (!encodeLine(lines[info.afterIdx - 1], int(info.afterIdx), result))
                return result;
            const QByteArrayView replaced = replacedEnds.isEmpty() ? QByteArrayView() : replacedEnds.takeFirst();
            end = replaced.isEmpty() ? neighbourEnd : replaced;
        }
        if (info.afterIdx < lines.size())
            result.bytes.append(end);
    }
    return result;
}

bool LinePreservingFile::encodeLine(QStringView text, int number, Encoded& result) const
{
    QString line = text.toString();
    line.replace(kCarriageReturnSign, u'\r');
    const std::optional<QByteArray> bytes = model::encodeText(line, m_encoding);
    if (!m_lossless && line.contains(kReplacementCharacter))
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
