#include "model/script/ScriptWriter.h"

#include "model/files/BrowserRules.h"
#include "model/script/ScriptLine.h"

#include <QCoreApplication>

#include <functional>
#include <utility>

namespace model {

namespace {

// The remembered value of one line kind and the reduction against it.
struct RememberedLine {
    QString text;

    // Empties `candidate` when it repeats the remembered line; otherwise
    // remembers it. An empty candidate replaces a non-empty remembered line.
    void reduce(QString& candidate)
    {
        if (candidate == text)
            candidate.clear();
        else
            text = candidate;
    }
};

// Appends the numbers, each after a blank unless it follows the keyword's
// TAB, without a temporary string per number.
void appendNumbers(QString& line, std::initializer_list<qint16> values)
{
    Q_ASSERT(values.size() <= 8); // each "-32768" with its blank takes 7
    char16_t buffer[8 * 7];
    char16_t* end = buffer;
    bool afterTab = !line.isEmpty() && line.back() == u'\t';
    for (const qint16 value : values) {
        if (!std::exchange(afterTab, false))
            *end++ = u' ';
        if (value < 0)
            *end++ = u'-';
        char16_t digits[5];
        int count = 0;
        for (int rest = qAbs(int(value)); count == 0 || rest > 0; rest /= 10)
            digits[count++] = char16_t(u'0' + rest % 10);
        while (count > 0)
            *end++ = digits[--count];
    }
    line.append(QStringView(buffer, end - buffer));
}

// A line of a keyword, a TAB and the numbers.
QString numberLine(QStringView keyword, std::initializer_list<qint16> values)
{
    QString line;
    line.reserve(keyword.size() + 48);
    line.append(keyword);
    line.append(u'\t');
    appendNumbers(line, values);
    return line;
}

QString boxLine(QStringView keyword, const Box& box)
{
    return numberLine(keyword, {box.x, box.y, box.width, box.height});
}

QString attackLine(const FrameRecord& r, AttackKeywords keywords)
{
    const Box& b = r.attackBox;
    const QString keyword = keywords == AttackKeywords::AsRead ? keywordForAttackKind(r.attackKind) : r.attackKind;
    QString line = numberLine(keyword, {b.x, b.y, b.width, b.height, r.damage});
    if (r.attackKind != QStringLiteral("Blast"))
        appendNumbers(line, {r.knockdown});
    appendNumbers(line, {r.unblockable, r.noFlash, r.pause});
    if (r.depth != 0)
        appendNumbers(line, {r.depth});
    return line;
}

// The candidate of an ordinary box (attack or body) and whether the frame
// switches that side off for its extended box.
QString mainCandidate(BoxState state, const Box& box, int index, QStringView emptyKeyword,
                      const std::function<QString()>& fullLine, bool& switchedOff)
{
    switchedOff = state == BoxState::Empty;
    if (state == BoxState::Empty)
        return index > 0 ? emptyKeyword.toString() + QStringLiteral("\t0") : QString();
    if (state == BoxState::Cleared || (state == BoxState::Normal && box.isAllZero()))
        return {};
    return fullLine();
}

// TAB, the line, CR LF.
void appendLine(QString& out, const QString& line)
{
    out += u'\t';
    out += line;
    out += QLatin1String("\r\n");
}

// Writes the extended-box line of one side into `out` (with its TAB and CR LF)
// after reducing it against `remembered`; `wroteLast` tracks whether the
// previous frame wrote such a line.
void emitExtended(QString& out, RememberedLine& remembered, bool& wroteLast, bool sideSwitchedOff,
                  BoxState state, const Box& box, int index, QStringView emptyKeyword, QStringView boxKeyword)
{
    QString candidate;
    if (sideSwitchedOff) {
        wroteLast = false;
        return;
    }
    if (state == BoxState::Normal && box.isAllZero()) {
        if (!wroteLast)
            remembered.text.clear();
        wroteLast = false;
        return;
    }
    if (state == BoxState::Empty)
        candidate = index > 0 ? emptyKeyword.toString() + QStringLiteral("\t0") : QString();
    else if (state != BoxState::Cleared)
        candidate = boxLine(boxKeyword, box);
    remembered.reduce(candidate);
    wroteLast = !candidate.isEmpty();
    if (wroteLast)
        appendLine(out, candidate);
}

void emitLine(QString& out, RememberedLine& remembered, QString candidate)
{
    remembered.reduce(candidate);
    if (!candidate.isEmpty())
        appendLine(out, candidate);
}

} // namespace

WriteResult writeScript(const Animation& animation, const QString& browserFolder, AttackKeywords keywords)
{
    if (!animation.hasFrames())
        return {{}, QCoreApplication::translate("model::ScriptWriter", "没有帧.")};
    const qsizetype dataAt = dataFolderIndex(browserFolder);
    if (dataAt < 0)
        return {{}, QCoreApplication::translate("model::ScriptWriter", "不能定位data文件夹!")};
    QString dataPath = browserFolder.mid(dataAt);
    dataPath.replace(u'/', u'\\');
    while (dataPath.endsWith(u'\\'))
        dataPath.chop(1);

    QString out;
    out.reserve(animation.rowCount() * 64);
    static const QStringList loopNames{QStringLiteral("Run"), QStringLiteral("Idle"), QStringLiteral("Walk")};
    if (!animation.framesFromText && loopNames.contains(animation.animName))
        out += QStringLiteral("\tloop\t1\r\n");

    RememberedLine delay, offset, attack, extAttack, body, extBody;
    bool wroteExtAttack = false;
    bool wroteExtBody = false;
    const int count = qMin(animation.rowCount(), int(animation.frames.size()));
    for (int i = 0; i < count; ++i) {
        const FrameRecord& r = animation.frames.at(i);
        out += r.extra;
        emitLine(out, delay, numberLine(u"Delay", {r.frameDelay}));
        emitLine(out, offset, numberLine(u"OffSet", {r.offsetX, r.offsetY}));

        bool attackOff = false;
        emitLine(out, attack,
                 mainCandidate(r.attackEmpty, r.attackBox, i, QStringLiteral("Attack"), [&] { return attackLine(r, keywords); }, attackOff));
        emitExtended(out, extAttack, wroteExtAttack, attackOff, r.extAttackEmpty, r.extAttackBox, i, QStringLiteral("ExtABox"),
                     QStringLiteral("ExtABox"));

        bool bodyOff = false;
        emitLine(out, body,
                 mainCandidate(r.bodyEmpty, r.bodyBox, i, QStringLiteral("BBox"), [&] { return boxLine(QStringLiteral("BBox"), r.bodyBox); },
                               bodyOff));
        emitExtended(out, extBody, wroteExtBody, bodyOff, r.extBodyEmpty, r.extBodyBox, i, QStringLiteral("ExtBbox"), QStringLiteral("ExtBBox"));

        out += QLatin1String("\tFrame\t");
        out += dataPath;
        out += u'\\';
        out += animation.rows.at(i);
        out += QLatin1String("\r\n");
    }
    return {out, {}};
}

} // namespace model
