// What the vehicle's imperfections do to the loop of one run, between the law
// and the vehicle: the errors the law measures and the input the vehicle gets.
// One run at a time; integrateStep starts and drives it.
#pragma once

#include "sim/tracking.h"

// At a run's first step: the noise generator seeded, the delay line emptied.
void startDisturbances(double h);
// What the measurement adds to errD (m) and errTheta (rad) during a step; a
// term whose deviation is 0 is left out, not added as a zero.
struct MeasurementNoise {
    bool onD, onTheta;
    double d, theta;
};

// At the start of each step: a new noise pair every kSubsteps steps; the noise
// held for this step.
MeasurementNoise beginDisturbedStep(int stepIndex);
// The input the vehicle gets in this stage: the law's u of n steps earlier
// (0 before the run's first step), plus the input bias.
double appliedInput(int stage, double u);
