#include <cmath>

#include "sim/gains.h"
#include "sim/settings.h"

int main(int, char**) {
    simSettings.mechanism = Mech2DW1C;
    simSettings.pathKind = PathLine;
    simSettings.controlLaw = ControlP;
    simSettings.omegaN = kTwoPi * simSettings.fn;
    computeGains();
    return 0;
}
