#pragma once

#include "model/animation/Animation.h"

namespace model {

// The records of consecutive rows as they stood at one moment: what an undo
// step keeps of the rows it touched. Copies share the records' images.
struct RecordRun {
    int first = 0;
    QList<FrameRecord> records;

    int end() const { return first + int(records.size()); }
    friend bool operator==(const RecordRun&, const RecordRun&) = default;
};

// The records of rows [first, end).
RecordRun takeRun(const Animation& animation, int first, int end);

// Writes the run's records back over their rows.
void putRun(Animation& animation, const RecordRun& run);

// `base` followed by the records of `tail` beyond base's end; both start at
// the same row. Two merged steps keep the earliest record of each row as
// their before and the latest as their after.
RecordRun extendRun(const RecordRun& base, const RecordRun& tail);

} // namespace model
