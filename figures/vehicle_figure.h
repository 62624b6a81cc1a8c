// The plan-view figure of the mechanism shown, at one recorded pose.
#pragma once

#include "figures/primitives.h"

// position in world metres; theta, phi in radians.
void drawVehicleFigures(const double position[2], double theta, double phi, const RgbaColor* bodyColour);
