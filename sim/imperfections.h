// How the vehicle as built differs from the one the gains were designed for.
// At its defaults every run is the perfect vehicle's, bit for bit.
#pragma once

#include <cstdint>

struct VehicleImperfections {
    double speedFactor;  // real drive speed / design speed
    double wheelbase;    // m, the real L in the vehicle's own formulas
    double inputBias;    // deg/s, added to the control input before it acts
    double steerOffset;  // deg, the steered wheel's real angle is phi + this
    double drift;        // m/s, sideways velocity of the body, to its left
    double noiseD;       // m, standard deviation of the measured errD
    double noiseTheta;   // deg, standard deviation of the measured errTheta
    double seed;         // the noise generator's seed, an integer 0 .. 2^32 - 1
    double delay;        // s, dead time on the control input
};

extern VehicleImperfections vehicleImperfections;

VehicleImperfections defaultImperfections();

// The fields by index, in the order above, for options, links and tables.
enum ImperfectionField {
    ImpSpeedFactor, ImpWheelbase, ImpInputBias, ImpSteerOffset, ImpDrift,
    ImpNoiseD, ImpNoiseTheta, ImpSeed, ImpDelay, kImperfectionFields
};
struct ImperfectionName {
    const char* name;    // the field's own name, as links and sweep columns write it
    const char* option;  // the tools' option
    const char* unit;    // as the user gives it, "" where it has none
};
extern const ImperfectionName kImperfectionNames[kImperfectionFields];

double& imperfection(VehicleImperfections& v, int field);
double imperfection(const VehicleImperfections& v, int field);
bool atDefault(const VehicleImperfections& v, int field);
bool isPerfectVehicle(const VehicleImperfections& v);

enum ImperfectionFault {
    ImpFine, ImpNotFinite, ImpNotPositive, ImpSpeedRange, ImpNegative, ImpDelayRange, ImpSeedRange
};
// Faster, and a run would end before its first sample falls due.
constexpr double kMaxSpeedFactor = 100.0;
constexpr double kMaxDelay = 1.0;        // s
constexpr double kMaxSeed = 4294967295;  // 2^32 - 1

// What is wrong with one value of a field, ImpFine if nothing.
ImperfectionFault imperfectionFault(int field, double value);
// The first field whose value is refused, or -1.
int refusedImperfection(const VehicleImperfections& v);
// "must be ..." for a fault, in English, for the tools and the window.
const char* imperfectionProblem(ImperfectionFault fault);

// "Vehicle: speed x1.10, delay 0.10 s": the values off their defaults, into
// out; an empty text for the perfect vehicle.
void describeImperfections(const VehicleImperfections& v, char* out, int size);

// The dead time in whole integration steps of h.
int delaySteps(double delay, double h);
