#include "sim/integration.h"

#include "sim/disturbance.h"
#include "sim/settings.h"

RkgResult rkgStage(int stage, double h, double a, double y, double f, double q) {
    const double k = h * f;
    const double r = (stage == 4) ? a * (k - 2.0 * q) : a * (k - q);
    return {y + r, q + 3.0 * r - a * k};
}

static double advance(int stage, double h, double& y, double f, double q) {
    const RkgResult next = rkgStage(stage, h, kGillA[stage - 1], y, f, q);
    y = next.y;
    return next.q;
}

// The errors the law and the integrals see: the true ones, or with the
// measurement's noise added (only the three errors of seen are kept up).
static const TrackingSample& measured(const TrackingSample& t, const MeasurementNoise& noise, TrackingSample& seen) {
    if (!noise.onD && !noise.onTheta) return t;
    seen.errD = noise.onD ? t.errD + noise.d : t.errD;
    seen.errTheta = noise.onTheta ? t.errTheta + noise.theta : t.errTheta;
    seen.errPhi = t.errPhi;
    return seen;
}

// Only on the line under P is the heading kept within [-pi, pi].
static void wrapHeadingOnce(VehicleState& s) {
    if (s.theta > kPi) s.theta -= kTwoPi;
    if (s.theta < -kPi) s.theta += kTwoPi;
}

StepResult integrateStep(int stepIndex, double h, int pathKind, int mechanism, int law,
                         const VehicleState& prevState, const TrackingSample& prevTrack,
                         ErrorIntegrals& integrals) {
    if (stepIndex == 0) {
        integrals = {0.0, 0.0, 0.0};
        startDisturbances(h);
    }
    const MeasurementNoise noise = beginDisturbedStep(stepIndex);
    TrackingSample seen = {};
    VehicleState p = prevState;
    TrackingSample t = prevTrack;
    double q[kIntegratedStates] = {0.0, 0.0, 0.0, 0.0, 0.0};
    double qD = 0.0, qTheta = 0.0, qPhi = 0.0;

    for (int stage = 1; stage <= 4; ++stage) {
        // The derivative uses the errors of the previous stage point, as measured.
        const double u = controlInput(mechanism, law, measured(t, noise, seen), integrals);
        const StateDerivative f = vehicleDerivative(mechanism, p, appliedInput(stage, u));
        for (int i = 0; i < kIntegratedStates; ++i)
            q[i] = advance(stage, h, stateElement(p, i), f.value[i], q[i]);
        limitSteering(mechanism, p, f);
        if (pathKind == PathLine && law == ControlP) wrapHeadingOnce(p);

        computeTrackingError(pathKind, p, t, t);
        p.kappa = t.kappa;
        p.pathParam = t.pathParam;

        // The integrals use the errors of the new stage point, as measured.
        const TrackingSample& e = measured(t, noise, seen);
        qD = advance(stage, h, integrals.intD, e.errD, qD);
        qTheta = advance(stage, h, integrals.intTheta, e.errTheta, qTheta);
        qPhi = advance(stage, h, integrals.intPhi, e.errPhi, qPhi);
    }
    return {p, t};
}
