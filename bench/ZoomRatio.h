#pragma once

// Times the loop of a benchmark that runs at several zoom levels and reports,
// for every level above 1, its time per iteration as a ratio to the same
// measure at level 1 earlier in the same run (counter "vs_zoom1"; level 1 is
// all its iterations so far, so the short runs that size a benchmark hardly
// count). Level 1 must therefore be registered first.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <map>
#include <string>

namespace bench {

class ZoomRatio {
public:
    // `measure` names what is timed apart from the level.
    ZoomRatio(benchmark::State& state, std::string measure, int level)
        : m_state(state)
        , m_measure(std::move(measure))
        , m_level(level)
    {
        m_timer.start();
    }

    ~ZoomRatio()
    {
        if (m_state.iterations() == 0)
            return;
        const double elapsed = double(m_timer.nsecsElapsed());
        const double iterations = double(m_state.iterations());
        Runs& runs = levelOne()[m_measure];
        if (m_level == 1) {
            runs.nanoseconds += elapsed;
            runs.iterations += iterations;
        } else if (runs.iterations > 0) {
            m_state.counters["vs_zoom1"] = (elapsed / iterations) / (runs.nanoseconds / runs.iterations);
        }
    }

private:
    struct Runs {
        double nanoseconds = 0;
        double iterations = 0;
    };

    static std::map<std::string, Runs>& levelOne()
    {
        static std::map<std::string, Runs> runs;
        return runs;
    }

    benchmark::State& m_state;
    std::string m_measure;
    int m_level;
    QElapsedTimer m_timer;
};

} // namespace bench
