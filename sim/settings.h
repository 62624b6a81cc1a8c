// What is simulated and what is shown, plus the fixed model constants.
#pragma once

enum Mechanism { Mech2DW1C = 1, Mech1FDW1FS = 2, Mech1RDW1FS = 3 };
enum ControlLaw { ControlP = 1, ControlPI = 2 };
enum PathKind { PathLine = 0, PathCircle = 1 };

// The model's own angle constants; the drawing code keeps a separate pi.
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kHalfPi = 1.5707963267948;
constexpr double kRadToDeg = 57.2957795;
constexpr double kDegToRad = 0.0174532925;

constexpr double kDriveSpeed = 1.0;     // V, m/s
constexpr double kWheelBase = 1.0;      // L, m
constexpr double kMaxSteerRate = 3.0;   // rad/s
constexpr double kMaxSteerAngle = 1.5;  // rad
constexpr double kMaxDriveSpeed = 2.0;  // m/s, shown only
constexpr double kPathRadius = 2.0;     // m
constexpr double kPathCurvature = 0.5;  // 1/m
constexpr double kSampleInterval = 0.02;  // s
constexpr int kSubsteps = 40;             // integration steps per sample
constexpr double kRunDistance = 20.0;     // m
constexpr int kMaxSamples = 3000;

struct SimSettings {
    int mechanism;   // Mechanism shown
    int controlLaw;  // ControlLaw shown
    int pathKind;
    double fn;       // Hz
    double zeta;
    double omegaN;   // rad/s, always 2*pi*fn
    double x0, y0;   // m
    double theta0;   // rad
    double phi0;     // rad
    char lastKey;    // last key pressed in the window
};

extern SimSettings simSettings;

// What every start begins from: mechanism 1 under P on the line, omegaN from
// the current fn, the pose (-2 m, 1 m, 0 rad) and lastKey '0'.
void setStartupSettings();
