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
    "  --shard K/N  only the K-th of N contiguous blocks of the grid, K from 1 to N,\n"
    "            N at most 100000; the header in block 1 alone, so that the blocks'\n"
    "            outputs joined in order are the whole sweep's\n"
    "  --help    show this text\n"
    "Columns: those of fn, zeta, x, y, theta (in degrees) and the vehicle's values\n"
    "(speedFactor, wheelbase, inputBias, steerOffset, drift, noiseD, noiseTheta,\n"
    "seed, delay) that vary, then\n"
    "mech,law,settle,designSettle,overshoot,finalD,iae,peakPhi,atLimit,endT.\n"
    "The first varying value in that order varies slowest; the rows come in the\n"
    "grid's order whatever N. Progress goes to standard error when it is a\n"
    "terminal.\n";

constexpr int kMaxJobs = 256;
// More blocks than a grid can have settings would only add empty ones.
constexpr long kMaxShards = kMaxGridSettings;

// A task is one setting's runs on one mechanism, so that a small grid still
// fills the cores and the last tasks leave little idle time.
// What a task sends back: by law, the runs chosen.
struct MechanismResult {
    RunFigures figures[3];
    bool runsFinite;
};

static RunChoice choice = {0, 0};
static int jobs;
static int mechanisms[3];  // indices of the mechanisms chosen, in row order
static int mechanismCount;
static long shardIndex = 1, shardCount = 1;  // --shard K/N
static long shardFirst, shardEnd;             // its settings, first .. end - 1
static bool progress;
// [mechanism index][law] of the setting whose tasks are being taken.
static RunFigures settingFigures[3][3];

static bool chosen(int wanted, int value) { return wanted == 0 || wanted == value; }

static void runTask(long task, void* sent) {
    MechanismResult result = {};
    const int m = mechanisms[task % mechanismCount];
    applyGridSetting(task / mechanismCount);
    runMechanism(m, simSettings.pathKind);
    for (int law = ControlP; law <= ControlPI; ++law) {
        if (chosen(choice.law, law)) computeRunFigures(m, law, &result.figures[law]);
    }
    result.runsFinite = recordedRunFinite(m, ControlP) && recordedRunFinite(m, ControlPI);
    std::memcpy(sent, &result, sizeof result);
}

static void writeHeader() {
    for (int v = 0; v < sweepGrid.varyingCount; ++v)
        std::printf("%s,", kGridColumnNames[sweepGrid.varying[v]]);
    writeFiguresHeader();
}

static void writeSetting(long n) {
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
                writeFiguresRow(prefix, m, law, settingFigures[m][law]);
        }
    }
}

static void showProgress(long done) {
    const long settings = shardEnd - shardFirst;
    const long every = settings / 200 + 1;
    if (done % every != 0 && done != settings) return;
    std::fprintf(stderr, "\ragvsim-sweep: %ld of %ld settings", done, settings);
    if (done == settings) std::fputc('\n', stderr);
}

// Rows already written stay; a refusal at the first setting writes none.
static bool takeTask(long task, const void* sent) {
    MechanismResult result;
    std::memcpy(&result, sent, sizeof result);
    if (!result.runsFinite) return false;
    std::memcpy(settingFigures[mechanisms[task % mechanismCount]], result.figures, sizeof result.figures);
    if (task % mechanismCount != mechanismCount - 1) return true;
    const long n = task / mechanismCount;
    if (n == 0) writeHeader();
    writeSetting(n);
    if (progress) showProgress(n + 1 - shardFirst);
    return true;
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

// Digits alone: no sign, space or fraction.
static bool readWholeNumber(const char* text, char** end, long* value) {
    if (*text < '0' || *text > '9') return false;
    *value = std::strtol(text, end, 10);
    return true;
}

static bool readShard(const char* text) {
    if (text == nullptr) return failOption("--shard", "missing value");
    char* end = nullptr;
    long k = 0, n = 0;
    if (!readWholeNumber(text, &end, &k) || *end != '/' || !readWholeNumber(end + 1, &end, &n) ||
        *end != '\0')
        return failOption("--shard", "must be K/N, two whole numbers");
    if (n < 1 || n > kMaxShards) return failOption("--shard", "N must be from 1 to 100000");
    if (k < 1 || k > n) return failOption("--shard", "K must be from 1 to N");
    shardIndex = k;
    shardCount = n;
    return true;
}

// Blocks as even as possible; rounding up gives the first block the first
// setting, and with it the header, whenever there are fewer settings than blocks.
static void findShard() {
    const long settings = sweepGrid.settings;
    shardFirst = ((shardIndex - 1) * settings + shardCount - 1) / shardCount;
    shardEnd = (shardIndex * settings + shardCount - 1) / shardCount;
}

// 0 to go on, else the exit status.
static int readOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs(kVehicleOptionsUsage, stdout);
            return -1;
        }
        const bool isJobs = std::strcmp(argv[i], "-j") == 0;
        if (isJobs || std::strcmp(argv[i], "--shard") == 0) {
            const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
            if (!(isJobs ? readJobs(value) : readShard(value))) return 2;
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
    for (int m = 0; m < 3; ++m) {
        if (chosen(choice.mechanism, m + 1)) mechanisms[mechanismCount++] = m;
    }
    findShard();
    progress = standardErrorIsTerminal();
    const TaskWork work = {runTask, takeTask, sizeof(MechanismResult)};
    switch (runTasks(work, shardFirst * mechanismCount, shardEnd * mechanismCount, jobs)) {
    case TasksDone:
        return 0;
    case TasksStopped:
        failNonFiniteRuns();
        return 2;
    case TasksCannotStart:
        std::fprintf(stderr, "agvsim-sweep: cannot start a worker process\n");
        return 1;
    case TasksWorkerEnded:
        break;
    }
    std::fprintf(stderr, "agvsim-sweep: a worker process ended early\n");
    return 1;
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
