#pragma once

#include "model/animation/Animation.h"

#include <QString>

#include <optional>

namespace modeltest {

// The fields of a record (all but the image) that differ from a fresh
// record, one "name value" line each: a box as four numbers, a state by
// name, CR LF in a text as the four characters \r\n.
QString dumpRecord(const model::FrameRecord& record);

// Sets the field `key` of `record` from its text in such a line; false for an unknown key.
bool setField(model::FrameRecord& record, const QString& key, const QString& value);

// Optional "anim NAME" and "fromText" lines, then for each record "row NAME"
// (or "spare" for a record beyond the rows) followed by its dumpRecord lines.
QString dumpAnimation(const model::Animation& animation);

// Reads a dump of that form back; a "folder PATH" line goes to `folder`.
// Nothing for a line it does not know.
std::optional<model::Animation> parseAnimation(const QString& dump, QString* folder);

} // namespace modeltest
