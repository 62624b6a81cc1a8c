#include <gtest/gtest.h>

#include <cmath>

#include "sim/imperfections.h"
#include "sim/noise.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/vehicle.h"
#include "sim_fixture.h"

namespace {

constexpr double kOffsetTolerance = 1e-4;  // m

double finalOffset(int m, int law) {
    return trajectoryRecord.track[law][m][trajectoryRecord.lastSample[m][law]].errD;
}

const FeedbackGains& gains(int mechanism, int law) { return gainTable.gains[mechanism][law]; }

// The lecture's setting: line, fn 0.5 Hz, zeta 0.7, start (-2, 0.2, 0).
void runLectureSetting(const VehicleImperfections& vehicle) {
    useStartupSettings(PathLine, 0.5, 0.7);
    simSettings.x0 = -2.0;
    simSettings.y0 = 0.2;
    vehicleImperfections = vehicle;
    runAllMechanisms(PathLine);
}

// At rest the law's input cancels the bias: P needs a standing offset b / kD,
// PI's integral supplies the input instead.
TEST(SteadyOffsets, InputBiasIsRemovedByTheIntegralOnly) {
    VehicleImperfections v = defaultImperfections();
    v.inputBias = 5.0;
    runLectureSetting(v);
    const double b = 5.0 * kDegToRad;
    for (int m = Mech2DW1C; m <= Mech1RDW1FS; ++m) {
        EXPECT_NEAR(finalOffset(m - 1, ControlP), b / gains(m, ControlP).kD, kOffsetTolerance) << m;
        EXPECT_NEAR(finalOffset(m - 1, ControlPI), 0.0, kOffsetTolerance) << m;
    }
    EXPECT_NEAR(finalOffset(0, ControlP), 0.00884, 1e-5);
}

// At rest the steering rate is 0 under both laws and the wheel stands at
// -offset: kD d = kPhi b with each law's gains; the integral sees a zero sum.
TEST(SteadyOffsets, SteeringOffsetStaysUnderBothLaws) {
    VehicleImperfections v = defaultImperfections();
    v.steerOffset = 2.0;
    runLectureSetting(v);
    const double b = 2.0 * kDegToRad;
    for (int m : {Mech1FDW1FS, Mech1RDW1FS}) {
        for (int law : {ControlP, ControlPI}) {
            const FeedbackGains& g = gains(m, law);
            EXPECT_NEAR(finalOffset(m - 1, law), g.kPhi * b / g.kD, kOffsetTolerance) << m << " " << law;
        }
    }
    // No steered wheel: the two-wheel drive does not see it.
    EXPECT_NEAR(finalOffset(0, ControlP), 0.0, kOffsetTolerance);
    EXPECT_NEAR(finalOffset(0, ControlPI), 0.0, kOffsetTolerance);
}

// Holding the line against a drift w takes a heading of -atan(w / V); the law
// at rest then balances kD d against kTheta times that heading.
TEST(SteadyOffsets, DriftLeavesAnOffsetUnderBothLaws) {
    VehicleImperfections v = defaultImperfections();
    v.drift = 0.05;
    runLectureSetting(v);
    const double heading = std::atan(0.05 / kDriveSpeed);
    for (int m = Mech2DW1C; m <= Mech1RDW1FS; ++m) {
        for (int law : {ControlP, ControlPI}) {
            const FeedbackGains& g = gains(m, law);
            EXPECT_NEAR(finalOffset(m - 1, law), g.kTheta * heading / g.kD, kOffsetTolerance) << m << " " << law;
        }
    }
}

TEST(VehicleAsBuilt, SpeedWheelbaseOffsetAndDriftEnterTheKinematics) {
    VehicleImperfections v = defaultImperfections();
    v.speedFactor = 2.0;
    v.wheelbase = 0.5;
    v.steerOffset = 10.0;
    v.drift = 0.3;
    vehicleImperfections = v;
    VehicleState s = {};
    s.theta = 0.4;
    s.phi = 0.1;
    const double wheel = 0.1 + 10.0 * kDegToRad;
    const StateDerivative front = vehicleDerivative(Mech1FDW1FS, s, 7.0);
    EXPECT_DOUBLE_EQ(front.value[0], 2.0 * std::cos(wheel));
    EXPECT_DOUBLE_EQ(front.value[1], 2.0 * std::sin(wheel) / 0.5);
    EXPECT_DOUBLE_EQ(front.value[2], front.value[0] * std::cos(0.4) - 0.3 * std::sin(0.4));
    EXPECT_DOUBLE_EQ(front.value[3], front.value[0] * std::sin(0.4) + 0.3 * std::cos(0.4));
    EXPECT_EQ(front.value[4], kMaxSteerRate);
    const StateDerivative rear = vehicleDerivative(Mech1RDW1FS, s, 0.5);
    EXPECT_DOUBLE_EQ(rear.value[1], 2.0 * std::tan(wheel) / 0.5);
    // The two-wheel drive has no steered wheel to be off.
    const StateDerivative twoWheel = vehicleDerivative(Mech2DW1C, s, 0.5);
    EXPECT_EQ(twoWheel.value[0], 2.0);
    EXPECT_EQ(twoWheel.value[1], 0.5);
    vehicleImperfections = defaultImperfections();
}

TEST(VehicleAsBuilt, ThePerfectVehicleAddsNoZeros) {
    vehicleImperfections = defaultImperfections();
    VehicleState s = {};
    s.theta = -0.0;
    s.phi = -0.0;
    const StateDerivative f = vehicleDerivative(Mech1RDW1FS, s, -0.0);
    EXPECT_TRUE(std::signbit(f.value[1]));  // tan(-0) / L, not tan(-0 + 0)
    EXPECT_TRUE(std::signbit(f.value[3]));  // V sin(-0), no drift term added
    EXPECT_TRUE(isPerfectVehicle(vehicleImperfections));
}

TEST(NoiseGenerator, FirstDrawsForSeedOne) {
    uint64_t state = 1;
    EXPECT_EQ(splitmix64(&state), 0x910a2dec89025cc1ull);
    EXPECT_EQ(splitmix64(&state), 0xbeeb8da1658eec67ull);
    state = 1;
    const NoisePair first = gaussianPair(&state);
    EXPECT_NEAR(first.n1, -0.02824974609585943, 1e-15);
    EXPECT_NEAR(first.n2, -1.0656176484143258, 1e-15);
    const NoisePair second = gaussianPair(&state);
    EXPECT_NEAR(second.n1, -0.22791952286763453, 1e-15);
    EXPECT_NEAR(second.n2, 0.0830941684715013, 1e-15);
    EXPECT_EQ(uniformFromBits(0), 0x1.0p-53);  // never 0: its logarithm stays finite
    EXPECT_EQ(uniformFromBits(~0ull), 1.0);
}

// Noise moves what the law sees, never what is recorded; every run of a
// simulation sees the same noise, and the seed chooses it.
TEST(NoiseGenerator, NoiseReachesTheLawAndTheSameSeedRepeatsIt) {
    VehicleImperfections v = defaultImperfections();
    v.noiseD = 0.01;
    runLectureSetting(v);
    const double first = trajectoryRecord.state[ControlP][1][200].y;
    EXPECT_EQ(trajectoryRecord.track[ControlP][1][200].errD, first);  // on the line errD is y, unmeasured
    runLectureSetting(v);
    EXPECT_EQ(trajectoryRecord.state[ControlP][1][200].y, first);
    v.seed = 2.0;
    runLectureSetting(v);
    EXPECT_NE(trajectoryRecord.state[ControlP][1][200].y, first);
    runLectureSetting(defaultImperfections());
    EXPECT_NE(trajectoryRecord.state[ControlP][1][200].y, first);
}

// While the steering rate is saturated the input is constant, so a dead time
// of n steps delays the whole response by exactly n h.
TEST(DeadTime, ShiftsASaturatedResponseByTheDelay) {
    useStartupSettings(PathLine);
    runAllMechanisms(PathLine);
    VehicleState prompt[6];
    for (int k = 0; k < 6; ++k) prompt[k] = trajectoryRecord.state[ControlP][2][k];
    vehicleImperfections.delay = kSampleInterval;  // 40 steps, one sample
    runAllMechanisms(PathLine);
    const VehicleState* delayed = trajectoryRecord.state[ControlP][2];
    EXPECT_EQ(delayed[1].phi, 0.0);  // nothing applied before the first step's input arrives
    EXPECT_EQ(delayed[1].y, 1.0);
    // Straight on meanwhile: the integrator's own n h of travel (its truncated
    // coefficients fall 7e-12 m short).
    const double straight = delayed[1].x - delayed[0].x;
    EXPECT_NEAR(straight, kDriveSpeed * kSampleInterval, 1e-11);
    for (int k = 0; k + 1 < 6; ++k) {
        EXPECT_NEAR(delayed[k + 1].phi, prompt[k].phi, 1e-12) << k;
        EXPECT_NEAR(delayed[k + 1].theta, prompt[k].theta, 1e-12) << k;
        EXPECT_NEAR(delayed[k + 1].y, prompt[k].y, 1e-12) << k;
        EXPECT_NEAR(delayed[k + 1].x, prompt[k].x + straight, 1e-12) << k;
    }
    EXPECT_EQ(delaySteps(0.1, 0.0005), 200);
    EXPECT_EQ(delaySteps(0.00074, 0.0005), 1);  // to the nearest step
    EXPECT_EQ(delaySteps(0.0002, 0.0005), 0);
}

TEST(Refusals, EachValueOutsideItsRange) {
    EXPECT_EQ(refusedImperfection(defaultImperfections()), -1);
    const struct {
        int field;
        double value;
        ImperfectionFault fault;
    } cases[] = {
        {ImpSpeedFactor, 0.0, ImpSpeedRange},   {ImpSpeedFactor, 100.5, ImpSpeedRange},
        {ImpWheelbase, -1.0, ImpNotPositive},   {ImpInputBias, NAN, ImpNotFinite},
        {ImpDrift, INFINITY, ImpNotFinite},     {ImpNoiseD, -0.001, ImpNegative},
        {ImpNoiseTheta, -1.0, ImpNegative},     {ImpSeed, 0.5, ImpSeedRange},
        {ImpSeed, 4294967296.0, ImpSeedRange},  {ImpSeed, -1.0, ImpSeedRange},
        {ImpDelay, 1.0001, ImpDelayRange},      {ImpDelay, -0.1, ImpDelayRange},
    };
    for (const auto& c : cases) {
        VehicleImperfections v = defaultImperfections();
        imperfection(v, c.field) = c.value;
        EXPECT_EQ(imperfectionFault(c.field, c.value), c.fault) << kImperfectionNames[c.field].name;
        EXPECT_EQ(refusedImperfection(v), c.field) << kImperfectionNames[c.field].name;
    }
    for (double seed : {0.0, 4294967295.0}) EXPECT_EQ(imperfectionFault(ImpSeed, seed), ImpFine);
    EXPECT_EQ(imperfectionFault(ImpDelay, 1.0), ImpFine);
    EXPECT_EQ(imperfectionFault(ImpSteerOffset, -30.0), ImpFine);
}

TEST(Refusals, TheWindowLineNamesOnlyTheValuesOffDefault) {
    char text[400];
    VehicleImperfections v = defaultImperfections();
    describeImperfections(v, text, sizeof text);
    EXPECT_STREQ(text, "");
    v.speedFactor = 1.1;
    v.delay = 0.1;
    describeImperfections(v, text, sizeof text);
    EXPECT_STREQ(text, "Vehicle: speed x1.10, delay 0.10 s");
    v.noiseTheta = 0.5;
    v.seed = 42;
    char small[24];
    describeImperfections(v, small, sizeof small);  // cut, never overrun
    EXPECT_EQ(std::string(small), std::string("Vehicle: speed x1.10, n"));
}

}  // namespace
