#include "sim/imperfections.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "sim/settings.h"

VehicleImperfections vehicleImperfections = defaultImperfections();

VehicleImperfections defaultImperfections() {
    VehicleImperfections v;
    v.speedFactor = 1.0;
    v.wheelbase = kWheelBase;
    v.inputBias = 0.0;
    v.steerOffset = 0.0;
    v.drift = 0.0;
    v.noiseD = 0.0;
    v.noiseTheta = 0.0;
    v.seed = 1.0;
    v.delay = 0.0;
    return v;
}

const ImperfectionName kImperfectionNames[kImperfectionFields] = {
    {"speedFactor", "--speed-factor", ""}, {"wheelbase", "--wheelbase", "m"},
    {"inputBias", "--input-bias", "deg/s"}, {"steerOffset", "--steer-offset", "deg"},
    {"drift", "--drift", "m/s"},           {"noiseD", "--noise-d", "m"},
    {"noiseTheta", "--noise-theta", "deg"}, {"seed", "--seed", ""},
    {"delay", "--delay", "s"},
};

double& imperfection(VehicleImperfections& v, int field) {
    switch (field) {
        case ImpSpeedFactor: return v.speedFactor;
        case ImpWheelbase: return v.wheelbase;
        case ImpInputBias: return v.inputBias;
        case ImpSteerOffset: return v.steerOffset;
        case ImpDrift: return v.drift;
        case ImpNoiseD: return v.noiseD;
        case ImpNoiseTheta: return v.noiseTheta;
        case ImpSeed: return v.seed;
        default: return v.delay;
    }
}

double imperfection(const VehicleImperfections& v, int field) {
    return imperfection(const_cast<VehicleImperfections&>(v), field);
}

bool atDefault(const VehicleImperfections& v, int field) {
    static const VehicleImperfections defaults = defaultImperfections();
    return imperfection(v, field) == imperfection(defaults, field);
}

bool isPerfectVehicle(const VehicleImperfections& v) {
    for (int field = 0; field < kImperfectionFields; ++field)
        if (!atDefault(v, field)) return false;
    return true;
}

ImperfectionFault imperfectionFault(int field, double value) {
    if (!std::isfinite(value)) return ImpNotFinite;
    switch (field) {
        case ImpSpeedFactor: return value > 0.0 && value <= kMaxSpeedFactor ? ImpFine : ImpSpeedRange;
        case ImpWheelbase: return value > 0.0 ? ImpFine : ImpNotPositive;
        case ImpNoiseD:
        case ImpNoiseTheta: return value >= 0.0 ? ImpFine : ImpNegative;
        case ImpDelay: return value >= 0.0 && value <= kMaxDelay ? ImpFine : ImpDelayRange;
        case ImpSeed:
            return value >= 0.0 && value <= kMaxSeed && value == std::floor(value) ? ImpFine : ImpSeedRange;
        default: return ImpFine;
    }
}

int refusedImperfection(const VehicleImperfections& v) {
    for (int field = 0; field < kImperfectionFields; ++field)
        if (imperfectionFault(field, imperfection(v, field)) != ImpFine) return field;
    return -1;
}

const char* imperfectionProblem(ImperfectionFault fault) {
    switch (fault) {
        case ImpNotFinite: return "not a finite number";
        case ImpNotPositive: return "must be greater than 0";
        case ImpSpeedRange: return "must be greater than 0 and at most 100";
        case ImpNegative: return "must not be negative";
        case ImpDelayRange: return "must be from 0 to 1 s";
        case ImpSeedRange: return "must be a whole number from 0 to 4294967295";
        default: return "";
    }
}

// The window's words for each field: a label and how its value reads.
struct Described {
    const char* label;
    const char* format;
};
static const Described kDescribed[kImperfectionFields] = {
    {"speed", "x%.2f"},         {"wheelbase", "%.2f m"},  {"input bias", "%+.2f deg/s"},
    {"steer offset", "%+.2f deg"}, {"drift", "%+.3f m/s"}, {"noise dd", "%.3f m"},
    {"noise dth", "%.2f deg"},  {"seed", "%.0f"},         {"delay", "%.2f s"},
};

void describeImperfections(const VehicleImperfections& v, char* out, int size) {
    out[0] = '\0';
    int used = 0;
    for (int field = 0; field < kImperfectionFields && used < size; ++field) {
        if (atDefault(v, field)) continue;
        const Described& d = kDescribed[field];
        used += std::snprintf(out + used, size - used, "%s%s ", used == 0 ? "Vehicle: " : ", ", d.label);
        if (used < size) used += std::snprintf(out + used, size - used, d.format, imperfection(v, field));
    }
}

int delaySteps(double delay, double h) {
    return static_cast<int>(std::floor(delay / h + 0.5));
}
