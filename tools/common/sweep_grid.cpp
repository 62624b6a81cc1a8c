#include "tools/common/sweep_grid.h"

#include <cstdio>
#include <cstring>

#include "sim/gains.h"
#include "sim/settings.h"

SweepGrid sweepGrid;
const char* const kGridColumnNames[kGridAxes] = {
    "fn", "zeta", "x", "y", "theta", "speedFactor", "wheelbase", "inputBias", "steerOffset",
    "drift", "noiseD", "noiseTheta", "seed", "delay"};

static void setSingle(int axis, double value, const char* option) {
    ValueForm& f = sweepGrid.axis[axis];
    f = {};
    f.count = 1;
    f.list[0] = value;
    sweepGrid.option[axis] = option;
}

void setDefaultGrid() {
    sweepGrid = {};
    setSingle(AxisFn, simSettings.fn, "--fn");
    setSingle(AxisZeta, simSettings.zeta, "--zeta");
    setSingle(AxisX, simSettings.x0, "--pose");
    setSingle(AxisY, simSettings.y0, "--pose");
    setSingle(AxisTheta, simSettings.theta0 * kRadToDeg, "--pose");
    for (int field = 0; field < kImperfectionFields; ++field)
        setSingle(AxisVehicle + field, imperfection(vehicleImperfections, field),
                  kImperfectionNames[field].option);
}

// Every value of the form, checked as the single option would be.
static bool vehicleValuesHold(const char* option, int field, const ValueForm& form) {
    for (long i = 0; i < form.count; ++i)
        if (!checkImperfection(option, field, formValue(form, i))) return false;
    return true;
}

int applyGridOption(const char* option, char** values, int available, RunChoice* choice) {
    int first = -1, taken = 1;
    if (std::strcmp(option, "--fn") == 0) {
        first = AxisFn;
    } else if (std::strcmp(option, "--zeta") == 0) {
        first = AxisZeta;
    } else if (std::strcmp(option, "--pose") == 0) {
        first = AxisX;
        taken = 3;
    } else if (imperfectionOption(option) >= 0) {
        first = AxisVehicle + imperfectionOption(option);
    } else {
        return applyRunOption(option, values, available, choice);
    }
    for (int i = 0; i < taken; ++i) {
        if (!readValueForm(option, i < available ? values[i] : nullptr, &sweepGrid.axis[first + i]))
            return -1;
        sweepGrid.option[first + i] = option;
    }
    if (first >= AxisVehicle && !vehicleValuesHold(option, first - AxisVehicle, sweepGrid.axis[first]))
        return -1;
    return taken;
}

// Every fn and zeta of the grid, paired, designs finite gains.
static bool designValuesHold() {
    const ValueForm& fn = sweepGrid.axis[AxisFn];
    const ValueForm& zeta = sweepGrid.axis[AxisZeta];
    const SimSettings saved = simSettings;
    bool ok = true;
    for (long i = 0; ok && i < fn.count; ++i) {
        for (long j = 0; ok && j < zeta.count; ++j) {
            simSettings.fn = formValue(fn, i);
            simSettings.zeta = formValue(zeta, j);
            if (simSettings.fn == 0.0) ok = failOption("--fn", "must not be 0");
            else if (simSettings.zeta == 0.0) ok = failOption("--zeta", "must not be 0");
            else ok = designFiniteGains();
        }
    }
    simSettings = saved;
    return ok;
}

bool finishGrid() {
    double settings = 1.0;
    sweepGrid.varyingCount = 0;
    for (int axis = 0; axis < kGridAxes; ++axis) {
        const ValueForm& f = sweepGrid.axis[axis];
        if (!f.varies) continue;
        if (sweepGrid.varyingCount == kMaxVaryingAxes)
            return failOption(sweepGrid.option[axis], "at most two of fn, zeta, the pose and the vehicle's values may vary");
        sweepGrid.varying[sweepGrid.varyingCount++] = axis;
        settings *= static_cast<double>(f.count);
    }
    if (settings > kMaxGridSettings) {
        char problem[120];
        std::snprintf(problem, sizeof problem, "the grid would have %.0f settings, more than %ld", settings,
                      kMaxGridSettings);
        const int slowest = sweepGrid.varying[0];
        const int fastest = sweepGrid.varying[sweepGrid.varyingCount - 1];
        char options[64];
        if (sweepGrid.option[slowest] == sweepGrid.option[fastest])
            std::snprintf(options, sizeof options, "%s", sweepGrid.option[slowest]);
        else
            std::snprintf(options, sizeof options, "%s and %s", sweepGrid.option[slowest],
                          sweepGrid.option[fastest]);
        return failOption(options, problem);
    }
    sweepGrid.settings = static_cast<long>(settings);
    return designValuesHold();
}

double gridValue(long n, int axis) {
    const ValueForm& f = sweepGrid.axis[axis];
    if (!f.varies) return f.list[0];
    // The last varying axis runs fastest.
    long stride = 1;
    for (int v = sweepGrid.varyingCount - 1; v >= 0 && sweepGrid.varying[v] != axis; --v)
        stride *= sweepGrid.axis[sweepGrid.varying[v]].count;
    return formValue(f, (n / stride) % f.count);
}

void applyGridSetting(long n) {
    simSettings.fn = gridValue(n, AxisFn);
    simSettings.zeta = gridValue(n, AxisZeta);
    simSettings.omegaN = kTwoPi * simSettings.fn;
    simSettings.x0 = gridValue(n, AxisX);
    simSettings.y0 = gridValue(n, AxisY);
    simSettings.theta0 = gridValue(n, AxisTheta) * kDegToRad;
    for (int field = 0; field < kImperfectionFields; ++field)
        imperfection(vehicleImperfections, field) = gridValue(n, AxisVehicle + field);
    designGains();
}
