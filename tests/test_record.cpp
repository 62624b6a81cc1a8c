#include <gtest/gtest.h>

#include <cmath>

#include "sim/record.h"

namespace {

TEST(Recording, WrapsTheHeadingErrorOnly) {
    const struct {
        double in, out;
    } cases[] = {{7.0, 0.716815}, {-3.5, 2.783185}, {10.0, -2.566371}, {3.2, -3.083185}};
    for (const auto& c : cases) {
        VehicleState s = {};
        s.theta = c.in;
        TrackingSample t = {};
        t.errTheta = c.in;
        t.refX = 1.5;
        recordSample(1, 17, ControlPI, s, t);
        const TrackingSample& stored = trajectoryRecord.track[ControlPI][1][17];
        EXPECT_NEAR(stored.errTheta, c.out, 1e-6) << c.in;
        EXPECT_EQ(stored.refX, 1.5);
        EXPECT_EQ(trajectoryRecord.state[ControlPI][1][17].theta, c.in);
        EXPECT_EQ(t.errTheta, c.in);  // the caller's sample is untouched
    }
}

TEST(Recording, BoundsAreInclusive) {
    EXPECT_EQ(wrapAngle(kPi), kPi);
    EXPECT_EQ(wrapAngle(-kPi), -kPi);
    EXPECT_EQ(wrapAngle(0.25), 0.25);
}

TEST(Recording, NeverLoopsForeverOnUnusableAngles) {
    EXPECT_TRUE(std::isnan(wrapAngle(NAN)));
    EXPECT_TRUE(std::isinf(wrapAngle(INFINITY)));
    const double far = wrapAngle(1e12);
    EXPECT_LE(std::fabs(far), kPi);
    EXPECT_NEAR(std::remainder(1e12 - far, kTwoPi), 0.0, 1e-3);
}

}  // namespace
