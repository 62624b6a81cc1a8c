#include "tools/common/run_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/gains.h"
#include "sim/imperfections.h"
#include "sim/record.h"
#include "sim/settings.h"

const char* const kMechanismNames[3] = {"2DW1C", "1FDW1FS", "1RDW1FS"};
const char* const kLawNames[2] = {"P", "PI"};
const char* toolName = "agvsim";

const char* const kVehicleOptionsUsage =
    "The vehicle as built (default: the perfect vehicle the gains were designed for):\n"
    "  --speed-factor F     its drive speed is F times the design's, F > 0 (default 1)\n"
    "  --wheelbase M        its wheelbase in metres, > 0 (default 1)\n"
    "  --input-bias DEG_S   added to the control input, in degrees/s (default 0)\n"
    "  --steer-offset DEG   the steered wheel stands this far off, in degrees (default 0)\n"
    "  --drift M_S          sideways velocity of the body, to its left (default 0)\n"
    "  --noise-d M          standard deviation of the measured offset (default 0)\n"
    "  --noise-theta DEG    standard deviation of the measured heading error (default 0)\n"
    "  --seed N             the noise's seed, 0 to 4294967295 (default 1)\n"
    "  --delay S            dead time on the control input, 0 to 1 s (default 0)\n";

static constexpr double kDefaultFn = 1.0;  // Hz
static constexpr double kDefaultZeta = 0.7;

void setDefaultRunSettings() {
    simSettings.fn = kDefaultFn;
    simSettings.zeta = kDefaultZeta;
    setStartupSettings();
    vehicleImperfections = defaultImperfections();
}

bool failOption(const char* option, const char* problem) {
    std::fprintf(stderr, "%s: %s: %s\n", toolName, option, problem);
    return false;
}

bool readNumberOption(const char* option, const char* text, double* value) {
    if (text == nullptr) return failOption(option, "missing value");
    if (std::strpbrk(text, ",:") != nullptr)
        return failOption(option, "takes one value here, not a list or range");
    char* end = nullptr;
    double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0') return failOption(option, "not a number");
    if (!std::isfinite(parsed)) return failOption(option, "not a finite number");
    *value = parsed;
    return true;
}

static bool readNonZero(const char* option, const char* text, double* value) {
    if (!readNumberOption(option, text, value)) return false;
    if (*value == 0.0) return failOption(option, "must not be 0");
    return true;
}

// One of names, stored as its index plus one; the option may be given once.
static bool readName(const char* option, const char* text, const char* const* names, int count,
                     const char* problem, int* chosen) {
    if (*chosen != 0) return failOption(option, "may be given only once");
    if (text == nullptr) return failOption(option, "missing value");
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(text, names[i]) == 0) {
            *chosen = i + 1;
            return true;
        }
    }
    return failOption(option, problem);
}

static bool readPath(const char* text, int* pathKind) {
    if (text == nullptr) return failOption("--path", "missing value");
    if (std::strcmp(text, "line") == 0) {
        *pathKind = PathLine;
    } else if (std::strcmp(text, "circle") == 0) {
        *pathKind = PathCircle;
    } else {
        return failOption("--path", "must be line or circle");
    }
    return true;
}

static bool readPose(char** values, int available) {
    double pose[3];
    for (int i = 0; i < 3; ++i) {
        if (!readNumberOption("--pose", i < available ? values[i] : nullptr, &pose[i])) return false;
    }
    simSettings.x0 = pose[0];
    simSettings.y0 = pose[1];
    simSettings.theta0 = pose[2] * kDegToRad;
    return true;
}

int imperfectionOption(const char* option) {
    for (int field = 0; field < kImperfectionFields; ++field)
        if (std::strcmp(option, kImperfectionNames[field].option) == 0) return field;
    return -1;
}

bool checkImperfection(const char* option, int field, double value) {
    const ImperfectionFault fault = imperfectionFault(field, value);
    return fault == ImpFine || failOption(option, imperfectionProblem(fault));
}

static bool readImperfection(const char* option, int field, const char* text) {
    double value;
    if (!readNumberOption(option, text, &value) || !checkImperfection(option, field, value)) return false;
    imperfection(vehicleImperfections, field) = value;
    return true;
}

int applyRunOption(const char* option, char** values, int available, RunChoice* choice) {
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
    } else if (imperfectionOption(option) >= 0) {
        ok = readImperfection(option, imperfectionOption(option), value);
    } else {
        return kNotARunOption;
    }
    return ok ? taken : -1;
}

// Each design value is tried against the other's default to name the culprit.
bool designFiniteGains() {
    double fn = simSettings.fn;
    double zeta = simSettings.zeta;
    if (gainsFiniteFor(fn, zeta)) {
        simSettings.omegaN = kTwoPi * fn;
        designGains();
        return true;
    }
    const char* option = "--fn and --zeta";
    if (!gainsFiniteFor(fn, kDefaultZeta)) {
        option = "--fn";
    } else if (!gainsFiniteFor(kDefaultFn, zeta)) {
        option = "--zeta";
    }
    return failOption(option, "the gains come out infinite or undefined");
}

// A pose far out, or a vehicle far off its design, can overflow the model.
bool failNonFiniteRuns() {
    if (isPerfectVehicle(vehicleImperfections))
        return failOption("--pose", "the runs come out infinite or undefined from this pose");
    return failOption("--pose and the vehicle's options",
                      "the runs come out infinite or undefined from this pose with this vehicle");
}

bool refuseNonFiniteRuns() {
    return recordedRunsFinite() || failNonFiniteRuns();
}
