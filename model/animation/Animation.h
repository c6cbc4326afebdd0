#pragma once

#include "model/animation/FrameRecord.h"

#include <QList>
#include <QStringList>

namespace model {

// The animation being edited: the frame records and the list rows that name
// them, index for index. After a script was read, `frames` holds one spare
// record more than there are rows; everything iterates over the rows.
class Animation {
public:
    QList<FrameRecord> frames;
    QStringList rows;
    QString animName;
    bool framesFromText = false;

    int rowCount() const { return int(rows.size()); }
    bool hasFrames() const { return !rows.isEmpty(); }
    bool isValidRow(int row) const { return row >= 0 && row < rowCount() && row < frames.size(); }

    // Resizes `frames` to exactly `count` records, keeping existing ones and
    // adding fresh ones.
    void resizeFrames(int count);

    // Removes row `row` and its record; drops the spare record too.
    void removeFrame(int row);
    // Swaps rows a and b together with their records.
    void swapFrames(int a, int b);
    // Empties rows and records; keeps animName and framesFromText.
    void clear();

    friend bool operator==(const Animation&, const Animation&) = default;
};

} // namespace model
