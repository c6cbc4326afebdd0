#include "model/text/TextHelpers.h"

namespace model {

QStringView NextPiece(QStringView& text, QStringView separator)
{
    const qsizetype found = text.indexOf(separator);
    if (found < 0) {
        const QStringView piece = text;
        text = QStringView();
        return piece;
    }
    const QStringView piece = text.first(found);
    text = text.sliced(found + separator.size());
    return piece;
}

QString NextPiece(QString& text, const QString& separator)
{
    QStringView view(text);
    const QString piece = NextPiece(view, QStringView(separator)).toString();
    text = view.toString();
    return piece;
}

QString NextToken(QStringView line, qint32& position)
{
    QString token = NextTokenView(line, position).toString();
    // Script text is nearly always ASCII, which is lower-cased directly: the
    // general mapping costs more than the rest of reading a line.
    for (QChar& c : token) {
        if (c.unicode() >= 0x80)
            return token.toLower();
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return token;
}

QStringView NextTokenView(QStringView line, qint32& position)
{
    if (position == -1)
        return {};
    if (position == 0)
        position = 1;
    const qint64 length = line.size();
    if (position >= length) {
        position = -1;
        return {};
    }
    qint64 i = position - 1; // 0-based index of the character at `position`
    while (i < length && (line[i] == u' ' || line[i] == u'\t'))
        ++i;
    const qint64 start = i;
    while (i < length && line[i] != u' ' && line[i] != u'\t')
        ++i;
    position = qint32(i + 1);
    return line.sliced(start, i - start);
}

QString KeyValue(QStringView text, QStringView key)
{
    const QString needle = key.toString() + u'=';
    const qsizetype found = text.indexOf(needle, 0, Qt::CaseInsensitive);
    if (found < 0)
        return {};
    QStringView rest = text.sliced(found + needle.size());
    const qsizetype comma = rest.indexOf(u',');
    return (comma < 0 ? rest : rest.first(comma)).toString();
}

QString toCrLf(QStringView text)
{
    // Copies the runs between line ends whole: a whole character file goes
    // through here when it is opened or checked.
    QString result;
    result.reserve(text.size() + text.size() / 16);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n' && c != QChar::ParagraphSeparator && c != QChar::LineSeparator)
            continue;
        result += text.sliced(runStart, i - runStart);
        result += u"\r\n";
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        runStart = i + 1;
    }
    result += text.sliced(runStart);
    return result;
}

} // namespace model
