#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sim/record.h"
#include "sim/run.h"
#include "sim_fixture.h"

namespace {

struct SampleOne {
    double dist, theta, x, y, phi;
};

void expectSampleOne(int law, int m, const SampleOne& e) {
    const VehicleState& s = trajectoryRecord.state[law][m][1];
    SCOPED_TRACE(testing::Message() << "law " << law << " mechanism index " << m);
    EXPECT_NEAR(s.dist, e.dist, 1e-6);
    EXPECT_NEAR(s.theta, e.theta, 1e-6);
    EXPECT_NEAR(s.x, e.x, 1e-6);
    EXPECT_NEAR(s.y, e.y, 1e-6);
    EXPECT_NEAR(s.phi, e.phi, 1e-6);
}

void expectLastSamples(const int (&expected)[3][2]) {
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(trajectoryRecord.lastSample[m][ControlP], expected[m][0]) << m;
        EXPECT_EQ(trajectoryRecord.lastSample[m][ControlPI], expected[m][1]) << m;
    }
}

TEST(Simulation, StartupRunsOnTheLine) {
    useStartupSettings(PathLine);
    runAllMechanisms(PathLine);
    expectSampleOne(ControlP, 0, {0.020000, -0.722163, -1.981772, 0.992883, -1.5});
    expectSampleOne(ControlPI, 0, {0.020000, -0.545558, -1.981019, 0.994532, -1.5});
    for (int law : {ControlP, ControlPI}) {
        expectSampleOne(law, 1, {0.019988, -0.000600, -1.980012, 0.999996, -0.06});
        expectSampleOne(law, 2, {0.020000, -0.000600, -1.980000, 0.999996, -0.06});
    }
    expectLastSamples({{999, 999}, {1179, 2999}, {999, 999}});
}

TEST(Simulation, StartupRunsOnTheCircle) {
    useStartupSettings(PathCircle);
    runAllMechanisms(PathCircle);
    expectSampleOne(ControlP, 0, {0.020000, 0.850573, -1.982435, 1.008244, 1.5});
    expectSampleOne(ControlPI, 0, {0.020000, 0.990614, -1.983246, 1.009364, 1.5});
    for (int law : {ControlP, ControlPI}) {
        expectSampleOne(law, 1, {0.019988, 0.000600, -1.980012, 1.000004, 0.06});
        expectSampleOne(law, 2, {0.020000, 0.000600, -1.980000, 1.000004, 0.06});
    }
    expectLastSamples({{999, 999}, {1310, 2999}, {999, 999}});
}

TEST(Simulation, SampleZeroOfBothLaws) {
    useStartupSettings(PathCircle);
    runAllMechanisms(PathCircle);
    for (int m = 0; m < 3; ++m) {
        for (int law : {ControlP, ControlPI}) {
            const VehicleState& s = trajectoryRecord.state[law][m][0];
            const TrackingSample& t = trajectoryRecord.track[law][m][0];
            EXPECT_EQ(s.x, -2.0);
            EXPECT_EQ(s.y, 1.0);
            EXPECT_EQ(s.kappa, 0.0);
            EXPECT_EQ(s.pathParam, 0.0);
            EXPECT_EQ(t.kappa, 0.5);
            EXPECT_NEAR(t.errD, 2.0 - std::sqrt(5.0), 1e-12);
            // -4.2487 rad is recorded wrapped.
            EXPECT_NEAR(t.errTheta, -4.2487413 + kTwoPi, 1e-7);
        }
    }
}

// A vehicle moving at a constant 1 m/s needs 40,001 steps for 20 m: the
// truncated coefficients leave dist just short of 20 after 40,000.
TEST(Simulation, ConstantSpeedRunsEndAfterStep40001) {
    useStartupSettings(PathLine, 0.3, 1.3);
    runAllMechanisms(PathLine);
    for (int m : {0, 2}) {
        for (int law : {ControlP, ControlPI}) {
            EXPECT_EQ(trajectoryRecord.lastSample[m][law], 999);
            const double distAt1000 = trajectoryRecord.state[law][m][1000].dist;
            EXPECT_LT(distAt1000, 20.0);
            EXPECT_NEAR(distAt1000, 19.9999999933, 1e-9);
        }
    }
}

TEST(Simulation, RecordsEveryFortiethStep) {
    useStartupSettings(PathLine);
    runAllMechanisms(PathLine);
    for (int k : {1, 10, 500}) {
        const double t = trajectoryRecord.state[ControlP][0][k].dist;
        EXPECT_NEAR(t, k * 0.02, 1e-8);  // truncated coefficients: 3.4e-10 short per second
    }
}

TEST(Simulation, ShorterRunsLeaveOlderSamplesInPlace) {
    useStartupSettings(PathLine);
    runAllMechanisms(PathLine);
    const VehicleState older = trajectoryRecord.state[ControlPI][1][2500];
    ASSERT_NE(older.dist, 0.0);
    // A pose on the path with a gentle loop: the 1FDW1FS PI run now ends well before 3000.
    simSettings.y0 = 0.0;
    simSettings.x0 = 0.0;
    runAllMechanisms(PathLine);
    ASSERT_LT(trajectoryRecord.lastSample[1][ControlPI], 2499);
    EXPECT_EQ(0, std::memcmp(&older, &trajectoryRecord.state[ControlPI][1][2500], sizeof older));
}

}  // namespace

namespace {

TEST(Simulation, AnExtremePoseMakesTheRunsNonFiniteAndOnlyRecordedSamplesCount) {
    useStartupSettings(PathCircle);
    runAllMechanisms(PathCircle);
    EXPECT_TRUE(recordedRunsFinite());
    const int m = 2, last = trajectoryRecord.lastSample[m][ControlPI];
    trajectoryRecord.track[ControlPI][m][last + 1].errPhi = NAN;  // beyond the run: ignored
    EXPECT_TRUE(recordedRunsFinite());
    trajectoryRecord.track[ControlPI][m][last].errPhi = INFINITY;
    EXPECT_FALSE(recordedRunsFinite());

    simSettings.y0 = 1e308;
    runAllMechanisms(PathLine);
    EXPECT_FALSE(recordedRunsFinite());
}

}  // namespace
