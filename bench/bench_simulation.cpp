// Time of one complete simulation (six runs) with the start-up settings,
// on the line and on the circle, and the time per integration step.
#include <benchmark/benchmark.h>

#include "sim/gains.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"

// Steps of the last simulation. A run that ends on distance stops within the
// 40 steps after its last sample fell due; counting one step there undercounts
// by at most 39 of some 40,000 per run.
static double stepsOfLastSimulation() {
    double steps = 0.0;
    for (int m = 0; m < 3; ++m) {
        for (int law = ControlP; law <= ControlPI; ++law) {
            int last = trajectoryRecord.lastSample[m][law];
            steps += kSubsteps * (last + 1.0) + (last == kMaxSamples - 1 ? 0.0 : 1.0);
        }
    }
    return steps;
}

static void simulation(benchmark::State& state, int pathKind) {
    setStartupSettings();
    designGains();
    for (auto _ : state) {
        runAllMechanisms(pathKind);
        benchmark::ClobberMemory();
    }
    double steps = stepsOfLastSimulation();
    state.SetItemsProcessed(static_cast<int64_t>(steps) * state.iterations());
    state.counters["steps"] = steps;
    state.counters["time_per_step"] =
        benchmark::Counter(steps, benchmark::Counter::kIsIterationInvariantRate |
                                      benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(simulation, line, static_cast<int>(PathLine))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(simulation, circle, static_cast<int>(PathCircle))->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
