// Run figures on short hand-made records whose figures are worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/record.h"
#include "sim/run.h"
#include "sim/run_figures.h"
#include "sim_fixture.h"

namespace {

struct HandSample {
    double errD, errTheta, phi;
};

// Writes the samples as run 1FDW1FS under law.
template <int N>
RunFigures figuresOf(const HandSample (&samples)[N], int law = ControlP) {
    useStartupSettings();
    for (int k = 0; k < N; ++k) {
        trajectoryRecord.track[law][1][k] = {};
        trajectoryRecord.track[law][1][k].errD = samples[k].errD;
        trajectoryRecord.track[law][1][k].errTheta = samples[k].errTheta;
        trajectoryRecord.state[law][1][k] = {};
        trajectoryRecord.state[law][1][k].phi = samples[k].phi;
    }
    trajectoryRecord.lastSample[1][law] = N - 1;
    RunFigures f;
    computeRunFigures(1, law, &f);
    return f;
}

TEST(RunFigures, SettledRunWithOvershoot) {
    // Back in the band from sample 2 although sample 4 touches its edge.
    const HandSample run[] = {{0.1, 0.3, 0.2}, {-0.03, 0.0, -0.4}, {0.01, -0.02, 0.1},
                              {0.005, 0.0, 0.0}, {-0.02, 0.01, 0.0}};
    const RunFigures f = figuresOf(run);
    EXPECT_TRUE(f.settles);
    EXPECT_DOUBLE_EQ(f.settle, 0.04);
    EXPECT_TRUE(f.hasOvershoot);
    EXPECT_DOUBLE_EQ(f.overshoot, 0.03);
    EXPECT_DOUBLE_EQ(f.finalD, -0.02);
    // 0.02 s * (0.1/2 + 0.03 + 0.01 + 0.005 + 0.02/2)
    EXPECT_NEAR(f.iae, 0.0021, 1e-15);
    EXPECT_DOUBLE_EQ(f.peakPhi, 0.4);
    EXPECT_EQ(f.atLimit, 0.0);
    EXPECT_DOUBLE_EQ(f.endT, 0.08);
}

TEST(RunFigures, NeverSettledRunHeldAtTheLimit) {
    // Sample 0 at the limit does not count; 1.4999999999995 does.
    const HandSample run[] = {{-0.5, 0.0, 1.5}, {-0.4, 0.0, 1.4999999999995}, {-0.01, 0.0, 1.49},
                              {-0.3, 0.1, -1.5}, {0.01, 0.05, 0.0}};
    const RunFigures f = figuresOf(run, ControlPI);
    EXPECT_FALSE(f.settles);
    EXPECT_DOUBLE_EQ(f.overshoot, 0.01);
    EXPECT_DOUBLE_EQ(f.peakPhi, 1.5);
    EXPECT_DOUBLE_EQ(f.atLimit, 0.04);
}

TEST(RunFigures, StartOnThePathHasNoOvershoot) {
    const HandSample run[] = {{0.0, 0.0, 0.0}, {0.001, 0.0, 0.0}, {-0.001, 0.0, 0.0}};
    const RunFigures f = figuresOf(run);
    EXPECT_FALSE(f.hasOvershoot);
    EXPECT_TRUE(f.settles);
    EXPECT_EQ(f.settle, 0.0);
    // The design curve from no error stays on the path.
    EXPECT_TRUE(f.designSettles);
    EXPECT_EQ(f.designSettle, 0.0);
}

TEST(RunFigures, StartupRunsOnTheCircle) {
    useStartupSettings(PathCircle);
    runAllMechanisms(PathCircle);
    RunFigures f;
    // No term for the curve: P ends off the path, PI on it.
    computeRunFigures(0, ControlP, &f);
    EXPECT_NEAR(std::fabs(f.finalD), 0.0126, 0.0005);
    computeRunFigures(0, ControlPI, &f);
    EXPECT_LT(std::fabs(f.finalD), 1e-4);
    // Its design settles; the real vehicle spends most of its run at the limit.
    computeRunFigures(1, ControlPI, &f);
    EXPECT_FALSE(f.settles);
    EXPECT_TRUE(f.designSettles);
    EXPECT_NEAR(f.atLimit, 51.0, 1.0);
    EXPECT_DOUBLE_EQ(f.endT, 59.98);
}

}  // namespace
