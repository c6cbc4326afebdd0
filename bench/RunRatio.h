#pragma once

// Times the loop of a benchmark and relates it to a baseline measured earlier
// in the same run: this machine is shared, so absolute times swing while the
// ratio of two figures taken side by side holds. A baseline adds its time per
// iteration under its key (all its runs so far, so the short runs that size a
// benchmark hardly count); any other run reports its time per iteration as a
// ratio to that key's baseline in the counter it names. The baseline must
// therefore be registered first. The same ratio of process CPU times follows
// as "<counter>_cpu": on a loaded machine the wall times include the waits
// for the processor, which the CPU times leave out (and with them the work of
// other processes, such as a display server).

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <ctime>

#include <map>
#include <string>

namespace bench {

class RunRatio {
public:
    // A baseline run of `key`.
    RunRatio(benchmark::State& state, std::string key)
        : RunRatio(state, std::move(key), std::string())
    {
    }

    // A run compared with the baseline of `key`, reported as `counter`.
    RunRatio(benchmark::State& state, std::string key, std::string counter)
        : m_state(state)
        , m_key(std::move(key))
        , m_counter(std::move(counter))
    {
        m_timer.start();
        m_cpuStart = cpuNanoseconds();
    }

    ~RunRatio()
    {
        if (m_state.iterations() == 0)
            return;
        const double elapsed = double(m_timer.nsecsElapsed());
        const double cpu = cpuNanoseconds() - m_cpuStart;
        const double iterations = double(m_state.iterations());
        Runs& runs = baselines()[m_key];
        if (m_counter.empty()) {
            runs.nanoseconds += elapsed;
            runs.cpuNanoseconds += cpu;
            runs.iterations += iterations;
        } else if (runs.iterations > 0) {
            m_state.counters[m_counter] = (elapsed / iterations) / (runs.nanoseconds / runs.iterations);
            m_state.counters[m_counter + "_cpu"] = (cpu / iterations) / (runs.cpuNanoseconds / runs.iterations);
        }
    }

private:
    struct Runs {
        double nanoseconds = 0;
        double cpuNanoseconds = 0;
        double iterations = 0;
    };

    static double cpuNanoseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
    }

    static std::map<std::string, Runs>& baselines()
    {
        static std::map<std::string, Runs> runs;
        return runs;
    }

    benchmark::State& m_state;
    std::string m_key;
    std::string m_counter;
    QElapsedTimer m_timer;
    double m_cpuStart = 0;
};

} // namespace bench
