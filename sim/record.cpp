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

static bool finite(const double* values, int count) {
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

static bool sampleFinite(const VehicleState& s, const TrackingSample& t) {
    const double state[] = {s.dist, s.theta, s.x, s.y, s.phi, s.kappa, s.pathParam};
    const double track[] = {t.refArc, t.refTheta, t.refX, t.refY, t.refPhi, t.kappa,
                            t.pathParam, t.errD, t.errTheta, t.errPhi, t.plotD};
    return finite(state, 7) && finite(track, 11);
}

bool recordedRunFinite(int mechanismIndex, int law) {
    const VehicleState* states = trajectoryRecord.state[law][mechanismIndex];
    const TrackingSample* tracks = trajectoryRecord.track[law][mechanismIndex];
    for (int k = 0; k <= trajectoryRecord.lastSample[mechanismIndex][law]; ++k)
        if (!sampleFinite(states[k], tracks[k])) return false;
    return true;
}

bool recordedRunsFinite() {
    for (int law = ControlP; law <= ControlPI; ++law)
        for (int m = 0; m < 3; ++m)
            if (!recordedRunFinite(m, law)) return false;
    return true;
}
