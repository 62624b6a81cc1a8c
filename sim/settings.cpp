#include "sim/settings.h"

SimSettings simSettings = {0, 0, 0, 1.0, 0.7, 0.0, 0.0, 0.0, 0.0, 0.0, 0};

void setStartupSettings() {
    simSettings.mechanism = Mech2DW1C;
    simSettings.pathKind = PathLine;
    simSettings.controlLaw = ControlP;
    simSettings.omegaN = kTwoPi * simSettings.fn;
    simSettings.x0 = -2.0;
    simSettings.y0 = 1.0;
    simSettings.theta0 = 0.0;
    simSettings.phi0 = 0.0;
    simSettings.lastKey = '0';
}
