// agvsim-sweep: the run figures of every setting of a grid over fn, zeta and
// the pose, one CSV row per setting and run, computed in worker processes.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/worker_processes.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/run_figures.h"
#include "sim/settings.h"
#include "tools/common/figures_csv.h"
#include "tools/common/shortest_number.h"
#include "tools/common/run_options.h"
#include "tools/common/sweep_grid.h"

static const char* const kUsage =
    "usage: agvsim-sweep [--path line|circle] [--fn HZ] [--zeta Z] [--pose X Y THETA_DEG]\n"
    "                    [--mech 2DW1C|1FDW1FS|1RDW1FS] [--law P|PI] [-j N] [--shard K/N]\n"
    "                    [the vehicle's options below]\n"
    "Simulates every setting of a grid and writes the run figures of each run as\n"
    "CSV, as agvsim-export --metrics does for one setting.\n"
    "Each of fn, zeta, the three pose values and the vehicle's values takes one\n"
    "number, a comma list (0.5,1,2) or a range START:STOP:STEP (0.2:1:0.2 gives\n"
    "0.2, 0.4, 0.6, 0.8, 1); at most two of them vary, and a grid has at most\n"
    "100000 settings.\n"
    "  -j N      worker processes (default: every online core)\n"
    "  --shard K/N  only the K-th of N contiguous blocks of the grid, in its order;\n"
    "            the header in block 1 alone, so that the blocks' outputs joined\n"
    "            in order are the whole sweep's\n"
    "  --help    show this text\n"
    "Columns: those of fn, zeta, x, y, theta (in degrees) and the vehicle's values\n"
    "(speedFactor, wheelbase, inputBias, steerOffset, drift, noiseD, noiseTheta,\n"
    "seed, delay) that vary, then\n"
    "mech,law,settle,designSettle,overshoot,finalD,iae,peakPhi,atLimit,endT.\n"
    "The first varying value in that order varies slowest; the rows come in the\n"
    "grid's order whatever N. Progress goes to standard error when it is a\n"
    "terminal.\n";

constexpr int kMaxJobs = 256;

// What one setting sends back: [mechanism index][law] of the runs chosen.
struct SettingResult {
    RunFigures figures[3][3];
    bool runsFinite;
};

static RunChoice choice = {0, 0};
static int jobs;

static bool chosen(int wanted, int value) { return wanted == 0 || wanted == value; }

static void runSetting(long n, SettingResult* result) {
    applyGridSetting(n);
    for (int m = 0; m < 3; ++m) {
        if (!chosen(choice.mechanism, m + 1)) continue;
        runMechanism(m, simSettings.pathKind);
        for (int law = ControlP; law <= ControlPI; ++law) {
            if (chosen(choice.law, law)) computeRunFigures(m, law, &result->figures[m][law]);
        }
    }
    result->runsFinite = recordedRunsFinite();
}

static void work(int worker, int fd) {
    SettingResult result = {};
    for (long n = worker; n < sweepGrid.settings; n += jobs) {
        runSetting(n, &result);
        if (!writeWhole(fd, &result, sizeof result)) return;
    }
}

static void writeHeader() {
    for (int v = 0; v < sweepGrid.varyingCount; ++v)
        std::printf("%s,", kGridColumnNames[sweepGrid.varying[v]]);
    writeFiguresHeader();
}

static void writeSetting(long n, const SettingResult& result) {
    char prefix[160] = "";
    for (int v = 0; v < sweepGrid.varyingCount; ++v) {
        char text[kShortestNumberCapacity];
        formatShortest(gridValue(n, sweepGrid.varying[v]), text);
        std::strcat(prefix, text);
        std::strcat(prefix, ",");
    }
    for (int m = 0; m < 3; ++m) {
        for (int law = ControlP; law <= ControlPI; ++law) {
            if (chosen(choice.mechanism, m + 1) && chosen(choice.law, law))
                writeFiguresRow(prefix, m, law, result.figures[m][law]);
        }
    }
}

static void showProgress(long done) {
    const long every = sweepGrid.settings / 200 + 1;
    if (done % every != 0 && done != sweepGrid.settings) return;
    std::fprintf(stderr, "\ragvsim-sweep: %ld of %ld settings", done, sweepGrid.settings);
    if (done == sweepGrid.settings) std::fputc('\n', stderr);
}

static bool readJobs(const char* text) {
    char* end = nullptr;
    const long n = text ? std::strtol(text, &end, 10) : 0;
    if (text == nullptr) return failOption("-j", "missing value");
    if (end == text || *end != '\0' || n < 1 || n > kMaxJobs)
        return failOption("-j", "must be a whole number from 1 to 256");
    jobs = static_cast<int>(n);
    return true;
}

// 0 to go on, else the exit status.
static int readOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs(kVehicleOptionsUsage, stdout);
            return -1;
        }
        if (std::strcmp(argv[i], "-j") == 0) {
            if (!readJobs(i + 1 < argc ? argv[i + 1] : nullptr)) return 2;
            ++i;
            continue;
        }
        const int taken = applyGridOption(argv[i], argv + i + 1, argc - i - 1, &choice);
        if (taken == kNotARunOption) failOption(argv[i], "unknown option");
        if (taken < 0) return 2;
        i += taken;
    }
    return finishGrid() ? 0 : 2;
}

static int sweep() {
    if (jobs > sweepGrid.settings) jobs = static_cast<int>(sweepGrid.settings);
    int from[kMaxJobs];
    std::fflush(stdout);
    for (int w = 0; w < jobs; ++w) {
        from[w] = startWorker(work, w);
        if (from[w] < 0) {
            stopWorkers();
            std::fprintf(stderr, "agvsim-sweep: cannot start a worker process\n");
            return 1;
        }
    }
    const bool progress = standardErrorIsTerminal();
    SettingResult result;
    for (long n = 0; n < sweepGrid.settings; ++n) {
        if (!readWhole(from[n % jobs], &result, sizeof result)) {
            stopWorkers();
            std::fprintf(stderr, "agvsim-sweep: a worker process ended early\n");
            return 1;
        }
        // Rows already written stay; a refusal at the first setting writes none.
        if (!result.runsFinite) {
            stopWorkers();
            failNonFiniteRuns();
            return 2;
        }
        if (n == 0) writeHeader();
        writeSetting(n, result);
        if (progress) showProgress(n + 1);
    }
    if (!waitForWorkers()) return 1;
    return 0;
}

int main(int argc, char** argv) {
    toolName = "agvsim-sweep";
    setDefaultRunSettings();
    setDefaultGrid();
    jobs = onlineCores();
    const int status = readOptions(argc, argv);
    if (status != 0) return status < 0 ? 0 : status;
    const int swept = sweep();
    if (swept != 0) return swept;
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
