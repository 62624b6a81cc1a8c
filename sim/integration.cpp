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
    beginDisturbedStep(stepIndex);
    VehicleState p = prevState;
    TrackingSample t = prevTrack;
    double q[kIntegratedStates] = {0.0, 0.0, 0.0, 0.0, 0.0};
    double qD = 0.0, qTheta = 0.0, qPhi = 0.0;

    for (int stage = 1; stage <= 4; ++stage) {
        // The derivative uses the errors of the previous stage point, as measured.
        const double u = controlInput(mechanism, law, measuredErrors(t), integrals);
        const StateDerivative f = vehicleDerivative(mechanism, p, appliedInput(stepIndex, stage, u));
        for (int i = 0; i < kIntegratedStates; ++i)
            q[i] = advance(stage, h, stateElement(p, i), f.value[i], q[i]);
        limitSteering(mechanism, p, f);
        if (pathKind == PathLine && law == ControlP) wrapHeadingOnce(p);

        computeTrackingError(pathKind, p, t, t);
        p.kappa = t.kappa;
        p.pathParam = t.pathParam;

        // The integrals use the errors of the new stage point, as measured.
        const TrackingSample measured = measuredErrors(t);
        qD = advance(stage, h, integrals.intD, measured.errD, qD);
        qTheta = advance(stage, h, integrals.intTheta, measured.errTheta, qTheta);
        qPhi = advance(stage, h, integrals.intPhi, measured.errPhi, qPhi);
    }
    return {p, t};
}
