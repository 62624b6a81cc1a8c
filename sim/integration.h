// One Runge-Kutta-Gill step of the closed loop.
#pragma once

#include "sim/control.h"
#include "sim/tracking.h"
#include "sim/vehicle.h"

// Gill's stage coefficients, kept truncated as the model has always used them.
constexpr double kGillA[4] = {0.5, 0.292893219, 1.70710678, 0.16666667};

struct RkgResult {
    double y;  // new value
    double q;  // outgoing auxiliary
};

RkgResult rkgStage(int stage, double h, double a, double y, double f, double q);

struct StepResult {
    VehicleState state;
    TrackingSample track;
};

// stepIndex 0 zeroes the run's integrals and starts its disturbances (the
// vehicle's imperfections in force); integrals are updated in place.
StepResult integrateStep(int stepIndex, double h, int pathKind, int mechanism, int law,
                         const VehicleState& prevState, const TrackingSample& prevTrack,
                         ErrorIntegrals& integrals);
