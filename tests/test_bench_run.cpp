// The page's bench computation, natively: the dialog's refusals, the packed
// runs the page puts back into its record, and a map cell against the sweep's runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "sim/record.h"
#include "sim/run.h"
#include "sim/run_figures.h"
#include "sim_fixture.h"
#include "web/bench/bench_run.h"

namespace {

std::vector<double> lectureInput(int path = PathLine) {
    return {static_cast<double>(path), 0.5, 0.7, -2.0, 0.2, 0.0, 1, 1, 0, 0, 0, 0, 0, 1, 0};
}

TEST(BenchRun, RefusesWhatTheDialogRefusesAndChangesNothing) {
    useStartupSettings();
    const struct {
        int input;
        double value;
        int refusal;
    } cases[] = {
        {InFn, 0.0, kRefusedZero},          {InZeta, 0.0, kRefusedZero},
        {InZeta, NAN, kRefusedNotFinite},   {InX, INFINITY, kRefusedNotFinite},
        {InFn, 1e200, kRefusedGains},       {InVehicle + ImpDelay, 2.0, kRefusedVehicle + ImpDelayRange},
        {InVehicle + ImpSeed, 0.5, kRefusedVehicle + ImpSeedRange},
        {InVehicle + ImpWheelbase, 1e-308, kRefusedRuns},
    };
    for (const auto& c : cases) {
        std::vector<double> input = lectureInput();
        input[InFn] = 1.0;  // the start-up settings, where a 1e-308 m wheelbase overflows
        input[InY] = 1.0;
        input[c.input] = c.value;
        BenchVerdict verdict = {kAccepted, -1};
        for (int m = 0; m < 3 && verdict.refusal == kAccepted; ++m) {
            useStartupSettings();
            verdict = runBenchMechanism(input.data(), m);
        }
        EXPECT_EQ(verdict.refusal, c.refusal) << c.input;
        EXPECT_EQ(verdict.input, c.refusal == kRefusedRuns ? -1 : c.input);
        EXPECT_EQ(simSettings.fn, 1.0) << c.input;
        EXPECT_EQ(vehicleImperfections.wheelbase, 1.0) << c.input;
    }
}

TEST(BenchRun, ThePackedBlocksRestoreTheRecordAndCarryThePlottedSigns) {
    useStartupSettings();
    std::vector<double> input = lectureInput(PathCircle);
    input[InVehicle + ImpDelay] = 0.05;
    std::vector<double> packed(3 * kMaxPackedMechanism);
    int length = 0;
    for (int m = 0; m < 3; ++m) {
        ASSERT_EQ(runBenchMechanism(input.data(), m).refusal, kAccepted);
        length += packBenchMechanism(m, packed.data() + length);
    }
    // Static: the record is megabytes, more than a Windows thread's stack.
    static TrajectoryRecord made;
    made = trajectoryRecord;
    std::memset(&trajectoryRecord, 0, sizeof trajectoryRecord);
    unpackBenchRecord(packed.data());
    for (int m = 0; m < 3; ++m) {
        for (int law = ControlP; law <= ControlPI; ++law) {
            ASSERT_EQ(trajectoryRecord.lastSample[m][law], made.lastSample[m][law]);
            for (int k = 0; k <= made.lastSample[m][law]; ++k) {
                ASSERT_EQ(trajectoryRecord.state[law][m][k].theta, made.state[law][m][k].theta);
                ASSERT_EQ(trajectoryRecord.track[law][m][k].plotD, made.track[law][m][k].plotD);
            }
        }
    }
    // 2DW1C P, the block's first run: final dd as plotted; the design curve from dd at sample 0.
    const int last = made.lastSample[0][ControlP];
    EXPECT_EQ(packed[8], made.track[ControlP][0][last].plotD);
    EXPECT_EQ(packed[8], -packed[3]);  // on the circle dd is -errD
    const int curves = 2 * (kFigureValues + 2 * kPoleValues) +
                       kSampleValues * (made.lastSample[0][ControlP] + made.lastSample[0][ControlPI] + 2);
    EXPECT_NEAR(packed[curves], made.track[ControlP][0][0].plotD, 1e-15);
}

TEST(BenchRun, AMapCellIsTheSettleOfTheMechanismsOwnRun) {
    useStartupSettings();
    std::vector<double> input = lectureInput();
    input[InFn] = 0.4;
    input[InVehicle + ImpDrift] = 0.005;
    double cell[3];
    ASSERT_TRUE(benchMapCell(input.data(), Mech1RDW1FS, ControlPI, cell));
    ASSERT_EQ(runBenchMechanism(input.data(), 2).refusal, kAccepted);
    RunFigures f;
    computeRunFigures(2, ControlPI, &f);
    ASSERT_TRUE(f.settles);
    EXPECT_EQ(cell[0], f.settle);
    EXPECT_EQ(cell[1], f.atLimit);
    EXPECT_EQ(cell[2], f.endT);
}

}  // namespace
