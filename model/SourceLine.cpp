#include "model/SourceLine.h"

namespace model {

QByteArrayView SourceLine::lineEnd() const
{
    if (bytes.endsWith("\r\n"))
        return QByteArrayView(bytes).last(2);
    if (bytes.endsWith('\n'))
        return QByteArrayView(bytes).last(1);
    return {};
}

std::optional<SourceLine> SourceLine::fromText(const QString& text, TextEncoding encoding, const QByteArray& lineEnd)
{
    std::optional<QByteArray> encoded = encodeText(text, encoding);
    if (!encoded)
        return std::nullopt;
    SourceLine line;
    line.bytes = *encoded + lineEnd;
    line.text = text;
    line.kind = lineKind(text);
    return line;
}

QList<SourceLine> splitSourceLines(QByteArrayView bytes, TextEncoding encoding)
{
    QList<SourceLine> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        qsizetype textEnd = newline < 0 ? end : newline;
        if (textEnd > start && bytes[textEnd - 1] == '\r' && newline >= 0)
            --textEnd;
        SourceLine line;
        line.bytes = bytes.sliced(start, end - start).toByteArray();
        line.text = decodeText(bytes.sliced(start, textEnd - start), encoding, &line.lossless);
        line.kind = lineKind(line.text);
        lines.append(std::move(line));
        start = end;
    }
    return lines;
}

QString readerText(const QList<SourceLine>& lines)
{
    QString text;
    for (const SourceLine& line : lines) {
        text += line.text;
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace model
