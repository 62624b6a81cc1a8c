// A grid of settings: fn, zeta, the pose values and the vehicle's imperfections,
// each one value, a list or a range; at most two of them vary, the first in
// this order slowest.
#pragma once

#include "sim/imperfections.h"
#include "tools/common/run_options.h"
#include "tools/common/value_forms.h"

// The imperfections follow the pose, in their own order, from AxisVehicle on.
enum GridAxis { AxisFn, AxisZeta, AxisX, AxisY, AxisTheta, AxisVehicle,
                kGridAxes = AxisVehicle + kImperfectionFields };

constexpr int kMaxVaryingAxes = 2;
constexpr long kMaxGridSettings = 100000;

struct SweepGrid {
    ValueForm axis[kGridAxes];
    const char* option[kGridAxes];  // the option that gave each axis
    int varying[kMaxVaryingAxes];   // GridAxis values, slowest first
    int varyingCount;
    long settings;
};

extern SweepGrid sweepGrid;
// Column names of the axes: fn, zeta, x, y, theta (degrees), then the
// imperfections' own names.
extern const char* const kGridColumnNames[kGridAxes];

// Every axis one value, from the settings in force.
void setDefaultGrid();
// As applyRunOption, with --fn, --zeta, --pose and the vehicle's options read into the grid.
int applyGridOption(const char* option, char** values, int available, RunChoice* choice);
// Counts the settings and checks that each designs finite gains; false after an error line.
bool finishGrid();
// Setting n's value of axis.
double gridValue(long n, int axis);
// Puts setting n into the settings and designs its gains.
void applyGridSetting(long n);
