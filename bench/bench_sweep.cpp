// What agvsim-sweep costs on a 20 x 20 grid over fn and zeta on the line:
// settings per second with one worker, its speed-up with 2, 4, ... workers and
// every core, and one setting's cost inside the sweep against runAllMechanisms
// alone on the same settings. Settings cost several times one another, so
// the speed-up shows how well the workers are kept busy.
// Usage: bench_sweep [path of agvsim-sweep] [repetitions]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/gains.h"
#include "sim/run.h"
#include "sim/settings.h"

constexpr int kAxisValues = 20;
constexpr double kFirstValue = 0.1, kValueStep = 0.1;  // fn in Hz, zeta alike
constexpr const char* kGrid = "--fn 0.1:2:0.1 --zeta 0.1:2:0.1";
constexpr int kSettings = kAxisValues * kAxisValues;
constexpr int kMaxCounts = 10;  // worker counts measured: up to 256 cores

static double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

static double simulationAlone() {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kAxisValues; ++i) {
        for (int j = 0; j < kAxisValues; ++j) {
            simSettings.fn = kFirstValue + i * kValueStep;
            simSettings.zeta = kFirstValue + j * kValueStep;
            simSettings.omegaN = kTwoPi * simSettings.fn;
            designGains();
            runAllMechanisms(PathLine);
        }
    }
    return seconds(start);
}

static double sweepWith(const std::string& sweep, int jobs) {
    const std::string command = sweep + " " + kGrid + " -j " + std::to_string(jobs) + " >/dev/null";
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "bench_sweep: %s failed\n", command.c_str());
        std::exit(1);
    }
    return seconds(start);
}

// 1, 2, 4, ... below cores, then cores.
static int workerCounts(int cores, int* counts) {
    int n = 0;
    for (int jobs = 1; jobs < cores && n < kMaxCounts - 1; jobs *= 2) counts[n++] = jobs;
    counts[n++] = cores;
    return n;
}

int main(int argc, char** argv) {
    const std::string sweep = argc > 1 ? argv[1] : AGV_SWEEP;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
    const int cores = static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN));
    int counts[kMaxCounts];
    const int countsUsed = workerCounts(cores, counts);
    setStartupSettings();
    // Best of the repetitions: the machine is shared, the fastest run is the least disturbed.
    double alone = 1e30, best[kMaxCounts];
    std::fill(best, best + kMaxCounts, 1e30);
    for (int r = 0; r < repetitions; ++r) {
        alone = std::min(alone, simulationAlone());
        for (int c = 0; c < countsUsed; ++c) best[c] = std::min(best[c], sweepWith(sweep, counts[c]));
    }
    const double one = best[0];
    std::printf("grid: %s on the line, %d settings, best of %d, %d cores\n", kGrid, kSettings,
                repetitions, cores);
    std::printf("runAllMechanisms alone: %.2f ms per setting\n", 1e3 * alone / kSettings);
    std::printf("agvsim-sweep -j 1:   %7.1f settings/s (%.2f ms per setting)\n", kSettings / one,
                1e3 * one / kSettings);
    for (int c = 1; c < countsUsed; ++c) {
        std::printf("agvsim-sweep -j %-3d  %7.1f settings/s, %5.2f x one worker (%.0f %% of %d x)\n",
                    counts[c], kSettings / best[c], one / best[c], 100 * one / best[c] / counts[c],
                    counts[c]);
    }
    std::printf("sweep cost per setting / simulation alone: %.3f (aim: below 1.10)\n", one / alone);
    return 0;
}
