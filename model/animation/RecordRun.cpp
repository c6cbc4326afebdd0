#include "model/animation/RecordRun.h"

namespace model {

RecordRun takeRun(const Animation& animation, int first, int end)
{
    return {first, animation.frames.mid(first, end - first)};
}

void putRun(Animation& animation, const RecordRun& run)
{
    std::copy(run.records.cbegin(), run.records.cend(), animation.frames.begin() + run.first);
}

RecordRun extendRun(const RecordRun& base, const RecordRun& tail)
{
    RecordRun run = base;
    if (tail.end() > base.end())
        run.records.append(tail.records.mid(base.end() - tail.first));
    return run;
}

} // namespace model
