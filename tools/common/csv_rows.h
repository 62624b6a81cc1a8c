// The CSV of the recorded runs: its header and every recorded sample of a
// run, each number in the shortest text that reads back to the same double.
#pragma once

#include <cstdio>

// With design, the design curve's designD and designTheta columns follow.
void writeCsvHeader(FILE* out, bool design);

// Samples 0..lastSample of the run of mechanism index 0..2 under law (ControlLaw).
void writeCsvRun(FILE* out, int mechanismIndex, int law, bool design);
