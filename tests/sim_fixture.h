// Shared set-up for model tests: start-up settings and gains.
#pragma once

#include "sim/gains.h"
#include "sim/settings.h"

inline void useStartupSettings(int pathKind = PathLine, double fn = 1.0, double zeta = 0.7) {
    simSettings.mechanism = Mech2DW1C;
    simSettings.controlLaw = ControlP;
    simSettings.pathKind = pathKind;
    simSettings.fn = fn;
    simSettings.zeta = zeta;
    simSettings.omegaN = kTwoPi * fn;
    simSettings.x0 = -2.0;
    simSettings.y0 = 1.0;
    simSettings.theta0 = 0.0;
    simSettings.phi0 = 0.0;
    designGains();
}
