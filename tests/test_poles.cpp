#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "sim/poles.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim_fixture.h"

namespace {

std::complex<double> valueAt(const double c[], int degree, std::complex<double> s) {
    std::complex<double> p = c[0];
    for (int i = 1; i <= degree; ++i) p = p * s + c[i];
    return p;
}

// Every pole is a root of its polynomial, for the design and for a vehicle off it.
TEST(Poles, AreTheRootsOfTheClosedLoopPolynomial) {
    useStartupSettings(PathLine, 0.5, 0.7);
    for (int m = Mech2DW1C; m <= Mech1RDW1FS; ++m) {
        for (int law : {ControlP, ControlPI}) {
            const struct {
                double speed, wheelbase;
            } vehicles[] = {{1.0, 1.0}, {1.3, 0.8}};
            for (const auto& vehicle : vehicles) {
                double c[kMaxPoles + 1];
                const int degree = closedLoopPolynomial(m, law, vehicle.speed, vehicle.wheelbase, c);
                const PoleSet poles = closedLoopPoles(m, law, vehicle.speed, vehicle.wheelbase);
                ASSERT_EQ(poles.count, degree);
                EXPECT_EQ(degree, (m == Mech2DW1C ? 2 : 3) + (law == ControlPI ? 1 : 0));
                double scale = 0.0;
                for (int i = 0; i <= degree; ++i) scale += std::fabs(c[i]);
                for (int k = 0; k < degree; ++k) {
                    const std::complex<double> s(poles.re[k], poles.im[k]);
                    EXPECT_LT(std::abs(valueAt(c, degree, s)), 1e-9 * scale * std::pow(1 + std::abs(s), degree))
                        << m << " " << law << " pole " << k;
                }
            }
        }
    }
}

// The gains place the design's roots: steered P at -W and the pair of W and
// zeta, steered PI at that pair twice, 2DW1C P at the pair alone.
TEST(Poles, TheDesignPlacesThePairOfFnAndZeta) {
    useStartupSettings(PathLine, 0.5, 0.7);
    const double w = kTwoPi * 0.5, re = -0.7 * w, im = w * std::sqrt(1 - 0.7 * 0.7);
    const PoleSet twoWheel = closedLoopPoles(Mech2DW1C, ControlP, kDriveSpeed, kWheelBase);
    EXPECT_NEAR(twoWheel.re[0], re, 1e-9);
    EXPECT_NEAR(twoWheel.im[0], -im, 1e-9);
    EXPECT_NEAR(twoWheel.im[1], im, 1e-9);
    const PoleSet steered = closedLoopPoles(Mech1RDW1FS, ControlP, kDriveSpeed, kWheelBase);
    EXPECT_NEAR(steered.re[0], -w, 1e-9);
    EXPECT_EQ(steered.im[0], 0.0);
    const PoleSet doubled = closedLoopPoles(Mech1FDW1FS, ControlPI, kDriveSpeed, kWheelBase);
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(doubled.re[k], re, 1e-6) << k;  // a double root: half the digits
        EXPECT_NEAR(std::fabs(doubled.im[k]), im, 1e-6) << k;
    }
    // A faster vehicle than designed for: the same gains, other roots.
    const PoleSet faster = closedLoopPoles(Mech1RDW1FS, ControlP, 1.5 * kDriveSpeed, kWheelBase);
    EXPECT_GT(std::fabs(faster.re[0] - steered.re[0]), 0.05);
}

TEST(RunOneLaw, RecordsTheSamplesOfThatLawAsTheMechanismsRunDoes) {
    useStartupSettings(PathCircle, 0.8, 0.5);
    vehicleImperfections.delay = 0.05;
    runMechanism(1, PathCircle);
    const int last = trajectoryRecord.lastSample[1][ControlPI];
    const VehicleState end = trajectoryRecord.state[ControlPI][1][last];
    trajectoryRecord.lastSample[1][ControlPI] = -5;
    runMechanismLaw(1, PathCircle, ControlPI);
    EXPECT_EQ(trajectoryRecord.lastSample[1][ControlPI], last);
    EXPECT_EQ(trajectoryRecord.state[ControlPI][1][last].x, end.x);
    EXPECT_EQ(trajectoryRecord.state[ControlPI][1][last].theta, end.theta);
    vehicleImperfections = defaultImperfections();
}

}  // namespace
