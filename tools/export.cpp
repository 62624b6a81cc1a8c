// agvsim-export: runs the six simulations headless and writes every recorded
// sample of each run as CSV to standard output.
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
    "Simulates the three mechanisms under P and PI control and writes every\n"
    "recorded sample 0..lastSample of each run as CSV to standard output.\n"
    "  --path line|circle   reference path (default line)\n"
    "  --fn HZ              natural frequency in hertz, not 0 (default 1.0)\n"
    "  --zeta Z             damping ratio, not 0 (default 0.7)\n"
    "  --pose X Y THETA_DEG initial pose in metres and degrees (default -2 1 0)\n"
    "  --help               show this text\n"
    "Columns: mech (2DW1C, 1FDW1FS or 1RDW1FS), law (P or PI), k (sample index),\n"
    "t (k * 0.02 s), the vehicle state dist,theta,x,y,phi,kappa,pathParam and the\n"
    "tracking sample refArc,refTheta,refX,refY,refPhi,track_kappa,track_pathParam,\n"
    "errD,errTheta (wrapped into [-pi, pi]),errPhi,plotD. Runs appear in the order\n"
    "2DW1C, 1FDW1FS, 1RDW1FS, each with P before PI.\n";

static const char* const kMechanismNames[] = {"2DW1C", "1FDW1FS", "1RDW1FS"};
static const char* const kLawNames[] = {"", "P", "PI"};

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

// Applies one option to simSettings. Returns the number of values it took,
// or -1 after an error message.
static int applyOption(const char* option, char** values, int available) {
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
    } else {
        fail(option, "unknown option");
    }
    return ok ? taken : -1;
}

static void writeHeader() {
    std::fputs("mech,law,k,t,dist,theta,x,y,phi,kappa,pathParam,"
               "refArc,refTheta,refX,refY,refPhi,track_kappa,track_pathParam,"
               "errD,errTheta,errPhi,plotD\n",
               stdout);
}

static void writeRun(int mechanismIndex, int law) {
    for (int k = 0; k <= trajectoryRecord.lastSample[mechanismIndex][law]; ++k) {
        const VehicleState& s = trajectoryRecord.state[law][mechanismIndex][k];
        const TrackingSample& r = trajectoryRecord.track[law][mechanismIndex][k];
        std::printf("%s,%s,%d,%.17g", kMechanismNames[mechanismIndex], kLawNames[law], k,
                    k * kSampleInterval);
        std::printf(",%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g", s.dist, s.theta, s.x, s.y,
                    s.phi, s.kappa, s.pathParam);
        std::printf(",%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n",
                    r.refArc, r.refTheta, r.refX, r.refY, r.refPhi, r.kappa, r.pathParam,
                    r.errD, r.errTheta, r.errPhi, r.plotD);
    }
}

int main(int argc, char** argv) {
    simSettings.fn = 1.0;
    simSettings.zeta = 0.7;
    setStartupSettings();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        int taken = applyOption(argv[i], argv + i + 1, argc - i - 1);
        if (taken < 0) return 2;
        i += taken;
    }
    simSettings.omegaN = kTwoPi * simSettings.fn;
    designGains();
    runAllMechanisms(simSettings.pathKind);
    writeHeader();
    for (int m = 0; m < 3; ++m) {
        writeRun(m, ControlP);
        writeRun(m, ControlPI);
    }
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
