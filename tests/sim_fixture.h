// Shared set-up for model tests: start-up settings, gains, the perfect vehicle.
#pragma once

#include "sim/gains.h"
#include "sim/imperfections.h"
#include "sim/settings.h"

inline void useStartupSettings(int pathKind = PathLine, double fn = 1.0, double zeta = 0.7) {
    simSettings.fn = fn;
    simSettings.zeta = zeta;
    setStartupSettings();
    simSettings.pathKind = pathKind;
    vehicleImperfections = defaultImperfections();
    designGains();
}
