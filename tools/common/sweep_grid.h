// A grid of settings: fn, zeta and the pose values, each one value, a list or
// a range; at most two of them vary, the first in this order slowest.
#pragma once

#include "tools/common/run_options.h"
#include "tools/common/value_forms.h"

enum GridAxis { AxisFn, AxisZeta, AxisX, AxisY, AxisTheta, kGridAxes };

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
// Column names of the axes: fn, zeta, x, y, theta (degrees).
extern const char* const kGridColumnNames[kGridAxes];

// Every axis one value, from the settings in force.
void setDefaultGrid();
// As applyRunOption, with --fn, --zeta and --pose read into the grid.
int applyGridOption(const char* option, char** values, int available, RunChoice* choice);
// Counts the settings and checks that each designs finite gains; false after an error line.
bool finishGrid();
// Setting n's value of axis.
double gridValue(long n, int axis);
// Puts setting n into the settings and designs its gains.
void applyGridSetting(long n);
