// Time of one complete simulation (six runs) with the start-up settings,
// on the line and on the circle, and the time per integration step; then the
// same with every imperfection of the vehicle on (noise and a 0.1 s dead time
// included), whose runs end at other steps: compare time_per_step.
#include <benchmark/benchmark.h>

#include "sim/gains.h"
#include "sim/imperfections.h"
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

static VehicleImperfections everyImperfection() {
    VehicleImperfections v = defaultImperfections();
    v.speedFactor = 1.05;
    v.wheelbase = 0.95;
    v.inputBias = 2.0;
    v.steerOffset = 1.0;
    v.drift = 0.02;
    v.noiseD = 0.005;
    v.noiseTheta = 0.5;
    v.seed = 3.0;
    v.delay = 0.1;
    return v;
}

static void simulation(benchmark::State& state, int pathKind, bool imperfect) {
    setStartupSettings();
    vehicleImperfections = imperfect ? everyImperfection() : defaultImperfections();
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

BENCHMARK_CAPTURE(simulation, line, static_cast<int>(PathLine), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(simulation, circle, static_cast<int>(PathCircle), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(simulation, line_imperfect, static_cast<int>(PathLine), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(simulation, circle_imperfect, static_cast<int>(PathCircle), true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
