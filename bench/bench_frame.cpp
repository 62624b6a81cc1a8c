// Time of one complete frame in a real GLUT window: the start-up frame, and the
// frame of the longest run (1FDW1FS under PI, 3000 samples) with its animation at
// the last sample, as many 's' presses leave it. Then the whole longest run
// played with the space bar: frames drawn per second, and simulated seconds
// shown per wall-clock second (1.0 is real time). Needs an X display (Xvfb will
// do, see bench/run_frame_bench.sh); without one it says so and times nothing.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/longest_run.h"
#include "display/playback.h"
#include "display/scene.h"
#include "display/view.h"
#include "display/window.h"
#include "sim/gains.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"
#include "ui/keys.h"

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
    state.counters["samples"] = showLongestRun(true);
    timeFrames(state);
}

// Through the program's own space key and GLUT timer, until playback stops at
// the run's end; each change of the shown sample is one frame drawn.
static void playLongestRun(benchmark::State& state) {
    for (auto _ : state) {
        setStartupRuns();
        showLongestRun(false);
        auto start = std::chrono::steady_clock::now();
        onKeyboard(' ', 0, 0);
        long frames = 0;
        int shown = viewState.animIndexPI;
        while (isPlaying()) {
            glutMainLoopEvent();
            if (viewState.animIndexPI != shown) {
                shown = viewState.animIndexPI;
                ++frames;
            }
            usleep(200);  // keeps the wait from taking the CPU Xvfb draws with
        }
        glFinish();
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(wall);
        state.counters["frames_per_s"] = frames / wall;
        state.counters["sim_s_per_wall_s"] = shown * kSampleInterval / wall;
        state.counters["samples"] = shown + 1;
    }
}

BENCHMARK(startUpFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(longestRunLastFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(playLongestRun)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

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
