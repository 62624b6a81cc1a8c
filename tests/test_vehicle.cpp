#include <gtest/gtest.h>

#include <cmath>

#include "sim/settings.h"
#include "sim/vehicle.h"

namespace {

VehicleState steeredAt(double phi, double theta = 0.0) {
    VehicleState s = {};
    s.phi = phi;
    s.theta = theta;
    return s;
}

TEST(VehicleModel, FrontDriveSlowsWhenSteered) {
    const StateDerivative f = vehicleDerivative(Mech1FDW1FS, steeredAt(1.5), 0.0);
    EXPECT_NEAR(f.value[0], 0.070737, 1e-6);
    EXPECT_NEAR(f.value[1], 0.997495, 1e-6);
    EXPECT_EQ(f.value[2], f.value[0]);  // heading 0: all speed along x
    EXPECT_EQ(f.value[3], 0.0);
}

TEST(VehicleModel, RearDriveTurnsLikeABicycle) {
    const StateDerivative f = vehicleDerivative(Mech1RDW1FS, steeredAt(1.5, kHalfPi), 0.0);
    EXPECT_EQ(f.value[0], 1.0);
    EXPECT_NEAR(f.value[1], 14.1014, 1e-4);
    EXPECT_NEAR(f.value[2], 0.0, 1e-12);
    EXPECT_NEAR(f.value[3], 1.0, 1e-12);
}

TEST(VehicleModel, SteeringRateSaturates) {
    for (int m : {Mech1FDW1FS, Mech1RDW1FS}) {
        EXPECT_EQ(vehicleDerivative(m, steeredAt(0.0), 3.0).value[4], 3.0);
        EXPECT_EQ(vehicleDerivative(m, steeredAt(0.0), 3.5).value[4], 3.0);
        EXPECT_EQ(vehicleDerivative(m, steeredAt(0.0), -7.2).value[4], -3.0);
        EXPECT_EQ(vehicleDerivative(m, steeredAt(0.0), 1.25).value[4], 1.25);
    }
}

TEST(VehicleModel, TwoWheelDriveTurnsAtTheCommandUnlimited) {
    const StateDerivative f = vehicleDerivative(Mech2DW1C, steeredAt(0.7), -39.48);
    EXPECT_EQ(f.value[0], 1.0);
    EXPECT_EQ(f.value[1], -39.48);
    EXPECT_EQ(f.value[4], 0.0);
    VehicleState s = steeredAt(0.7);
    limitSteering(Mech2DW1C, s, f);
    EXPECT_EQ(s.phi, -1.5);  // atan(-39.48) = -1.5455 is clamped
    const StateDerivative straight = vehicleDerivative(Mech2DW1C, steeredAt(0.7), 0.0);
    limitSteering(Mech2DW1C, s, straight);
    EXPECT_EQ(s.phi, 0.0);
    const StateDerivative gentle = vehicleDerivative(Mech2DW1C, steeredAt(0.0), 0.5);
    limitSteering(Mech2DW1C, s, gentle);
    EXPECT_EQ(s.phi, std::atan(0.5));
}

TEST(VehicleModel, SteeringAngleClampedForEveryMechanism) {
    for (int m : {Mech1FDW1FS, Mech1RDW1FS}) {
        const StateDerivative f = vehicleDerivative(m, steeredAt(0.0), 0.0);
        VehicleState s = steeredAt(-1.6);
        limitSteering(m, s, f);
        EXPECT_EQ(s.phi, -1.5);
        s = steeredAt(1.5);
        limitSteering(m, s, f);
        EXPECT_EQ(s.phi, 1.5);
        s = steeredAt(1.4999);
        limitSteering(m, s, f);
        EXPECT_EQ(s.phi, 1.4999);
    }
}

}  // namespace
