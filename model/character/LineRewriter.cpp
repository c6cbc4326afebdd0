#include "model/character/LineRewriter.h"

#include "model/text/TextHelpers.h"

#include <QList>

namespace model {

namespace {

// Whether a box group is off (switched off, or without size): a line of it
// states zeros.
bool isOff(ValueGroup group, const FrameRecord& v)
{
    const auto off = [](BoxState state, const Box& box) { return state == BoxState::Empty || box.isAllZero(); };
    switch (group) {
    case ValueGroup::Attack:
        return off(v.attackEmpty, v.attackBox);
    case ValueGroup::ExtAttack:
        return off(v.extAttackEmpty, v.extAttackBox);
    case ValueGroup::Body:
        return off(v.bodyEmpty, v.bodyBox);
    case ValueGroup::ExtBody:
        return off(v.extBodyEmpty, v.extBodyBox);
    default:
        return false;
    }
}

// The numbers a line of `group` states, in the reader's order. An attack
// states its depth only where it has one, or where the line had a place for it.
QList<qint16> groupNumbers(ValueGroup group, const FrameRecord& r, bool withDepth)
{
    if (isOff(group, r))
        return QList<qint16>(group == ValueGroup::Attack ? 9 + (withDepth ? 1 : 0) - (r.attackKind == u"Blast" ? 1 : 0) : 4, 0);
    switch (group) {
    case ValueGroup::Delay:
        return {r.frameDelay};
    case ValueGroup::Offset:
        return {r.offsetX, r.offsetY};
    case ValueGroup::ExtAttack:
        return {r.extAttackBox.x, r.extAttackBox.y, r.extAttackBox.width, r.extAttackBox.height};
    case ValueGroup::Body:
        return {r.bodyBox.x, r.bodyBox.y, r.bodyBox.width, r.bodyBox.height};
    case ValueGroup::ExtBody:
        return {r.extBodyBox.x, r.extBodyBox.y, r.extBodyBox.width, r.extBodyBox.height};
    case ValueGroup::Attack: {
        const Box& b = r.attackBox;
        QList<qint16> numbers{b.x, b.y, b.width, b.height, r.damage};
        if (r.attackKind != u"Blast")
            numbers.append(r.knockdown);
        numbers.append({r.unblockable, r.noFlash, r.pause});
        if (withDepth || r.depth != 0)
            numbers.append(r.depth);
        return numbers;
    }
    }
    return {};
}

// How many numbers the reader takes from a line of `group` spelt with `lowerKeyword`.
int numbersRead(ValueGroup group, QStringView lowerKeyword)
{
    switch (group) {
    case ValueGroup::Delay:
        return 1;
    case ValueGroup::Offset:
        return 2;
    case ValueGroup::Attack:
        return attackKindForKeyword(lowerKeyword) == u"Blast" ? 9 : 10;
    default:
        return 4;
    }
}

// The keyword the writer spells for a group (an attack: by its kind).
QString writerKeyword(ValueGroup group, const FrameRecord& values, bool emptyLine)
{
    switch (group) {
    case ValueGroup::Delay:
        return QStringLiteral("Delay");
    case ValueGroup::Offset:
        return QStringLiteral("OffSet");
    case ValueGroup::Attack: {
        const QString keyword = keywordForAttackKind(values.attackKind);
        return keyword.isEmpty() || emptyLine ? QStringLiteral("Attack") : keyword;
    }
    case ValueGroup::ExtAttack:
        return QStringLiteral("ExtABox");
    case ValueGroup::Body:
        return QStringLiteral("BBox");
    case ValueGroup::ExtBody:
        return emptyLine ? QStringLiteral("ExtBbox") : QStringLiteral("ExtBBox");
    }
    return QString();
}

// A keyword spelt in the letter case of `model`: all lower, all upper, or as given.
QString inCaseOf(const QString& keyword, QStringView model)
{
    if (model == model.toString().toLower())
        return keyword.toLower();
    if (model == model.toString().toUpper())
        return keyword.toUpper();
    return keyword;
}

QString joinedNumbers(const QList<qint16>& numbers)
{
    QStringList parts;
    for (const qint16 n : numbers)
        parts.append(QString::number(n));
    return parts.join(u' ');
}

} // namespace

QString rewriteLine(QStringView line, ValueGroup group, const FrameRecord& values)
{
    qint32 position = 0;
    const QStringView keyword = NextTokenView(line, position);
    const QString lowerKeyword = keyword.toString().toLower();
    // The spans of the numbers the reader takes; a "#" starts a comment.
    const int readCount = numbersRead(group, lowerKeyword);
    QList<QStringView> spans;
    while (spans.size() < readCount) {
        const QStringView token = NextTokenView(line, position);
        if (token.isEmpty() || token.startsWith(u'#'))
            break;
        spans.append(token);
    }
    QString newKeyword = keyword.toString();
    if (group == ValueGroup::Attack && attackKindForKeyword(lowerKeyword) != values.attackKind)
        newKeyword = inCaseOf(writerKeyword(group, values, false), keyword);
    const QList<qint16> numbers = groupNumbers(group, values, spans.size() >= 10 || (spans.size() == 9 && values.attackKind == u"Blast"));

    const qsizetype keywordStart = keyword.data() - line.data();
    QString result = line.first(keywordStart).toString() + newKeyword;
    qsizetype copied = keywordStart + keyword.size();
    for (qsizetype i = 0; i < spans.size() && i < numbers.size(); ++i) {
        const qsizetype start = spans[i].data() - line.data();
        result += line.sliced(copied, start - copied);
        result += QString::number(numbers[i]);
        copied = start + spans[i].size();
    }
    // Numbers the line lacks go after its last one, a spare one is left as it was.
    for (qsizetype i = spans.size(); i < numbers.size(); ++i)
        result += u' ' + QString::number(numbers[i]);
    result += line.sliced(copied);
    return result;
}

QString newGroupLine(ValueGroup group, const FrameRecord& values, const LineStyle& style)
{
    const bool emptyLine = isOff(group, values);
    QString keyword = writerKeyword(group, values, emptyLine);
    if (style.lowerCase)
        keyword = keyword.toLower();
    const QString numbers = emptyLine ? QStringLiteral("0") : joinedNumbers(groupNumbers(group, values, false));
    return style.indent + keyword + style.gap + numbers;
}

QString newFrameLine(const QString& path, const LineStyle& style)
{
    QString spelt = path;
    spelt.replace(style.pathSeparator == u'/' ? u'\\' : u'/', style.pathSeparator);
    return style.indent + (style.lowerCase ? QStringLiteral("frame") : QStringLiteral("Frame")) + style.gap + spelt;
}

} // namespace model
