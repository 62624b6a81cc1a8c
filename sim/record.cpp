#include "sim/record.h"

#include <cmath>

TrajectoryRecord trajectoryRecord;

double wrapAngle(double w) {
    if (!std::isfinite(w)) return w;
    // Many turns away: reduce first, so the loop below stays short.
    if (std::fabs(w) > 64.0 * kPi) w = std::remainder(w, kTwoPi);
    while (w < -kPi || w > kPi) {
        if (w > kPi) w -= kTwoPi;
        if (w < -kPi) w += kTwoPi;
    }
    return w;
}

void recordSample(int mechanismIndex, int sampleIndex, int law, const VehicleState& state,
                  const TrackingSample& track) {
    const double wrapped = wrapAngle(track.errTheta);
    trajectoryRecord.state[law][mechanismIndex][sampleIndex] = state;
    TrackingSample& stored = trajectoryRecord.track[law][mechanismIndex][sampleIndex];
    stored = track;
    stored.errTheta = wrapped;
}
