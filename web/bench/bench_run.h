// The bench's computation, the same in its workers and on the page: settings
// checked as the console dialog checks them, a mechanism's two runs, their
// figures, design curves and poles, packed into one array of doubles.
#pragma once

// What the page sends: the path (a PathKind), fn (Hz), zeta, the pose x, y (m)
// and theta (degrees), then the vehicle's values in their own order.
enum BenchInput { InPath, InFn, InZeta, InX, InY, InTheta, InVehicle, kBenchInputs = InVehicle + 9 };

// Why settings are refused; a vehicle value's own fault is kRefusedVehicle + its ImperfectionFault.
enum BenchRefusal {
    kAccepted, kRefusedNotFinite, kRefusedZero, kRefusedGains, kRefusedRuns, kRefusedVehicle = 10
};

struct BenchVerdict {
    int refusal;  // BenchRefusal
    int input;    // the BenchInput refused, -1 for the runs as a whole
};

// The settings and the vehicle from the input; the gains designed. Nothing
// changes when they are refused.
BenchVerdict applyBenchInput(const double input[kBenchInputs]);
// applyBenchInput, then the mechanism's P and PI runs (index 0..2); refused
// too when a run overflows.
BenchVerdict runBenchMechanism(const double input[kBenchInputs], int mechanismIndex);

// A mechanism's block: for its P run, then its PI run, kFigureValues figures;
// then per run the poles, the design's and the vehicle's (count, then re, im
// pairs); then per run its samples 0..lastSample (7 state and 11 tracking
// values each); then per run its design curve (dd as the phase plane plots it,
// dth). The three blocks in mechanism order are the whole simulation.
constexpr int kFigureValues = 10;  // settle, designSettle, overshoot, finalD, iae, peakPhi,
                                   // atLimit, endT, finalDd, lastSample; NaN where none
constexpr int kPoleValues = 1 + 2 * 4;
constexpr int kSampleValues = 18;
constexpr int kCurveValues = 2;
constexpr int kMaxPackedMechanism = 2 * (kFigureValues + 2 * kPoleValues + 3000 * (kSampleValues + kCurveValues));
int packBenchMechanism(int mechanismIndex, double* out);

// Puts the samples of the three packed blocks into the record, lastSample included.
void unpackBenchRecord(const double* packed);

// One map cell: the settings of the input, then only the run of (mechanism,
// law); out: settle (NaN if it never settles), atLimit, endT. False when refused.
bool benchMapCell(const double input[kBenchInputs], int mechanism, int law, double out[3]);
