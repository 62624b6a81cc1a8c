// Poles of the closed loop the gains were designed for: the roots of its
// characteristic polynomial, linearised on the line (d' = V theta; theta' = u
// for 2DW1C, theta' = (V/L) phi and phi' = u for the steered vehicles), with
// the law as simulated. Dead time, noise and the steering limits are not in it.
#pragma once

constexpr int kMaxPoles = 4;

struct PoleSet {
    int count;
    double re[kMaxPoles], im[kMaxPoles];  // 1/s, sorted by real part, then imaginary
};

// mechanism and law as the enum values; the gains in force, with the drive
// speed V (m/s) and wheelbase L (m) given: the design's, or the vehicle's.
PoleSet closedLoopPoles(int mechanism, int law, double speed, double wheelbase);

// Coefficients of that polynomial, highest power first, leading 1; returns the degree.
int closedLoopPolynomial(int mechanism, int law, double speed, double wheelbase, double coefficients[]);
