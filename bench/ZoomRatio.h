#pragma once

// Times the loop of a benchmark that runs at several zoom levels and reports,
// for every level above 1, its time per iteration as a ratio to the same
// measure at level 1 earlier in the same run (counter "vs_zoom1"). Level 1
// must therefore be registered first.

#include "bench/RunRatio.h"

namespace bench {

class ZoomRatio : public RunRatio {
public:
    // `measure` names what is timed apart from the level.
    ZoomRatio(benchmark::State& state, const std::string& measure, int level)
        : RunRatio(state, "zoom " + measure, level == 1 ? std::string() : std::string("vs_zoom1"))
    {
    }
};

} // namespace bench
