// Shared set-up for model tests: start-up settings and gains.
#pragma once

#include "sim/gains.h"
#include "sim/settings.h"

inline void useStartupSettings(int pathKind = PathLine, double fn = 1.0, double zeta = 0.7) {
    simSettings.fn = fn;
    simSettings.zeta = zeta;
    setStartupSettings();
    simSettings.pathKind = pathKind;
    designGains();
}
