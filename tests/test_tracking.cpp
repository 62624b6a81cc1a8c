#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "sim/settings.h"
#include "sim/tracking.h"

namespace {

VehicleState pose(double x, double y, double theta, double phi = 0.0) {
    VehicleState s = {};
    s.x = x;
    s.y = y;
    s.theta = theta;
    s.phi = phi;
    return s;
}

TrackingSample withParam(double pathParam) {
    TrackingSample t = {};
    t.pathParam = pathParam;
    return t;
}

TEST(LineTracking, CopiesThePoseAndIgnoresPrevious) {
    TrackingSample t;
    computeTrackingError(PathLine, pose(-2.0, 1.0, 0.0), withParam(0.0), t);
    EXPECT_EQ(t.errD, 1.0);
    EXPECT_EQ(t.errTheta, 0.0);
    EXPECT_EQ(t.refX, -2.0);
    EXPECT_EQ(t.refY, 0.0);
    EXPECT_EQ(t.pathParam, -2.0);
    EXPECT_EQ(t.plotD, 1.0);

    TrackingSample other;
    computeTrackingError(PathLine, pose(3.0, -0.5, 7.0, 0.3), withParam(123.0), t);
    computeTrackingError(PathLine, pose(3.0, -0.5, 7.0, 0.3), withParam(-9.0), other);
    EXPECT_EQ(0, std::memcmp(&t, &other, sizeof t));
    EXPECT_EQ(t.errTheta, 7.0);  // not wrapped here
    EXPECT_EQ(t.errPhi, 0.3);
    // Any kind other than the circle is the line.
    computeTrackingError(7, pose(3.0, -0.5, 7.0, 0.3), withParam(0.0), other);
    EXPECT_EQ(0, std::memcmp(&t, &other, sizeof t));
}

TEST(CircleTracking, StartupPose) {
    TrackingSample t;
    computeTrackingError(PathCircle, pose(-2.0, 1.0, 0.0), withParam(0.0), t);
    EXPECT_NEAR(t.errD, -0.2360680, 1e-7);
    EXPECT_NEAR(t.plotD, 0.2360680, 1e-7);
    EXPECT_NEAR(t.pathParam, 2.6779450, 1e-7);
    EXPECT_NEAR(t.refTheta, 4.2487413, 1e-7);
    EXPECT_NEAR(t.errTheta, -4.2487413, 1e-7);
    EXPECT_NEAR(t.refX, -1.7888544, 1e-7);
    EXPECT_NEAR(t.refY, 0.8944272, 1e-7);
    EXPECT_NEAR(t.refArc, 5.3558901, 1e-7);
    EXPECT_NEAR(t.refPhi, 0.4636476, 1e-7);
    EXPECT_EQ(t.kappa, 0.5);
    EXPECT_NEAR(t.errPhi, -0.4636476, 1e-7);
}

TEST(CircleTracking, SignOfTheOffset) {
    TrackingSample t;
    computeTrackingError(PathCircle, pose(0.0, 1.0, 0.0), withParam(0.0), t);
    EXPECT_GT(t.errD, 0.0);
    computeTrackingError(PathCircle, pose(0.0, 3.0, 0.0), withParam(0.0), t);
    EXPECT_LT(t.errD, 0.0);
    computeTrackingError(PathCircle, pose(std::sqrt(2.0), std::sqrt(2.0), 0.0), withParam(0.0), t);
    EXPECT_NEAR(t.errD, 0.0, 1e-15);
    computeTrackingError(PathCircle, pose(0.0, 0.0, 0.0), withParam(0.5), t);
    EXPECT_EQ(t.errD, 2.0);
    EXPECT_EQ(t.plotD, -2.0);
    EXPECT_EQ(t.pathParam, 0.0);
}

TEST(CircleTracking, UnwrapsAcrossTheNegativeXAxis) {
    // Circle counter-clockwise past the -x axis in small steps; pathParam must keep rising.
    TrackingSample t = withParam(0.0);
    double last = -1.0;
    for (double a = 3.0; a < 3.3; a += 0.01) {
        computeTrackingError(PathCircle, pose(2.0 * std::cos(a), 2.0 * std::sin(a), 0.0), t, t);
        EXPECT_GT(t.pathParam, last);
        EXPECT_NEAR(t.pathParam, a, 1e-9);
        last = t.pathParam;
    }
    EXPECT_GT(last, kPi);
}

TEST(CircleTracking, UnwrapsAgainstManyTurns) {
    TrackingSample t;
    computeTrackingError(PathCircle, pose(2.0 * std::cos(0.1), 2.0 * std::sin(0.1), 0.0),
                         withParam(4.0 * kPi), t);
    EXPECT_NEAR(t.pathParam, 4.0 * kPi + 0.1, 1e-12);
    // Beyond two turns the polar angle is still followed, not left a turn short.
    computeTrackingError(PathCircle, pose(2.0 * std::cos(0.1), 2.0 * std::sin(0.1), 0.0),
                         withParam(10.0 * kPi), t);
    EXPECT_NEAR(t.pathParam, 10.0 * kPi + 0.1, 1e-12);
    computeTrackingError(PathCircle, pose(2.0 * std::cos(0.1), 2.0 * std::sin(0.1), 0.0),
                         withParam(-30.0 * kPi), t);
    EXPECT_NEAR(t.pathParam, -30.0 * kPi + 0.1, 1e-11);
}

TEST(CircleTracking, UnwrapBoundaries) {
    // A difference of exactly -pi stays; +pi becomes -pi.
    EXPECT_EQ(unwrapAngle(-kPi, 0.0), -kPi);
    EXPECT_EQ(unwrapAngle(kPi, 0.0), -kPi);
    EXPECT_EQ(unwrapAngle(0.0, -kPi), -kTwoPi);
    EXPECT_EQ(unwrapAngle(0.5, 0.0), 0.5);
    // An unusable previous angle still ends in a usable one, without looping.
    EXPECT_TRUE(std::isfinite(unwrapAngle(0.5, NAN)));
    EXPECT_TRUE(std::isfinite(unwrapAngle(0.5, INFINITY)));
}

}  // namespace
