// Figures of one recorded run, from trajectoryRecord: how long it takes to
// settle, against its design curve, how far it overshoots, how hard it steers.
#pragma once

#include "sim/settings.h"

struct RunFigures {
    bool settles;        double settle;        // s
    bool designSettles;  double designSettle;  // s
    bool hasOvershoot;   double overshoot;     // m
    double finalD;       // m
    double iae;          // m*s
    double peakPhi;      // rad
    double atLimit;      // s
    double endT;         // s
};

// Band that a settled run stays within from its settle time on.
constexpr double kSettleOffset = 0.02;   // m
constexpr double kSettleHeading = 0.02;  // rad
// A wheel held at the limit records just inside it.
constexpr double kAtLimitAngle = kMaxSteerAngle - 1e-6;  // rad

// mechanismIndex 0..2, law ControlP/ControlPI; reads trajectoryRecord and the
// gains and settings in force; also leaves that run's designCurve.
void computeRunFigures(int mechanismIndex, int law, RunFigures* figures);
