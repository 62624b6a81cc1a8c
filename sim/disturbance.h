// What the vehicle's imperfections do to the loop of one run, between the law
// and the vehicle: the errors the law measures and the input the vehicle gets.
// One run at a time; integrateStep starts and drives it.
#pragma once

#include "sim/tracking.h"

// At a run's first step: the noise generator seeded, the delay line emptied.
void startDisturbances(double h);
// At the start of each step: a new noise pair every kSubsteps steps.
void beginDisturbedStep(int stepIndex);
// The errors as measured, noise added to errD and errTheta.
TrackingSample measuredErrors(const TrackingSample& track);
// The input the vehicle gets in this stage: the law's u of n steps earlier
// (0 before the run's first step), plus the input bias.
double appliedInput(int stepIndex, int stage, double u);
