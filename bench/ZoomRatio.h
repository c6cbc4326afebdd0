#pragma once

// Times the loop of a benchmark that runs at several zoom levels and reports,
// for every level above 1, its time per iteration as a ratio to the same
// measure at level 1 earlier in the same run (counter "vs_zoom1"). Level 1
// must therefore be registered first.

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
        const double perIteration = double(m_timer.nsecsElapsed()) / double(m_state.iterations());
        if (m_level == 1) {
            levelOne()[m_measure] = perIteration;
            return;
        }
        const auto found = levelOne().find(m_measure);
        if (found != levelOne().end())
            m_state.counters["vs_zoom1"] = perIteration / found->second;
    }

private:
    static std::map<std::string, double>& levelOne()
    {
        static std::map<std::string, double> times;
        return times;
    }

    benchmark::State& m_state;
    std::string m_measure;
    int m_level;
    QElapsedTimer m_timer;
};

} // namespace bench
