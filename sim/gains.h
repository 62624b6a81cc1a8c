// Closed-form feedback gains for every mechanism under P and PI.
#pragma once

struct FeedbackGains {
    double kD;      // 1/(m*s), lateral offset
    double kTheta;  // 1/s, heading error
    double kPhi;    // 1/s, steering-angle error
    double kI;      // 1/s, integral part
};

// Indexed [mechanism][law] by the enum values themselves; index 0 unused.
struct GainTable {
    FeedbackGains gains[4][3];
};

extern GainTable gainTable;

// Fills the table from simSettings.omegaN and zeta without printing.
void designGains();
// Prints the six gain lines.
void printGains();
// designGains, then printGains.
void computeGains();
// True when every gain of the table is finite: extreme fn or zeta overflow or give 0/0.
bool gainsAreFinite();
// True when fn (Hz) and zeta would design a table of finite gains; the table
// and the settings are left as they were.
bool gainsFiniteFor(double fn, double zeta);
