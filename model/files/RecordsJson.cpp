#include "model/files/RecordsJson.h"

#include <QJsonArray>

namespace model {

namespace {

// The 16-bit fields of a record by name, so that writing and reading them
// cannot drift apart.
struct NumberField {
    const char* name;
    qint16 FrameRecord::*field;
};

constexpr NumberField kNumbers[] = {
    {"damage", &FrameRecord::damage},     {"knockdown", &FrameRecord::knockdown},
    {"unblockable", &FrameRecord::unblockable}, {"noFlash", &FrameRecord::noFlash},
    {"pause", &FrameRecord::pause},       {"depth", &FrameRecord::depth},
    {"offsetX", &FrameRecord::offsetX},   {"offsetY", &FrameRecord::offsetY},
    {"delay", &FrameRecord::frameDelay},  {"imageWidth", &FrameRecord::imageWidth},
    {"imageHeight", &FrameRecord::imageHeight},
};

struct BoxField {
    const char* name;
    Box FrameRecord::*box;
    BoxState FrameRecord::*state;
};

constexpr BoxField kBoxes[] = {
    {"attack", &FrameRecord::attackBox, &FrameRecord::attackEmpty},
    {"extAttack", &FrameRecord::extAttackBox, &FrameRecord::extAttackEmpty},
    {"body", &FrameRecord::bodyBox, &FrameRecord::bodyEmpty},
    {"extBody", &FrameRecord::extBodyBox, &FrameRecord::extBodyEmpty},
};

bool toInt16(const QJsonValue& value, qint16& out)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (number != int(number) || number < -32768 || number > 32767)
        return false;
    out = qint16(number);
    return true;
}

QJsonObject recordToJson(const FrameRecord& r)
{
    QJsonObject json{{"attackKind", r.attackKind}, {"extra", r.extra}, {"folder", r.folder},
                     {"sourceId", qint64(r.sourceId)}};
    for (const NumberField& f : kNumbers)
        json.insert(QLatin1String(f.name), r.*f.field);
    for (const BoxField& b : kBoxes) {
        const Box& box = r.*b.box;
        json.insert(QLatin1String(b.name), QJsonArray{box.x, box.y, box.width, box.height, int(r.*b.state)});
    }
    return json;
}

std::optional<FrameRecord> recordFromJson(const QJsonObject& json)
{
    FrameRecord r;
    for (const char* text : {"attackKind", "extra", "folder"})
        if (!json.value(QLatin1String(text)).isString())
            return std::nullopt;
    r.attackKind = json.value(QLatin1String("attackKind")).toString();
    r.extra = json.value(QLatin1String("extra")).toString();
    r.folder = json.value(QLatin1String("folder")).toString();
    const double id = json.value(QLatin1String("sourceId")).toDouble(-1);
    if (id < 0 || id > 0xffffffffu || id != qint64(id))
        return std::nullopt;
    r.sourceId = quint32(id);
    for (const NumberField& f : kNumbers)
        if (!toInt16(json.value(QLatin1String(f.name)), r.*f.field))
            return std::nullopt;
    for (const BoxField& b : kBoxes) {
        const QJsonArray values = json.value(QLatin1String(b.name)).toArray();
        Box& box = r.*b.box;
        qint16 state = 0;
        if (values.size() != 5 || !toInt16(values[0], box.x) || !toInt16(values[1], box.y)
            || !toInt16(values[2], box.width) || !toInt16(values[3], box.height) || !toInt16(values[4], state)
            || state < -1 || state > 1)
            return std::nullopt;
        r.*b.state = BoxState(state);
    }
    return r;
}

} // namespace

QJsonObject animationToJson(const Animation& animation)
{
    QJsonArray frames;
    for (const FrameRecord& record : animation.frames)
        frames.append(recordToJson(record));
    return {{"animName", animation.animName},
            {"framesFromText", animation.framesFromText},
            {"rows", QJsonArray::fromStringList(animation.rows)},
            {"frames", frames}};
}

std::optional<Animation> animationFromJson(const QJsonObject& json)
{
    const QJsonArray rows = json.value(QLatin1String("rows")).toArray();
    const QJsonArray frames = json.value(QLatin1String("frames")).toArray();
    if (!json.value(QLatin1String("animName")).isString() || !json.value(QLatin1String("framesFromText")).isBool()
        || frames.size() < rows.size())
        return std::nullopt;
    Animation animation;
    animation.animName = json.value(QLatin1String("animName")).toString();
    animation.framesFromText = json.value(QLatin1String("framesFromText")).toBool();
    for (const QJsonValue& row : rows) {
        // A row is a file name in its frame's folder, never a path.
        const QString name = row.toString();
        if (!row.isString() || name.isEmpty() || name == u"." || name == u".." || name.contains(u'/')
            || name.contains(u'\\'))
            return std::nullopt;
        animation.rows.append(row.toString());
    }
    for (const QJsonValue& frame : frames) {
        std::optional<FrameRecord> record = recordFromJson(frame.toObject());
        if (!record)
            return std::nullopt;
        animation.frames.append(*record);
    }
    return animation;
}

} // namespace model
