// The P and PI feedback laws on the path errors.
#pragma once

#include "sim/tracking.h"

// Time integrals of the three path errors of one run.
struct ErrorIntegrals {
    double intD;      // m*s
    double intTheta;  // rad*s
    double intPhi;    // rad*s
};

// u for vehicleDerivative: the turn rate for 2DW1C, the unsaturated
// steering rate for the steered mechanisms.
double controlInput(int mechanism, int law, const TrackingSample& errors,
                    const ErrorIntegrals& integrals);
