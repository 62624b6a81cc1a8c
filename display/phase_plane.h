// The phase plane of the runs of the mechanism shown: heading error (dth)
// against path offset (dd), in a frame placed at the view's phase origin.
#pragma once

#include "figures/primitives.h"

// mechanism 1..3 and controlLaw as in the settings; the indices are the
// animated samples of the P and PI runs.
void drawPhasePlane(int mechanism, int controlLaw, int indexP, int indexPI);

// Frame and both axes about origin (window units).
void drawPhaseFrame(const double origin[2]);

// One run's curve (mechanism index m 0..2, law ControlP or ControlPI), with
// a gap wherever the wrapped heading error jumps by pi or more, cut at the
// frame's edges.
void drawPhaseTrajectory(const double origin[2], double sx, double sy, double width, int m, int law,
                         const RgbaColor* colour);
