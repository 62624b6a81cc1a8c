// Time of one complete frame in a real GLUT window: the start-up frame, and the
// frame of the longest run (1FDW1FS under PI, 3000 samples) with its animation at
// the last sample, as many 's' presses leave it. Needs an X display (Xvfb will do,
// see bench/run_frame_bench.sh); without one it says so and times nothing.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "display/scene.h"
#include "display/view.h"
#include "display/window.h"
#include "sim/gains.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"

static void setStartupRuns() {
    setStartupSettings();
    designGains();
    runAllMechanisms(simSettings.pathKind);
    resetView();
    resetViewAfterRuns();
}

// The program's own window, mapped and sized before anything is timed.
static void openMappedWindow(int* argc, char** argv) {
    openWindow(argc, argv);
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();
    onReshape(800, 800);
}

static void timeFrames(benchmark::State& state) {
    for (auto _ : state) {
        onDisplay();
        glFinish();
    }
    state.SetItemsProcessed(state.iterations());
}

static void startUpFrame(benchmark::State& state) {
    setStartupRuns();
    timeFrames(state);
}

static void longestRunLastFrame(benchmark::State& state) {
    setStartupRuns();
    simSettings.mechanism = Mech1FDW1FS;
    simSettings.controlLaw = ControlPI;
    const int m = Mech1FDW1FS - 1;
    viewState.animIndexP = trajectoryRecord.lastSample[m][ControlP];
    viewState.animIndexPI = trajectoryRecord.lastSample[m][ControlPI];
    state.counters["samples"] = viewState.animIndexPI + 1;
    timeFrames(state);
}

BENCHMARK(startUpFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(longestRunLastFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        std::printf("bench_frame: no X display; run bench/run_frame_bench.sh for one under Xvfb\n");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    openMappedWindow(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
