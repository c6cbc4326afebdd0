#pragma once

#include "model/animation/FrameRecord.h"

#include <QString>
#include <QStringView>

namespace model {

// What a script line is to the reader, by its keyword.
enum class LineKind {
    Other, // not interpreted: kept with its frame
    Delay,
    Offset,
    Attack, // any attack kind
    ExtAttack,
    Body,
    ExtBody,
    Frame,
};

// What reading one line did.
struct LineEffect {
    LineKind kind = LineKind::Other;
    QString problem;   // why the line could not be read; empty when it was
    QString framePath; // a frame line's path: lower case, "\" separators, ".gif" added when it has no "."
};

// The kind of a line, from its keyword alone.
LineKind lineKind(QStringView line);

// Reads one line into `record` as the script reader does: an interpreted
// line sets its fields (a box line its box and state, an attack line the
// attack's kind and numbers); a frame line and any other line leave the
// record as it is. On a problem the record is unchanged but for an offset
// line whose first number was read.
LineEffect applyScriptLine(QStringView line, FrameRecord& record);

// The attack kind a keyword ("attack", "blast", "freeze" ... in any letter
// case) reads as, or an empty text when the keyword is none; and back, the
// keyword that reads as a kind ("Attack5" is spelt "Freeze").
QString attackKindForKeyword(QStringView keyword);
QString keywordForAttackKind(const QString& kind);

} // namespace model
