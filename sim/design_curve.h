// The design curve of a recorded run: the response of the linear closed loop
// the gains were designed for (no steering limits, no path curvature), from
// the run's own sample-0 errors, at every recorded sample's time.
#pragma once

#include "sim/settings.h"

struct DesignCurve {
    double d[kMaxSamples];      // m, offset
    double theta[kMaxSamples];  // rad, heading error
    int lastSample;
};

extern DesignCurve designCurve;

// mechanismIndex 0..2, law ControlP/ControlPI; reads trajectoryRecord and the
// gains in force, writes designCurve for samples 0..lastSample of that run.
void computeDesignCurve(int mechanismIndex, int law);
