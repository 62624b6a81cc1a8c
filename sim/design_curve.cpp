#include "sim/design_curve.h"

#include <cmath>

#include "sim/gains.h"
#include "sim/record.h"

DesignCurve designCurve;

// Linear state: offset, heading error, steering-angle error and their integrals.
constexpr int kDesignStates = 6;
enum DesignState { StD, StTheta, StPhi, StIntD, StIntTheta, StIntPhi };

struct Matrix {
    double a[kDesignStates][kDesignStates];
};

static Matrix product(const Matrix& x, const Matrix& y) {
    Matrix r = {};
    for (int i = 0; i < kDesignStates; ++i)
        for (int k = 0; k < kDesignStates; ++k)
            for (int j = 0; j < kDesignStates; ++j) r.a[i][j] += x.a[i][k] * y.a[k][j];
    return r;
}

static Matrix identity() {
    Matrix r = {};
    for (int i = 0; i < kDesignStates; ++i) r.a[i][i] = 1.0;
    return r;
}

// Scaling and squaring: the Taylor series of a matrix of norm <= 1/2 meets
// double precision within 18 terms.
static Matrix exponential(const Matrix& m) {
    constexpr double kScaledNorm = 0.5;
    constexpr int kTaylorTerms = 18;
    double norm = 0.0;
    for (int i = 0; i < kDesignStates; ++i) {
        double row = 0.0;
        for (int j = 0; j < kDesignStates; ++j) row += std::fabs(m.a[i][j]);
        norm = std::fmax(norm, row);
    }
    int squarings = 0;
    double scale = 1.0;
    while (norm * scale > kScaledNorm && squarings < 1000) {
        scale *= 0.5;
        ++squarings;
    }
    Matrix scaled = m;
    for (auto& row : scaled.a)
        for (double& v : row) v *= scale;
    Matrix sum = identity(), term = identity();
    for (int n = 1; n <= kTaylorTerms; ++n) {
        term = product(term, scaled);
        for (auto& row : term.a)
            for (double& v : row) v /= n;
        for (int i = 0; i < kDesignStates; ++i)
            for (int j = 0; j < kDesignStates; ++j) sum.a[i][j] += term.a[i][j];
    }
    for (int i = 0; i < squarings; ++i) sum = product(sum, sum);
    return sum;
}

// The closed loop of the linearised kinematics under the simulation's law.
static Matrix closedLoop(int mechanism, int law) {
    const FeedbackGains& g = gainTable.gains[mechanism][law];
    const bool steered = mechanism != Mech2DW1C;
    const double kPhi = steered ? g.kPhi : 0.0;
    const double kI = law == ControlPI ? g.kI : 0.0;
    const int input = steered ? StPhi : StTheta;
    Matrix a = {};
    a.a[StD][StTheta] = kDriveSpeed;
    if (steered) a.a[StTheta][StPhi] = kDriveSpeed / kWheelBase;
    a.a[input][StD] = -g.kD;
    a.a[input][StTheta] = -g.kTheta;
    a.a[input][StPhi] = -kPhi;
    a.a[input][StIntD] = -kI * g.kD;
    a.a[input][StIntTheta] = -kI * g.kTheta;
    a.a[input][StIntPhi] = -kI * kPhi;
    if (law == ControlPI) {
        a.a[StIntD][StD] = 1.0;
        a.a[StIntTheta][StTheta] = 1.0;
        a.a[StIntPhi][StPhi] = 1.0;
    }
    return a;
}

void computeDesignCurve(int mechanismIndex, int law) {
    const int mechanism = mechanismIndex + 1;
    Matrix a = closedLoop(mechanism, law);
    for (auto& row : a.a)
        for (double& v : row) v *= kSampleInterval;
    // exp(A k dt) = exp(A dt)^k: one exact step per sample interval.
    const Matrix step = exponential(a);
    const TrackingSample& start = trajectoryRecord.track[law][mechanismIndex][0];
    double x[kDesignStates] = {start.errD, start.errTheta,
                               mechanism == Mech2DW1C ? 0.0 : start.errPhi, 0.0, 0.0, 0.0};
    const int last = trajectoryRecord.lastSample[mechanismIndex][law];
    designCurve.lastSample = last;
    for (int k = 0; k <= last; ++k) {
        designCurve.d[k] = x[StD];
        designCurve.theta[k] = x[StTheta];
        double next[kDesignStates] = {};
        for (int i = 0; i < kDesignStates; ++i)
            for (int j = 0; j < kDesignStates; ++j) next[i] += step.a[i][j] * x[j];
        for (int i = 0; i < kDesignStates; ++i) x[i] = next[i];
    }
}
