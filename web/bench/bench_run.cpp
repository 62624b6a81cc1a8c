#include "web/bench/bench_run.h"

#include <cmath>
#include <cstring>

#include "sim/design_curve.h"
#include "sim/gains.h"
#include "sim/imperfections.h"
#include "sim/poles.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/run_figures.h"
#include "sim/settings.h"

// The dialog's rules: numbers that are finite, fn and zeta not 0 and with
// finite gains, each vehicle value within its range.
static BenchVerdict check(const double in[kBenchInputs]) {
    for (int i = InFn; i < InVehicle; ++i)
        if (!std::isfinite(in[i])) return {kRefusedNotFinite, i};
    if (in[InFn] == 0.0) return {kRefusedZero, InFn};
    if (in[InZeta] == 0.0) return {kRefusedZero, InZeta};
    if (!gainsFiniteFor(in[InFn], in[InZeta])) return {kRefusedGains, InFn};
    for (int field = 0; field < kImperfectionFields; ++field) {
        const ImperfectionFault fault = imperfectionFault(field, in[InVehicle + field]);
        if (fault != ImpFine) return {kRefusedVehicle + fault, InVehicle + field};
    }
    return {kAccepted, -1};
}

BenchVerdict applyBenchInput(const double in[kBenchInputs]) {
    const BenchVerdict verdict = check(in);
    if (verdict.refusal != kAccepted) return verdict;
    simSettings.pathKind = in[InPath] == PathCircle ? PathCircle : PathLine;
    simSettings.fn = in[InFn];
    simSettings.zeta = in[InZeta];
    simSettings.omegaN = kTwoPi * simSettings.fn;
    simSettings.x0 = in[InX];
    simSettings.y0 = in[InY];
    simSettings.theta0 = in[InTheta] * kDegToRad;
    for (int field = 0; field < kImperfectionFields; ++field)
        imperfection(vehicleImperfections, field) = in[InVehicle + field];
    designGains();
    return verdict;
}

BenchVerdict runBenchMechanism(const double in[kBenchInputs], int mechanismIndex) {
    const SimSettings settings = simSettings;
    const VehicleImperfections vehicle = vehicleImperfections;
    const GainTable gains = gainTable;
    BenchVerdict verdict = applyBenchInput(in);
    if (verdict.refusal != kAccepted) return verdict;
    runMechanism(mechanismIndex, simSettings.pathKind);
    if (recordedRunFinite(mechanismIndex, ControlP) && recordedRunFinite(mechanismIndex, ControlPI)) return verdict;
    simSettings = settings;
    vehicleImperfections = vehicle;
    gainTable = gains;
    return {kRefusedRuns, -1};
}

static double* packFigures(int m, int law, double* out) {
    RunFigures f;
    computeRunFigures(m, law, &f);  // also leaves the run's design curve
    const int last = trajectoryRecord.lastSample[m][law];
    const double none = NAN;
    const double values[kFigureValues] = {
        f.settles ? f.settle : none, f.designSettles ? f.designSettle : none,
        f.hasOvershoot ? f.overshoot : none, f.finalD, f.iae, f.peakPhi, f.atLimit, f.endT,
        trajectoryRecord.track[law][m][last].plotD, static_cast<double>(last)};
    std::memcpy(out, values, sizeof values);
    return out + kFigureValues;
}

static double* packPoles(const PoleSet& poles, double* out) {
    *out++ = poles.count;
    for (int k = 0; k < 4; ++k) {
        *out++ = k < poles.count ? poles.re[k] : 0.0;
        *out++ = k < poles.count ? poles.im[k] : 0.0;
    }
    return out;
}

static double* packSamples(int m, int law, double* out) {
    for (int k = 0; k <= trajectoryRecord.lastSample[m][law]; ++k) {
        std::memcpy(out, &trajectoryRecord.state[law][m][k], sizeof(VehicleState));
        std::memcpy(out + 7, &trajectoryRecord.track[law][m][k], sizeof(TrackingSample));
        out += kSampleValues;
    }
    return out;
}

int packBenchMechanism(int m, double* out) {
    static_assert(sizeof(VehicleState) == 7 * sizeof(double) && sizeof(TrackingSample) == 11 * sizeof(double),
                  "a sample packs as 18 doubles");
    double* p = out;
    static DesignCurve curves[2];
    for (int law = ControlP; law <= ControlPI; ++law) {
        p = packFigures(m, law, p);
        curves[law - 1] = designCurve;
    }
    const double speed = kDriveSpeed * vehicleImperfections.speedFactor;
    for (int law = ControlP; law <= ControlPI; ++law) {
        p = packPoles(closedLoopPoles(m + 1, law, kDriveSpeed, kWheelBase), p);
        p = packPoles(closedLoopPoles(m + 1, law, speed, vehicleImperfections.wheelbase), p);
    }
    for (int law = ControlP; law <= ControlPI; ++law) p = packSamples(m, law, p);
    // The design curve is offset and heading error; on the circle dd is -errD.
    const double ddSign = simSettings.pathKind == PathCircle ? -1.0 : 1.0;
    for (const DesignCurve& curve : curves) {
        for (int k = 0; k <= curve.lastSample; ++k) {
            *p++ = ddSign * curve.d[k];
            *p++ = curve.theta[k];
        }
    }
    return static_cast<int>(p - out);
}

void unpackBenchRecord(const double* packed) {
    const double* p = packed;
    for (int m = 0; m < 3; ++m) {
        int last[3];
        for (int law = ControlP; law <= ControlPI; ++law)
            last[law] = static_cast<int>(p[(law - 1) * kFigureValues + kFigureValues - 1]);
        p += 2 * (kFigureValues + 2 * kPoleValues);
        for (int law = ControlP; law <= ControlPI; ++law) {
            trajectoryRecord.lastSample[m][law] = last[law];
            for (int k = 0; k <= last[law]; ++k) {
                std::memcpy(&trajectoryRecord.state[law][m][k], p, sizeof(VehicleState));
                std::memcpy(&trajectoryRecord.track[law][m][k], p + 7, sizeof(TrackingSample));
                p += kSampleValues;
            }
        }
        for (int law = ControlP; law <= ControlPI; ++law) p += kCurveValues * (last[law] + 1);
    }
}

bool benchMapCell(const double in[kBenchInputs], int mechanism, int law, double out[3]) {
    if (applyBenchInput(in).refusal != kAccepted) return false;
    runMechanismLaw(mechanism - 1, simSettings.pathKind, law);
    RunFigures f;
    computeRunFigures(mechanism - 1, law, &f);
    out[0] = f.settles ? f.settle : NAN;
    out[1] = f.atLimit;
    out[2] = f.endT;
    return true;
}
