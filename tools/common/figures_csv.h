// The run figures as CSV: the --metrics columns, numbers in their shortest
// round-trip text, a figure that does not exist as an empty cell.
#pragma once

#include "sim/run_figures.h"

// mech,law,settle,designSettle,overshoot,finalD,iae,peakPhi,atLimit,endT
void writeFiguresHeader();
// One row for the run, after a prefix of cells (may be empty, else ends in ',').
void writeFiguresRow(const char* prefix, int mechanismIndex, int law, const RunFigures& figures);
