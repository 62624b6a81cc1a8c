// What the simulator teaches: near the path the runs follow the linear
// closed loops the gains were designed for.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/design_curve.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim_fixture.h"

namespace {

constexpr double kOffset = 0.001;  // m, initial offset; heading and steering start at 0

// d(t) of s^2 + 2 zeta W s + W^2 from d(0) = d0, d'(0) = 0 (zeta < 1).
double secondOrderOffset(double t, double w, double zeta, double d0) {
    const double wd = w * std::sqrt(1.0 - zeta * zeta);
    return d0 * std::exp(-zeta * w * t) * (std::cos(wd * t) + zeta * w / wd * std::sin(wd * t));
}

// d(t) of (s + W)(s^2 + 2 zeta W s + W^2) from d(0) = d0, d'(0) = d''(0) = 0:
// d = A e^{-Wt} + e^{-zeta W t}(B cos wd t + C sin wd t), A, B, C by Cramer's rule.
double thirdOrderOffset(double t, double w, double zeta, double d0) {
    const double wd = w * std::sqrt(1.0 - zeta * zeta);
    const double sigma = zeta * w;
    // Rows: d(0), d'(0), d''(0) for the three modes.
    const double m[3][3] = {{1.0, 1.0, 0.0},
                            {-w, -sigma, wd},
                            {w * w, sigma * sigma - wd * wd, -2.0 * sigma * wd}};
    const double rhs[3] = {d0, 0.0, 0.0};
    auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    double coefficient[3];
    for (int c = 0; c < 3; ++c) {
        double replaced[3][3];
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 3; ++k) replaced[r][k] = (k == c) ? rhs[r] : m[r][k];
        coefficient[c] = det(replaced) / det(m);
    }
    return coefficient[0] * std::exp(-w * t) +
           std::exp(-sigma * t) * (coefficient[1] * std::cos(wd * t) + coefficient[2] * std::sin(wd * t));
}

void startOffset(double fn, double zeta) {
    useStartupSettings(PathLine, fn, zeta);
    simSettings.x0 = 0.0;
    simSettings.y0 = kOffset;
    runAllMechanisms(PathLine);
}

// Largest gap between the recorded offset and the linear model over the first seconds.
template <typename Model>
double largestGap(int m, Model model, double w, double zeta) {
    double gap = 0.0;
    for (int k = 0; k <= 500; ++k)
        gap = std::fmax(gap, std::fabs(trajectoryRecord.track[ControlP][m][k].errD -
                                       model(k * kSampleInterval, w, zeta, kOffset)));
    return gap;
}

// The kinematics differ from the linear loop by sin(theta) - theta and
// tan(phi) - phi, relative errors of order theta^2/6 and phi^2/3; with a 1 mm
// offset both angles stay below 0.01 rad, so the gap stays below 1e-4 of the
// offset. Integration errors (h = 0.5 ms, fourth order) are far smaller.
TEST(ClosedLoop, TwoWheelDrivePFollowsSecondOrderLoop) {
    for (double zeta : {0.4, 0.7}) {
        startOffset(1.0, zeta);
        const double w = kTwoPi * 1.0;
        EXPECT_LT(largestGap(0, secondOrderOffset, w, zeta), 1e-4 * kOffset) << zeta;
        // and it is not trivially small: the offset really moves
        EXPECT_LT(trajectoryRecord.track[ControlP][0][50].errD, 0.5 * kOffset);
    }
}

TEST(ClosedLoop, SteeredPFollowsThirdOrderLoop) {
    for (double zeta : {0.5, 0.8}) {
        startOffset(0.5, zeta);
        const double w = kTwoPi * 0.5;
        for (int m : {1, 2}) {
            // The steering-rate command W^3 * d0 stays far below 3 rad/s.
            EXPECT_LT(largestGap(m, thirdOrderOffset, w, zeta), 1e-4 * kOffset) << m << " " << zeta;
        }
    }
}

TEST(ClosedLoop, SecondOrderModelDoesNotFitTheSteeredRuns) {
    startOffset(0.5, 0.7);
    const double w = kTwoPi * 0.5;
    EXPECT_GT(largestGap(2, secondOrderOffset, w, 0.7), 1e-2 * kOffset);
}

// The design curve is the linear loop itself: it meets the closed forms to
// rounding, and a 1 mm run stays on it (P within 1e-4 of the offset, PI,
// whose integrals react more to the kinematics, within 1e-3).
double designGap(int m, int law, double (*model)(double, double, double, double), double w,
                 double zeta) {
    computeDesignCurve(m, law);
    double gap = 0.0;
    for (int k = 0; k <= designCurve.lastSample; ++k)
        gap = std::fmax(gap, std::fabs(designCurve.d[k] - model(k * kSampleInterval, w, zeta, kOffset)));
    return gap;
}

TEST(ClosedLoop, DesignCurveIsTheClosedForm) {
    startOffset(1.0, 0.4);
    EXPECT_LT(designGap(0, ControlP, secondOrderOffset, kTwoPi * 1.0, 0.4), 1e-12);
    startOffset(0.5, 0.8);
    for (int m : {1, 2}) EXPECT_LT(designGap(m, ControlP, thirdOrderOffset, kTwoPi * 0.5, 0.8), 1e-12) << m;
    // Mechanism-independent kinematics: both steered PI curves coincide.
    computeDesignCurve(1, ControlPI);
    const double d1 = designCurve.d[150], th1 = designCurve.theta[150];
    computeDesignCurve(2, ControlPI);
    EXPECT_DOUBLE_EQ(designCurve.d[150], d1);
    EXPECT_DOUBLE_EQ(designCurve.theta[150], th1);
}

TEST(ClosedLoop, SmallOffsetRunsFollowTheDesignCurve) {
    startOffset(1.0, 0.7);
    constexpr int kTenSeconds = 500;
    for (int m = 0; m < 3; ++m) {
        for (int law : {ControlP, ControlPI}) {
            computeDesignCurve(m, law);
            double gap = 0.0;
            for (int k = 0; k <= kTenSeconds; ++k)
                gap = std::fmax(gap, std::fabs(trajectoryRecord.track[law][m][k].errD - designCurve.d[k]));
            EXPECT_LT(gap, (law == ControlP ? 1e-4 : 1e-3) * kOffset) << m << " " << law;
        }
    }
}

}  // namespace
