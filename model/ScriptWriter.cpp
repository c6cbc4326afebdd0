#include "model/ScriptWriter.h"

#include "model/BrowserRules.h"

#include <functional>

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

void appendBox(QString& line, const Box& box)
{
    line += QString::number(box.x) + u' ' + QString::number(box.y) + u' ' + QString::number(box.width)
        + u' ' + QString::number(box.height);
}

QString boxLine(QStringView keyword, const Box& box)
{
    QString line = keyword.toString() + u'\t';
    appendBox(line, box);
    return line;
}

QString attackLine(const FrameRecord& r)
{
    QString line = r.attackKind + u'\t';
    appendBox(line, r.attackBox);
    line += u' ' + QString::number(r.damage);
    if (r.attackKind != QStringLiteral("Blast"))
        line += u' ' + QString::number(r.knockdown);
    line += u' ' + QString::number(r.unblockable) + u' ' + QString::number(r.noFlash) + u' '
        + QString::number(r.pause);
    if (r.depth != 0)
        line += u' ' + QString::number(r.depth);
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
        out += u'\t' + candidate + QStringLiteral("\r\n");
}

void emitLine(QString& out, RememberedLine& remembered, QString candidate)
{
    remembered.reduce(candidate);
    if (!candidate.isEmpty())
        out += u'\t' + candidate + QStringLiteral("\r\n");
}

} // namespace

WriteResult writeScript(const Animation& animation, const QString& browserFolder)
{
    if (!animation.hasFrames())
        return {{}, QString::fromUtf16(kNoFramesMessage)};
    const qsizetype dataAt = dataFolderIndex(browserFolder);
    if (dataAt < 0)
        return {{}, QString::fromUtf16(kWriterNoDataFolderMessage)};
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
        emitLine(out, delay, QStringLiteral("Delay\t") + QString::number(r.frameDelay));
        emitLine(out, offset, QStringLiteral("OffSet\t") + QString::number(r.offsetX) + u' ' + QString::number(r.offsetY));

        bool attackOff = false;
        emitLine(out, attack,
                 mainCandidate(r.attackEmpty, r.attackBox, i, QStringLiteral("Attack"), [&] { return attackLine(r); }, attackOff));
        emitExtended(out, extAttack, wroteExtAttack, attackOff, r.extAttackEmpty, r.extAttackBox, i, QStringLiteral("ExtABox"),
                     QStringLiteral("ExtABox"));

        bool bodyOff = false;
        emitLine(out, body,
                 mainCandidate(r.bodyEmpty, r.bodyBox, i, QStringLiteral("BBox"), [&] { return boxLine(QStringLiteral("BBox"), r.bodyBox); },
                               bodyOff));
        emitExtended(out, extBody, wroteExtBody, bodyOff, r.extBodyEmpty, r.extBodyBox, i, QStringLiteral("ExtBbox"), QStringLiteral("ExtBBox"));

        out += QStringLiteral("\tFrame\t") + dataPath + u'\\' + animation.rows.at(i) + QStringLiteral("\r\n");
    }
    return {out, {}};
}

} // namespace model
