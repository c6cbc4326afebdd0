#include "ModelFixtures.h"

#include <QStringList>

#include <type_traits>

namespace modeltest {

namespace {

using model::BoxState;

// Every field but the image, in declaration order.
#define KES_RECORD_FIELDS(X)                                                                                          \
    X(attackKind) X(attackBox) X(damage) X(knockdown) X(unblockable) X(noFlash) X(pause) X(depth) X(attackEmpty)   \
    X(extAttackBox) X(extAttackEmpty) X(bodyBox) X(bodyEmpty) X(extBodyBox) X(extBodyEmpty) X(offsetX) X(offsetY) \
    X(frameDelay) X(imageWidth) X(imageHeight) X(extra)

// Calls visit(name, field) for each of those fields.
template <typename Record, typename Visit>
void visitFields(Record& r, Visit&& visit)
{
#define KES_VISIT(field) visit(#field, r.field);
    KES_RECORD_FIELDS(KES_VISIT)
#undef KES_VISIT
}

// A CR LF in a text stands in the dump as the four characters \r\n.
const QString kCrLf = QStringLiteral("\r\n"), kShownCrLf = QStringLiteral("\\r\\n");

QString text(const QString& value) { return QString(value).replace(kCrLf, kShownCrLf); }
QString text(qint16 value) { return QString::number(value); }
QString text(const model::Box& b) { return QStringLiteral("%1 %2 %3 %4").arg(b.x).arg(b.y).arg(b.width).arg(b.height); }
QString text(BoxState s) { return s == BoxState::Empty ? "Empty" : s == BoxState::Cleared ? "Cleared" : "Normal"; }

void parse(const QString& text, QString& value) { value = QString(text).replace(kShownCrLf, kCrLf); }
void parse(const QString& text, qint16& value) { value = text.toShort(); }
void parse(const QString& text, BoxState& s)
{
    s = text == u"Empty" ? BoxState::Empty : text == u"Cleared" ? BoxState::Cleared : BoxState::Normal;
}
void parse(const QString& text, model::Box& b)
{
    const QStringList n = text.split(u' ');
    b = {n.value(0).toShort(), n.value(1).toShort(), n.value(2).toShort(), n.value(3).toShort()};
}

} // namespace

bool setField(model::FrameRecord& r, const QString& key, const QString& value)
{
    bool known = false;
    visitFields(r, [&](const char* name, auto& field) {
        if (key == QLatin1String(name)) {
            parse(value, field);
            known = true;
        }
    });
    return known;
}

QString dumpRecord(const model::FrameRecord& record)
{
    QString out;
    visitFields(record, [&out](const char* name, const auto& value) {
        if (text(value) != text(std::decay_t<decltype(value)>{}))
            out += QLatin1String(name) + u' ' + text(value) + u'\n';
    });
    return out;
}

QString dumpAnimation(const model::Animation& a)
{
    QString out = a.animName.isEmpty() ? QString() : QStringLiteral("anim ") + a.animName + u'\n';
    if (a.framesFromText)
        out += QStringLiteral("fromText\n");
    for (qsizetype i = 0; i < qMax(a.rows.size(), a.frames.size()); ++i) {
        out += i < a.rows.size() ? QStringLiteral("row ") + a.rows[i] + u'\n' : QStringLiteral("spare\n");
        if (i < a.frames.size())
            out += dumpRecord(a.frames[i]);
    }
    return out;
}

std::optional<model::Animation> parseAnimation(const QString& dump, QString* folder)
{
    model::Animation a;
    for (const QString& line : dump.split(u'\n', Qt::SkipEmptyParts)) {
        const QString key = line.section(u' ', 0, 0), value = line.section(u' ', 1);
        if (key == u"folder") {
            *folder = value;
        } else if (key == u"anim") {
            a.animName = value;
        } else if (key == u"fromText") {
            a.framesFromText = true;
        } else if (key == u"row" || key == u"spare") {
            a.frames.append(model::FrameRecord());
            if (key == u"row")
                a.rows << value;
        } else if (a.frames.isEmpty() || !setField(a.frames.last(), key, value)) {
            return std::nullopt;
        }
    }
    return a;
}

} // namespace modeltest
