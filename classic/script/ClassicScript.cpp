#include "classic/script/ClassicScript.h"

#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"

#include <QCoreApplication>

#include <limits>

namespace classic {

namespace {

constexpr Qt::CaseSensitivity AnyCase = Qt::CaseInsensitive;

// Index of `keyword` when it is the first word of the line that starts at
// `lineStart` (any letter case, blanks before it), else -1. Keywords that
// merely contain it (attack2, extbbox, landframe) are other words.
qsizetype keywordOfLine(QStringView text, qsizetype lineStart, QStringView keyword)
{
    qsizetype at = lineStart;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t'))
        ++at;
    const qsizetype end = at + keyword.size();
    if (keyword.isEmpty() || end > text.size() || text.sliced(at, keyword.size()).compare(keyword, AnyCase) != 0)
        return -1;
    const bool wholeWord = end == text.size() || text[end] == u' ' || text[end] == u'\t' || text[end] == u'\r';
    return wholeWord ? at : -1;
}

// Start of the keyword of the last line of `keyword` whose keyword ends at or
// before `lastIndex`; -1 when there is none. The word inside a value or a
// comment does not count.
qsizetype lastKeywordLine(QStringView text, QStringView keyword, qsizetype lastIndex)
{
    qsizetype found = -1;
    for (qsizetype lineStart = 0; lineStart <= lastIndex;) {
        const qsizetype at = keywordOfLine(text, lineStart, keyword);
        if (at >= 0 && at + keyword.size() - 1 <= lastIndex)
            found = at;
        const qsizetype lineEnd = text.indexOf(LineBreak, lineStart);
        if (lineEnd < 0)
            break;
        lineStart = lineEnd + LineBreak.size();
    }
    return found;
}

// The text from `start` to the end of its line; the last line of the text
// needs no line break.
FoundLine lineFrom(QStringView text, qsizetype start)
{
    qsizetype end = text.indexOf(LineBreak, start);
    if (end < 0)
        end = text.size();
    return {text.sliced(start, end - start).toString(), start, end - start};
}

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

// Puts TAB `line` CR LF on a line of its own just before the line that holds
// index `at`.
QString insertBeforeLineOf(const QString& text, qsizetype at, const QString& line)
{
    const QString inserted = u'\t' + line + LineBreak;
    const qsizetype previousEnd = text.lastIndexOf(LineBreak, at);
    if (previousEnd < 0)
        return inserted + text;
    return text.first(previousEnd) + LineBreak + inserted + text.sliced(previousEnd + LineBreak.size());
}

// The values of a line after its keyword, blank-separated.
QStringView valuesAfterKeyword(QStringView normalised)
{
    QStringView rest = normalised;
    model::NextPiece(rest, u" ");
    return rest;
}

} // namespace

QString normaliseSpaces(QStringView text)
{
    QString result = text.toString();
    result.replace(u'\t', u' ');
    while (result.contains(QStringLiteral("  ")))
        result.replace(QStringLiteral("  "), QStringLiteral(" "));
    return result;
}

std::optional<qint32> readNumber(QStringView token)
{
    return model::toInt32(model::leadingNumber(token));
}

FoundLine findLastKeywordLine(QStringView text, QStringView keyword, QStringView name)
{
    const qsizetype nameAt = text.indexOf(name, 0, AnyCase);
    if (nameAt < 0)
        return {};
    const qsizetype keywordAt = lastKeywordLine(text, keyword, nameAt);
    if (keywordAt < 0)
        return {};
    return lineFrom(text, keywordAt);
}

FoundLine findFrameKeywordLine(QStringView text, QStringView keyword, QStringView name)
{
    const qsizetype nameAt = text.indexOf(name, 0, AnyCase);
    if (nameAt < 0)
        return {};
    const qsizetype previousEnd = text.lastIndexOf(LineBreak, nameAt);
    const qsizetype blockStart = previousEnd < 0 ? -1 : lastKeywordLine(text, u"frame", previousEnd);
    const qsizetype keywordAt = lastKeywordLine(text, keyword, nameAt);
    if (keywordAt <= blockStart)
        return {};
    return lineFrom(text, keywordAt);
}

QString setFrameLine(const QString& text, const QString& name, const QString& line)
{
    const QString newLine = trimBlanks(line);
    const qsizetype tab = newLine.indexOf(u'\t');
    // A line must start with its keyword; without one there is nothing to look up.
    if (tab <= 0)
        return text;
    const FoundLine found = findFrameKeywordLine(text, QStringView(newLine).first(tab), name);
    if (!found.found()) {
        const qsizetype nameAt = text.indexOf(name, 0, AnyCase);
        return nameAt < 0 ? text : insertBeforeLineOf(text, nameAt, newLine);
    }
    // The search starts one character early, where the line's TAB usually is.
    const qsizetype from = qMax<qsizetype>(found.start - 1, 0);
    QString rest = text.sliced(from);
    const qsizetype at = rest.indexOf(found.text);
    rest.replace(at, found.text.size(), newLine);
    return text.first(from) + rest;
}

std::optional<Offset> parseOffsetLine(QStringView line)
{
    const QString normalised = normaliseSpaces(line);
    QStringView values = valuesAfterKeyword(normalised);
    const auto x = readNumber(model::NextPiece(values, u" "));
    const auto y = readNumber(model::NextPiece(values, u" "));
    if (!x || !y)
        return std::nullopt;
    return Offset{*x, *y};
}

QList<double> lineValues(QStringView line, int count)
{
    const QString normalised = normaliseSpaces(line);
    QStringView values = valuesAfterKeyword(normalised);
    QList<double> result;
    for (int i = 0; i < count; ++i) {
        const double value = model::leadingNumber(model::NextPiece(values, u" "));
        result.append(qIsFinite(value) ? value : 0.0);
    }
    return result;
}

int delayMilliseconds(QStringView line)
{
    const double delay = lineValues(line, 1).constFirst() * 10;
    return qMax(0, model::toInt32(delay).value_or(0));
}

QString offsetLine(Offset offset)
{
    return QStringLiteral("offset\t%1 %2").arg(offset.x).arg(offset.y);
}

QString bodyBoxLine(const QRect& box)
{
    return QStringLiteral("bbox\t%1 %2 %3 %4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height());
}

QString attackBoxLine(const QRect& box)
{
    return QStringLiteral("Attack\t%1 %2 %3 %4 20 0 0 0 20")
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height());
}

QString folderWord(const QString& folder)
{
    QString path = folder;
    path.replace(u'\\', u'/');
    return path.section(u'/', -1);
}

InitialText generateInitialText(const QStringList& names, const QList<QSize>& sizes,
                                const QString& folderWord, const InitialOptions& options)
{
    Q_ASSERT(names.size() == sizes.size());
    const auto ground = readNumber(options.ground);
    const auto fixedX = readNumber(options.fixedX);
    if (!ground)
        return {{}, QCoreApplication::translate("classic::ClassicScript",
                                                "The height above the ground is not a usable number.")};
    if (options.fixed && options.fromRight && !fixedX)
        return {{}, QCoreApplication::translate("classic::ClassicScript", "The fixed x is not a usable number.")};

    QString text = QStringLiteral("\tdelay\t10") + LineBreak;
    QString previousX;
    QString previousY;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const qint64 width = sizes[i].width();
        const QString y = QString::number(sizes[i].height() - qint64(*ground));
        QString x;
        if (!options.fixed)
            x = QString::number(width / 2);
        else if (options.fromRight)
            x = QString::number(width - qint64(*fixedX));
        else
            x = trimBlanks(options.fixedX); // taken as typed
        if (x != previousX || y != previousY)
            text += QStringLiteral("\toffset\t") + x + u' ' + y + LineBreak;
        previousX = x;
        previousY = y;
        text += QStringLiteral("\tframe\tdata/chars/") + folderWord + u'/' + names[i] + LineBreak + LineBreak;
    }
    return {text, {}};
}

QString insertDefinition(const QString& text, const QString& name, const QString& folderWord)
{
    if (findFrameKeywordLine(text, u"frame", name).found())
        return text;
    const qsizetype nameAt = text.indexOf(name, 0, AnyCase);
    if (nameAt < 0)
        return text;
    const QString definition =
        QStringLiteral("frame\tdata/chars/") + folderWord + u'/' + name + LineBreak + LineBreak;
    return insertBeforeLineOf(text, nameAt, definition);
}

QStringList listFramesFromText(QStringView text)
{
    // Only a "frame" keyword at the start of a line counts: the word inside a
    // folder or file name (frames/, frame01.gif) is not a frame line.
    QStringList names;
    QStringView rest = text;
    while (!rest.isEmpty()) {
        // The last line counts also without a line break after it.
        const qsizetype end = rest.indexOf(LineBreak);
        const QStringView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QStringView() : rest.sliced(end + LineBreak.size());
        const qsizetype at = keywordOfLine(line, 0, u"frame");
        if (at < 0)
            continue;
        const QString path = trimBlanks(line.mid(at + 6).toString());
        const qsizetype slash = path.lastIndexOf(u'/');
        if (slash < 0)
            break;
        names.append(path.sliced(slash + 1));
    }
    return names;
}

std::optional<QString> shiftedOffsetLine(QStringView text, QStringView name, qint32 dx, qint32 dy,
                                         Offset& current)
{
    if (!text.contains(name, AnyCase))
        return std::nullopt;
    const FoundLine found = findLastKeywordLine(text, u"offset", name);
    if (found.found()) {
        if (const auto offset = parseOffsetLine(found.text))
            current = *offset;
    }
    const qint64 x = qint64(current.x) + dx;
    const qint64 y = qint64(current.y) + dy;
    constexpr qint64 low = std::numeric_limits<qint32>::min();
    constexpr qint64 high = std::numeric_limits<qint32>::max();
    if (x < low || x > high || y < low || y > high)
        return std::nullopt;
    current = {qint32(x), qint32(y)};
    return offsetLine(current);
}

ShiftedText shiftAllOffsets(const QString& text, const QStringList& names, qint32 dx, qint32 dy, Offset& current)
{
    const Offset start = current;
    ShiftedText result{text, {}};
    for (const QString& name : names) {
        Offset offset = start;
        const auto line = shiftedOffsetLine(text, name, dx, dy, offset);
        if (!line)
            continue;
        current = offset;
        result.text = setFrameLine(result.text, name, *line);
        result.lastLine = *line;
    }
    return result;
}

} // namespace classic
