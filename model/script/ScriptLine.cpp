#include "model/script/ScriptLine.h"

#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"

#include <QCoreApplication>

namespace model {

namespace {

constexpr int kLongestLine = 32766;

struct KindKeyword {
    QStringView keyword;
    QStringView kind;
};

constexpr KindKeyword kKinds[] = {
    {u"attack", u"Attack"},   {u"blast", u"Blast"},     {u"attack2", u"Attack2"}, {u"attack3", u"Attack3"},
    {u"attack4", u"Attack4"}, {u"freeze", u"Attack5"}, {u"burn", u"Attack6"},
};

// Whether `word` is `lower` (ASCII lower case) in any letter case; a word
// outside ASCII is never a keyword.
bool isKeyword(QStringView word, QStringView lower)
{
    if (word.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if ((c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c) != lower[i].unicode())
            return false;
    }
    return true;
}

// The attack kind of a keyword in any letter case; null when it is none.
const KindKeyword* attackKeyword(QStringView keyword)
{
    for (const KindKeyword& k : kKinds)
        if (isKeyword(keyword, k.keyword))
            return &k;
    return nullptr;
}

// Classifies a keyword without making a lower-case copy of it: the reader
// asks this of every line.
LineKind kindOfKeyword(QStringView keyword)
{
    if (keyword.isEmpty() || keyword.size() > 7)
        return LineKind::Other;
    if (isKeyword(keyword, u"delay"))
        return LineKind::Delay;
    if (isKeyword(keyword, u"offset"))
        return LineKind::Offset;
    if (isKeyword(keyword, u"bbox"))
        return LineKind::Body;
    if (isKeyword(keyword, u"extbbox"))
        return LineKind::ExtBody;
    if (isKeyword(keyword, u"extabox"))
        return LineKind::ExtAttack;
    if (isKeyword(keyword, u"frame"))
        return LineKind::Frame;
    return attackKeyword(keyword) ? LineKind::Attack : LineKind::Other;
}

QString conversionProblem(NumberError error)
{
    return error == NumberError::Overflow
        ? QCoreApplication::translate("model::ScriptReader", "溢出: 数值超出 -32768 到 32767")
        : QCoreApplication::translate("model::ScriptReader", "类型不匹配: 需要一个数字");
}

// Reads the next number of the line into `field` with `convert`; the reason when it fails.
QString readNumber(QStringView line, qint32& position, qint16& field, Int16Result (*convert)(QStringView))
{
    const Int16Result number = convert(NextTokenView(line, position));
    if (!number.ok())
        return conversionProblem(number.error);
    field = number.value;
    return {};
}

QString readBox(LineKind kind, QStringView line, qint32& position, FrameRecord& r)
{
    Box read;
    for (qint16* field : {&read.x, &read.y, &read.width, &read.height})
        if (QString problem = readNumber(line, position, *field, lenientInt16); !problem.isEmpty())
            return problem;
    const bool zero = read.isAllZero();
    if (kind == LineKind::Body) {
        r.bodyBox = read;
        r.bodyEmpty = zero ? BoxState::Empty : BoxState::Normal;
    } else if (kind == LineKind::ExtBody) {
        r.extBodyBox = read;
        r.extBodyEmpty = zero || r.bodyEmpty == BoxState::Empty ? BoxState::Empty : BoxState::Normal;
    } else {
        r.extAttackBox = read;
        r.extAttackEmpty = zero || r.attackEmpty == BoxState::Empty ? BoxState::Empty : BoxState::Normal;
    }
    return {};
}

QString readAttack(const QString& kind, QStringView line, qint32& position, FrameRecord& record)
{
    FrameRecord read = record;
    read.attackKind = kind;
    const bool blast = kind == u"Blast";
    qint16* const fields[] = {&read.attackBox.x, &read.attackBox.y, &read.attackBox.width,
                              &read.attackBox.height, &read.damage, blast ? nullptr : &read.knockdown,
                              &read.unblockable, &read.noFlash, &read.pause, &read.depth};
    for (qint16* field : fields) {
        if (!field) // a blast has no knock-down
            continue;
        if (QString problem = readNumber(line, position, *field, lenientInt16); !problem.isEmpty())
            return problem;
    }
    read.attackEmpty = read.attackBox.isAllZero() ? BoxState::Empty : BoxState::Normal;
    record = read;
    return {};
}

} // namespace

QString attackKindForKeyword(QStringView keyword)
{
    const KindKeyword* found = attackKeyword(keyword);
    return found ? found->kind.toString() : QString();
}

QString keywordForAttackKind(const QString& kind)
{
    if (kind == u"Attack5")
        return QStringLiteral("Freeze");
    if (kind == u"Attack6")
        return QStringLiteral("Burn");
    return kind;
}

LineKind lineKind(QStringView line)
{
    qint32 position = 1;
    return kindOfKeyword(NextTokenView(line, position));
}

LineEffect applyScriptLine(QStringView line, FrameRecord& record)
{
    LineEffect effect;
    if (line.size() > kLongestLine) {
        effect.problem = QCoreApplication::translate("model::ScriptReader", "行太长 (超过 %1 个字符)").arg(kLongestLine);
        return effect;
    }
    qint32 position = 1;
    const QStringView keyword = NextTokenView(line, position);
    effect.kind = kindOfKeyword(keyword);
    switch (effect.kind) {
    case LineKind::Other:
        break;
    case LineKind::Delay:
        effect.problem = readNumber(line, position, record.frameDelay, strictInt16);
        break;
    case LineKind::Offset:
        effect.problem = readNumber(line, position, record.offsetX, strictInt16);
        if (effect.problem.isEmpty())
            effect.problem = readNumber(line, position, record.offsetY, strictInt16);
        break;
    case LineKind::Attack:
        effect.problem = readAttack(attackKindForKeyword(keyword), line, position, record);
        break;
    case LineKind::ExtAttack:
    case LineKind::Body:
    case LineKind::ExtBody:
        effect.problem = readBox(effect.kind, line, position, record);
        break;
    case LineKind::Frame:
        effect.framePath = NextToken(line, position);
        effect.framePath.replace(u'/', u'\\');
        if (!effect.framePath.contains(u'.'))
            effect.framePath += QStringLiteral(".gif");
        break;
    }
    return effect;
}

} // namespace model
