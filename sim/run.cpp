#include "sim/run.h"

#include "sim/integration.h"
#include "sim/record.h"
#include "sim/settings.h"

static VehicleState initialState() {
    VehicleState s = {};
    s.theta = simSettings.theta0;
    s.x = simSettings.x0;
    s.y = simSettings.y0;
    s.phi = simSettings.phi0;
    return s;
}

static void runLaw(int m, int pathKind, int law, VehicleState s, TrackingSample t) {
    const double h = kSampleInterval / kSubsteps;
    ErrorIntegrals integrals = {0.0, 0.0, 0.0};
    int j = 0, k = 0;
    for (;;) {
        const StepResult next = integrateStep(j, h, pathKind, m + 1, law, s, t, integrals);
        ++j;
        if (j % kSubsteps == 0) {
            ++k;
            if (k == kMaxSamples) break;
            recordSample(m, k, law, next.state, next.track);
        }
        s = next.state;
        t = next.track;
        if (s.dist >= kRunDistance) break;
    }
    trajectoryRecord.lastSample[m][law] = k - 1;
}

void runMechanismLaw(int mechanismIndex, int pathKind, int law) {
    const TrackingSample origin = {};
    const VehicleState start = initialState();
    TrackingSample startTrack;
    computeTrackingError(pathKind, start, origin, startTrack);
    recordSample(mechanismIndex, 0, law, start, startTrack);
    runLaw(mechanismIndex, pathKind, law, start, startTrack);
}

void runMechanism(int mechanismIndex, int pathKind) {
    VehicleState start[3];
    TrackingSample startTrack[3];
    const TrackingSample origin = {};  // pathParam 0: the start angle is taken relative to 0
    for (int law = ControlP; law <= ControlPI; ++law) {
        start[law] = initialState();
        computeTrackingError(pathKind, start[law], origin, startTrack[law]);
        recordSample(mechanismIndex, 0, law, start[law], startTrack[law]);
    }
    for (int law = ControlP; law <= ControlPI; ++law)
        runLaw(mechanismIndex, pathKind, law, start[law], startTrack[law]);
}

void runAllMechanisms(int pathKind) {
    for (int m = 0; m < 3; ++m) runMechanism(m, pathKind);
}
