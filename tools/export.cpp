// agvsim-export: runs the simulations headless and writes every recorded sample
// of each run asked for as CSV to standard output.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/gains.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"

static const char* const kUsage =
    "usage: agvsim-export [--path line|circle] [--fn HZ] [--zeta Z] [--pose X Y THETA_DEG]\n"
    "                     [--mech 2DW1C|1FDW1FS|1RDW1FS] [--law P|PI]\n"
    "Simulates the three mechanisms under P and PI control and writes every\n"
    "recorded sample 0..lastSample of each run as CSV to standard output.\n"
    "  --path line|circle   reference path (default line)\n"
    "  --fn HZ              natural frequency in hertz, not 0 (default 1.0)\n"
    "  --zeta Z             damping ratio, not 0 (default 0.7)\n"
    "  --pose X Y THETA_DEG initial pose in metres and degrees (default -2 1 0)\n"
    "  --mech NAME          only the runs of this mechanism (default all three)\n"
    "  --law P|PI           only the runs under this law (default both)\n"
    "  --help               show this text\n"
    "fn and zeta whose gains come out infinite or undefined are refused.\n"
    "Columns: mech (2DW1C, 1FDW1FS or 1RDW1FS), law (P or PI), k (sample index),\n"
    "t (k * 0.02 s), the vehicle state dist,theta,x,y,phi,kappa,pathParam and the\n"
    "tracking sample refArc,refTheta,refX,refY,refPhi,track_kappa,track_pathParam,\n"
    "errD,errTheta (wrapped into [-pi, pi]),errPhi,plotD. Runs appear in the order\n"
    "2DW1C, 1FDW1FS, 1RDW1FS, each with P before PI. Every number is written in\n"
    "its shortest form that reads back to the same double.\n"
    "The window's phase plane plots dd, the column plotD, against dth, the\n"
    "column errTheta.\n";

// Indexed by the Mechanism and ControlLaw values minus one.
static const char* const kMechanismNames[] = {"2DW1C", "1FDW1FS", "1RDW1FS"};
static const char* const kLawNames[] = {"P", "PI"};

constexpr double kDefaultFn = 1.0;
constexpr double kDefaultZeta = 0.7;

// The runs asked for: a Mechanism or ControlLaw value, 0 for all.
struct RunChoice {
    int mechanism;
    int law;
};

static bool fail(const char* option, const char* problem) {
    std::fprintf(stderr, "agvsim-export: %s: %s\n", option, problem);
    return false;
}

// A whole argument that is a finite number; reports the option otherwise.
static bool readNumber(const char* option, const char* text, double* value) {
    if (text == nullptr) return fail(option, "missing value");
    char* end = nullptr;
    double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0') return fail(option, "not a number");
    if (!std::isfinite(parsed)) return fail(option, "not a finite number");
    *value = parsed;
    return true;
}

static bool readPath(const char* text, int* pathKind) {
    if (text == nullptr) return fail("--path", "missing value");
    if (std::strcmp(text, "line") == 0) {
        *pathKind = PathLine;
    } else if (std::strcmp(text, "circle") == 0) {
        *pathKind = PathCircle;
    } else {
        return fail("--path", "must be line or circle");
    }
    return true;
}

static bool readNonZero(const char* option, const char* text, double* value) {
    if (!readNumber(option, text, value)) return false;
    if (*value == 0.0) return fail(option, "must not be 0");
    return true;
}

// One of names, stored as its index plus one; the option may be given once.
static bool readName(const char* option, const char* text, const char* const* names, int count,
                     const char* problem, int* chosen) {
    if (*chosen != 0) return fail(option, "may be given only once");
    if (text == nullptr) return fail(option, "missing value");
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(text, names[i]) == 0) {
            *chosen = i + 1;
            return true;
        }
    }
    return fail(option, problem);
}

static bool readPose(char** values, int available) {
    double pose[3];
    for (int i = 0; i < 3; ++i) {
        if (!readNumber("--pose", i < available ? values[i] : nullptr, &pose[i])) return false;
    }
    simSettings.x0 = pose[0];
    simSettings.y0 = pose[1];
    simSettings.theta0 = pose[2] * kDegToRad;
    return true;
}

// Applies one option to simSettings or the run choice. Returns the number of
// values it took, or -1 after an error message.
static int applyOption(const char* option, char** values, int available, RunChoice* choice) {
    const char* value = available > 0 ? values[0] : nullptr;
    bool ok = false;
    int taken = 1;
    if (std::strcmp(option, "--path") == 0) {
        ok = readPath(value, &simSettings.pathKind);
    } else if (std::strcmp(option, "--fn") == 0) {
        ok = readNonZero(option, value, &simSettings.fn);
    } else if (std::strcmp(option, "--zeta") == 0) {
        ok = readNonZero(option, value, &simSettings.zeta);
    } else if (std::strcmp(option, "--pose") == 0) {
        ok = readPose(values, available);
        taken = 3;
    } else if (std::strcmp(option, "--mech") == 0) {
        ok = readName(option, value, kMechanismNames, 3, "must be 2DW1C, 1FDW1FS or 1RDW1FS",
                      &choice->mechanism);
    } else if (std::strcmp(option, "--law") == 0) {
        ok = readName(option, value, kLawNames, 2, "must be P or PI", &choice->law);
    } else {
        fail(option, "unknown option");
    }
    return ok ? taken : -1;
}

static bool gainsFiniteFor(double fn, double zeta) {
    simSettings.fn = fn;
    simSettings.zeta = zeta;
    simSettings.omegaN = kTwoPi * fn;
    designGains();
    return gainsAreFinite();
}

// Designs the gains from the settings, or names the design value that makes
// them infinite or undefined: each one is tried against the other's default.
static bool designFiniteGains() {
    double fn = simSettings.fn;
    double zeta = simSettings.zeta;
    if (gainsFiniteFor(fn, zeta)) return true;
    const char* option = "--fn and --zeta";
    if (!gainsFiniteFor(fn, kDefaultZeta)) {
        option = "--fn";
    } else if (!gainsFiniteFor(kDefaultFn, zeta)) {
        option = "--zeta";
    }
    return fail(option, "the gains come out infinite or undefined");
}

static void writeHeader() {
    std::fputs("mech,law,k,t,dist,theta,x,y,phi,kappa,pathParam,"
               "refArc,refTheta,refX,refY,refPhi,track_kappa,track_pathParam,"
               "errD,errTheta,errPhi,plotD\n",
               stdout);
}

#ifdef AGV_EXPORT_17_DIGITS
// A test build keeps the earlier fixed 17 significant digits to compare against.
static void writeNumbers(const double* values, int count) {
    for (int i = 0; i < count; ++i) std::printf(",%.17g", values[i]);
}
#else
// Shortest text that reads back to the same double, so no bit is lost.
static void writeNumbers(const double* values, int count) {
    char text[40];
    for (int i = 0; i < count; ++i) {
        text[0] = ',';
        std::to_chars_result end = std::to_chars(text + 1, text + sizeof text - 1, values[i]);
        *end.ptr = '\0';
        std::fputs(text, stdout);
    }
}
#endif

static void writeRun(int mechanismIndex, int law) {
    for (int k = 0; k <= trajectoryRecord.lastSample[mechanismIndex][law]; ++k) {
        const VehicleState& s = trajectoryRecord.state[law][mechanismIndex][k];
        const TrackingSample& r = trajectoryRecord.track[law][mechanismIndex][k];
        const double values[] = {k * kSampleInterval, s.dist, s.theta, s.x, s.y, s.phi,
                                 s.kappa, s.pathParam, r.refArc, r.refTheta, r.refX, r.refY,
                                 r.refPhi, r.kappa, r.pathParam, r.errD, r.errTheta, r.errPhi,
                                 r.plotD};
        std::printf("%s,%s,%d", kMechanismNames[mechanismIndex], kLawNames[law - 1], k);
        writeNumbers(values, sizeof values / sizeof values[0]);
        std::putchar('\n');
    }
}

static bool chosen(int wanted, int value) { return wanted == 0 || wanted == value; }

int main(int argc, char** argv) {
    simSettings.fn = kDefaultFn;
    simSettings.zeta = kDefaultZeta;
    setStartupSettings();
    RunChoice choice = {0, 0};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        int taken = applyOption(argv[i], argv + i + 1, argc - i - 1, &choice);
        if (taken < 0) return 2;
        i += taken;
    }
    if (!designFiniteGains()) return 2;
    writeHeader();
    for (int m = 0; m < 3; ++m) {
        if (!chosen(choice.mechanism, m + 1)) continue;
        runMechanism(m, simSettings.pathKind);
        for (int law = ControlP; law <= ControlPI; ++law) {
            if (chosen(choice.law, law)) writeRun(m, law);
        }
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
