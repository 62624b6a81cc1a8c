// The recorded samples of the six runs of the last simulation.
#pragma once

#include "sim/settings.h"
#include "sim/tracking.h"
#include "sim/vehicle.h"

// state and track are indexed [law][mechanism index][sample] with the
// ControlLaw value itself (index 0 unused); lastSample [mechanism index][law].
struct TrajectoryRecord {
    VehicleState state[3][3][kMaxSamples];
    TrackingSample track[3][3][kMaxSamples];
    int lastSample[3][3];
};

extern TrajectoryRecord trajectoryRecord;

// Wraps an angle into [-pi, pi], bounds included.
double wrapAngle(double w);

// Stores one sample, with errTheta wrapped.
void recordSample(int mechanismIndex, int sampleIndex, int law, const VehicleState& state,
                  const TrackingSample& track);

// True when every recorded value of the six runs, samples 0..lastSample, is
// finite: an extreme initial pose can overflow the model into inf and NaN.
bool recordedRunsFinite();
// The same for one run.
bool recordedRunFinite(int mechanismIndex, int law);
