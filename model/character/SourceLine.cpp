#include "model/character/SourceLine.h"

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
    // A LF byte is a LF in every encoding read here and never part of
    // another character, so text decoded whole splits where the bytes do.
    // Only bytes that are not valid text are decoded line by line, to tell
    // which lines hold them.
    bool lossless = false;
    const QString whole = decodeLine(bytes, encoding, &lossless);
    QList<SourceLine> lines;
    qsizetype start = 0;
    qsizetype textStart = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        const bool crLf = newline > start && bytes[newline - 1] == '\r';
        SourceLine line;
        line.bytes = bytes.sliced(start, end - start).toByteArray();
        if (lossless) {
            const qsizetype textNewline = newline < 0 ? whole.size() : whole.indexOf(u'\n', textStart);
            line.text = whole.sliced(textStart, textNewline - textStart - (crLf ? 1 : 0));
            textStart = textNewline + 1;
        } else {
            const qsizetype textEnd = newline < 0 ? end : newline - (crLf ? 1 : 0);
            line.text = decodeLine(bytes.sliced(start, textEnd - start), encoding, &line.lossless);
        }
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
