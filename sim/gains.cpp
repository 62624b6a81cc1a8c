#include "sim/gains.h"

#include <cmath>

#include "platform/console.h"
#include "sim/settings.h"

GainTable gainTable;

static FeedbackGains& gainsOf(int mechanism, int law) {
    return gainTable.gains[mechanism][law];
}

// The steered P gains place the closed loop at (s + W)(s^2 + 2 zeta W s + W^2).
static void designSteeredP(FeedbackGains& g, double w, double zeta) {
    const double v = kDriveSpeed, l = kWheelBase;
    g.kPhi = 2.0 * zeta * w + w;
    g.kTheta = (w * w + 2.0 * zeta * w * w) * l / v;
    g.kD = w * w * w * l / (v * v);
}

// The steered PI gains place it at (s^2 + 2 zeta W s + W^2)^2.
static void designSteeredPI(FeedbackGains& g, double w, double zeta) {
    const double v = kDriveSpeed, l = kWheelBase;
    g.kPhi = 4.0 * zeta * w;
    g.kTheta = 4.0 * zeta * zeta * w * w * l / v;
    g.kD = 2.0 * zeta * w * w * w * l / (v * v);
    g.kI = w / (2.0 * zeta);
}

void designGains() {
    const double w = simSettings.omegaN;
    const double zeta = simSettings.zeta;
    const double v = kDriveSpeed;

    FeedbackGains& p = gainsOf(Mech2DW1C, ControlP);
    p.kD = w * w / v;
    p.kTheta = 2.0 * zeta * w;

    FeedbackGains& pi = gainsOf(Mech2DW1C, ControlPI);
    const double alpha = w / (4.0 * zeta);
    pi.kTheta = 2.0 * zeta * w + alpha;
    pi.kD = (2.0 * zeta * alpha + w) * w / (2.0 * v);
    pi.kI = w * w * alpha / (pi.kD * v);

    designSteeredP(gainsOf(Mech1FDW1FS, ControlP), w, zeta);
    designSteeredPI(gainsOf(Mech1FDW1FS, ControlPI), w, zeta);
    designSteeredP(gainsOf(Mech1RDW1FS, ControlP), w, zeta);
    designSteeredPI(gainsOf(Mech1RDW1FS, ControlPI), w, zeta);
}

void printGains() {
    const FeedbackGains& a = gainsOf(Mech2DW1C, ControlP);
    const FeedbackGains& b = gainsOf(Mech2DW1C, ControlPI);
    const FeedbackGains& c = gainsOf(Mech1FDW1FS, ControlP);
    const FeedbackGains& d = gainsOf(Mech1FDW1FS, ControlPI);
    const FeedbackGains& e = gainsOf(Mech1RDW1FS, ControlP);
    const FeedbackGains& f = gainsOf(Mech1RDW1FS, ControlPI);
    consolePrintf("\ngain() 2DW1C   P制御  K[d,θ]=(%7.4f %7.4f)", a.kD, a.kTheta);
    consolePrintf("\n               PI制御 K[d,θ,I]=(%7.4f %7.4f %7.4f)", b.kD, b.kTheta, b.kI);
    consolePrintf("\n       1FDW1FS P制御  K[d,θ,φ]=(%7.4f %7.4f %7.4f)", c.kD, c.kTheta, c.kPhi);
    consolePrintf("\n               PI制御 K[d,θ,φ,I]=(%7.4f %7.4f %7.4f %7.4f)", d.kD, d.kTheta, d.kPhi,
                  d.kI);
    consolePrintf("\n       1RDW1FS P制御  K[d,θ,φ]=(%7.4f %7.4f %7.4f)", e.kD, e.kTheta, e.kPhi);
    consolePrintf("\n               PI制御 K[d,θ,φ,I]=(%7.4f %7.4f %7.4f %7.4f)", f.kD, f.kTheta, f.kPhi,
                  f.kI);
}

void computeGains() {
    designGains();
    printGains();
}

bool gainsAreFinite() {
    for (int m = Mech2DW1C; m <= Mech1RDW1FS; ++m) {
        for (int law = ControlP; law <= ControlPI; ++law) {
            const FeedbackGains& g = gainsOf(m, law);
            if (!std::isfinite(g.kD) || !std::isfinite(g.kTheta) || !std::isfinite(g.kPhi) ||
                !std::isfinite(g.kI)) {
                return false;
            }
        }
    }
    return true;
}

bool gainsFiniteFor(double fn, double zeta) {
    const SimSettings savedSettings = simSettings;
    const GainTable savedGains = gainTable;
    simSettings.fn = fn;
    simSettings.zeta = zeta;
    simSettings.omegaN = kTwoPi * fn;
    designGains();
    const bool finite = gainsAreFinite();
    simSettings = savedSettings;
    gainTable = savedGains;
    return finite;
}
