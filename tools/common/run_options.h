// Command-line options the companion tools share: the settings of the runs
// (--path, --fn, --zeta, --pose), the vehicle as built (--speed-factor,
// --wheelbase, --input-bias, --steer-offset, --drift, --noise-d,
// --noise-theta, --seed, --delay) and the runs chosen (--mech, --law).
#pragma once

// A Mechanism or ControlLaw value; 0 when the option was not given.
struct RunChoice {
    int mechanism;
    int law;
};

// The names the options take and the CSV writes, indexed by value minus one.
extern const char* const kMechanismNames[3];
extern const char* const kLawNames[2];

// The vehicle's options as --help lists them, one line each.
extern const char* const kVehicleOptionsUsage;

// Set by each tool; starts every error line.
extern const char* toolName;

constexpr int kNotARunOption = -2;

// The start-up settings with fn 1 Hz and zeta 0.7 and the perfect vehicle, before any option.
void setDefaultRunSettings();

// Writes "tool: option: problem" on standard error; returns false.
bool failOption(const char* option, const char* problem);

// A whole argument that is a finite number; reports the option otherwise.
bool readNumberOption(const char* option, const char* text, double* value);

// The ImperfectionField an option sets, or -1.
int imperfectionOption(const char* option);
// Whether value may be the field's; false after the option's error line.
bool checkImperfection(const char* option, int field, double value);

// Applies one shared option to simSettings or the choice. Returns the number of
// values it took, -1 after an error line, kNotARunOption for any other option.
int applyRunOption(const char* option, char** values, int available, RunChoice* choice);

// Designs the gains from the settings; false after naming the design value that
// makes them infinite or undefined.
bool designFiniteGains();

// Whether the recorded runs are finite throughout; false after naming --pose
// (and the vehicle's options where it is not the perfect one), the only
// options that can make them overflow once the gains are finite.
bool refuseNonFiniteRuns();
// The line refuseNonFiniteRuns writes, for runs checked elsewhere; returns false.
bool failNonFiniteRuns();
