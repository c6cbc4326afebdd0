#include "model/animation/Animation.h"

#include <utility>

namespace model {

void Animation::resizeFrames(int count)
{
    frames.resize(qMax(0, count));
}

void Animation::removeFrame(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    rows.removeAt(row);
    if (row < frames.size())
        frames.removeAt(row);
    if (frames.size() > rows.size())
        frames.resize(rows.size());
}

void Animation::swapFrames(int a, int b)
{
    if (!isValidRow(a) || !isValidRow(b))
        return;
    rows.swapItemsAt(a, b);
    std::swap(frames[a], frames[b]);
}

void Animation::clear()
{
    rows.clear();
    frames.clear();
}

} // namespace model
