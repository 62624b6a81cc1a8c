// What every section of the console dialog asks with: a yes/no key, a number
// entry taken whole or asked for again, and the trial runs that keep the
// window from ever getting runs that overflowed.
#pragma once

#include "sim/imperfections.h"
#include "sim/settings.h"

// Only lower-case 'y' is yes; end of input is no.
bool answeredYes();

// Names what is wrong with a complete entry, or returns null.
using EntryFault = const char* (*)(const double* values);

// Asks with prompt until count usable numbers arrive (true) or the input
// ends (false, after saying that the old values stay).
bool enterNumbers(const char* prompt, double values[], int count, EntryFault fault);

bool allFinite(const double values[], int count);

extern const char* const kNotFinite;

// Simulates with these settings and this vehicle, then puts the ones in force
// back; the record keeps the trial runs until the real ones replace them.
bool runsFiniteWith(const SimSettings& settings, const VehicleImperfections& vehicle);
