#include "sim/run_figures.h"

#include <cmath>

#include "sim/design_curve.h"
#include "sim/record.h"

static bool inBand(double d, double theta) {
    return std::fabs(d) <= kSettleOffset && std::fabs(theta) <= kSettleHeading;
}

// The earliest sample from which every sample stays in the band; -1 if the last is out.
template <typename InBand>
static int settleSample(int last, InBand inBandAt) {
    int first = last + 1;
    while (first > 0 && inBandAt(first - 1)) --first;
    return first <= last ? first : -1;
}

static void settleFigures(const TrackingSample* track, int last, RunFigures* f) {
    const int k = settleSample(last, [track](int i) { return inBand(track[i].errD, track[i].errTheta); });
    f->settles = k >= 0;
    f->settle = f->settles ? k * kSampleInterval : 0.0;
    const int dk = settleSample(last, [](int i) { return inBand(designCurve.d[i], designCurve.theta[i]); });
    f->designSettles = dk >= 0;
    f->designSettle = f->designSettles ? dk * kSampleInterval : 0.0;
}

static void offsetFigures(const TrackingSample* track, int last, RunFigures* f) {
    const double d0 = track[0].errD;
    const double side = d0 > 0.0 ? 1.0 : -1.0;
    f->hasOvershoot = d0 != 0.0;
    f->overshoot = 0.0;
    f->iae = 0.0;
    for (int k = 0; k <= last; ++k) {
        if (f->hasOvershoot) f->overshoot = std::fmax(f->overshoot, -side * track[k].errD);
        if (k > 0)
            f->iae += 0.5 * (std::fabs(track[k - 1].errD) + std::fabs(track[k].errD)) * kSampleInterval;
    }
    f->finalD = track[last].errD;
}

static void steeringFigures(const VehicleState* state, int last, RunFigures* f) {
    f->peakPhi = 0.0;
    int held = 0;
    for (int k = 0; k <= last; ++k) {
        const double phi = std::fabs(state[k].phi);
        f->peakPhi = std::fmax(f->peakPhi, phi);
        if (k > 0 && phi >= kAtLimitAngle) ++held;
    }
    f->atLimit = held * kSampleInterval;
}

void computeRunFigures(int mechanismIndex, int law, RunFigures* figures) {
    computeDesignCurve(mechanismIndex, law);
    const int last = trajectoryRecord.lastSample[mechanismIndex][law];
    const TrackingSample* track = trajectoryRecord.track[law][mechanismIndex];
    settleFigures(track, last, figures);
    offsetFigures(track, last, figures);
    steeringFigures(trajectoryRecord.state[law][mechanismIndex], last, figures);
    figures->endT = last * kSampleInterval;
}
