#include <cmath>

#include "display/view.h"
#include "display/window.h"
#include "sim/gains.h"
#include "sim/settings.h"
#include "ui/dialog.h"

int main(int argc, char** argv) {
    simSettings.mechanism = Mech2DW1C;
    simSettings.pathKind = PathLine;
    simSettings.controlLaw = ControlP;
    simSettings.omegaN = kTwoPi * simSettings.fn;
    computeGains();

    simSettings.x0 = -2.0;
    simSettings.y0 = 1.0;
    simSettings.theta0 = 0.0;
    simSettings.phi0 = 0.0;
    resetView();
    simSettings.lastKey = '0';
    settingsDialog();

    return initWindow(&argc, argv);
}
