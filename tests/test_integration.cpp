#include <gtest/gtest.h>

#include <cmath>

#include "sim/integration.h"
#include "sim_fixture.h"

namespace {

TEST(RungeKuttaGill, ConstantDerivativeStages) {
    const double h = 0.0005;
    double y = 0.0, q = 0.0;
    const double expectedY[4] = {0.00025, 0.00025, 0.0005, 0.00049999999983};
    const double expectedQ[3] = {0.0005, 0.00035355339, 0.00025};
    for (int stage = 1; stage <= 4; ++stage) {
        const RkgResult r = rkgStage(stage, h, kGillA[stage - 1], y, 1.0, q);
        y = r.y;
        q = r.q;
        EXPECT_NEAR(y, expectedY[stage - 1], 1e-13) << "stage " << stage;
        if (stage < 4) {
            EXPECT_NEAR(q, expectedQ[stage - 1], 1e-11) << "stage " << stage;
        }
    }
    EXPECT_NE(y, 0.0005);  // the truncated coefficients fall just short
}

VehicleState startPose() {
    VehicleState s = {};
    s.x = -2.0;
    s.y = 1.0;
    return s;
}

TEST(IntegrationStep, FirstStepOfPIUsesTheProportionalPartOnly) {
    useStartupSettings();
    TrackingSample t = {};
    const VehicleState s = startPose();
    computeTrackingError(PathLine, s, t, t);
    ErrorIntegrals stale = {5.0, -3.0, 2.0};
    ErrorIntegrals fresh = {0.0, 0.0, 0.0};
    const StepResult a = integrateStep(0, 0.0005, PathLine, Mech2DW1C, ControlPI, s, t, stale);
    const StepResult b = integrateStep(0, 0.0005, PathLine, Mech2DW1C, ControlPI, s, t, fresh);
    EXPECT_EQ(a.state.theta, b.state.theta);
    EXPECT_EQ(stale.intD, fresh.intD);
    EXPECT_NEAR(fresh.intD, 0.0005 * 1.0, 1e-6);  // errD stays near 1 over the step
    // Later steps keep the integrals they are given.
    ErrorIntegrals carried = stale;
    const StepResult c = integrateStep(1, 0.0005, PathLine, Mech2DW1C, ControlPI, s, t, carried);
    EXPECT_NE(c.state.theta, a.state.theta);
}

TEST(IntegrationStep, TwoWheelDriveIgnoresSteeringErrors) {
    useStartupSettings();
    VehicleState s = startPose();
    TrackingSample t = {};
    computeTrackingError(PathLine, s, t, t);
    for (int law : {ControlP, ControlPI}) {
        ErrorIntegrals a = {0.1, 0.2, 0.0}, b = {0.1, 0.2, 99.0};
        TrackingSample skewed = t;
        skewed.errPhi = 42.0;
        EXPECT_EQ(controlInput(Mech2DW1C, law, t, a), controlInput(Mech2DW1C, law, skewed, b));
    }
}

TEST(IntegrationStep, HeadingWrappedOnlyOnTheLineUnderP) {
    useStartupSettings();
    // Turning left fast at a heading just below pi crosses pi within one step.
    VehicleState s = startPose();
    s.theta = 3.141;
    s.y = -3.0;
    for (int path : {PathLine, PathCircle}) {
        for (int law : {ControlP, ControlPI}) {
            TrackingSample t = {};
            computeTrackingError(path, s, t, t);
            ErrorIntegrals in = {};
            const StepResult r = integrateStep(0, 0.0005, path, Mech2DW1C, law, s, t, in);
            const bool wrapped = path == PathLine && law == ControlP;
            SCOPED_TRACE(path * 10 + law);
            if (wrapped) {
                EXPECT_LT(r.state.theta, 0.0);
                EXPECT_EQ(r.track.errTheta, r.state.theta);
            } else {
                EXPECT_GT(r.state.theta, kPi);
            }
        }
    }
}

TEST(IntegrationStep, SaturatedSteeringStopsAtTheLimit) {
    useStartupSettings();
    for (int m : {Mech1FDW1FS, Mech1RDW1FS}) {
        VehicleState s = startPose();
        s.y = 5.0;
        TrackingSample t = {};
        computeTrackingError(PathLine, s, t, t);
        ErrorIntegrals in = {};
        for (int j = 0; j < 2000; ++j) {
            const StepResult r = integrateStep(j, 0.0005, PathLine, m, ControlP, s, t, in);
            if (j == 0) {
                EXPECT_NEAR(r.state.phi, -3.0 * 0.0005, 1e-12);
            }
            s = r.state;
            t = r.track;
        }
        // Gill's last stage may leave it a rounding error inside the clamp.
        EXPECT_NEAR(s.phi, -1.5, 1e-9);
    }
}

TEST(IntegrationStep, CopiesPathDataIntoTheState) {
    useStartupSettings(PathCircle);
    VehicleState s = startPose();
    TrackingSample t = {};
    computeTrackingError(PathCircle, s, t, t);
    ErrorIntegrals in = {};
    const StepResult r = integrateStep(0, 0.0005, PathCircle, Mech1RDW1FS, ControlP, s, t, in);
    EXPECT_EQ(r.state.kappa, 0.5);
    EXPECT_EQ(r.state.pathParam, r.track.pathParam);
    EXPECT_NEAR(r.state.pathParam, std::atan2(r.state.y, r.state.x), 1e-15);
}

}  // namespace
