// One complete frame: corner texts, grid, path, both trajectories of the
// mechanism shown, the animation of the law shown and the phase plane.
#pragma once

#include "figures/primitives.h"

// The GLUT display callback; also called directly by the key handler.
void onDisplay();

// The frame onDisplay shows, drawn into the back buffer and not shown, so
// that it can be read back before the swap leaves the back buffer undefined.
void composeFrame();

// The frame shown now with a boxed note that the console waits for answers,
// drawn and shown; for the moment the dialog takes the input.
void showConsoleNotice();

// Black grid of 2n + 1 lines each way about centre (window units), rotated
// by angle (radians); the two lines through the centre 2 px wide, others 1 px.
void drawGrid(const double centre[2], double angle, int n, double dx, double dy);

// A dot of fixed window size at a world point (metres).
void drawSampleDot(const double point[2], const RgbaColor* colour);

// A disc of radius r metres at a world point; scales with the zoom.
void drawWorldDisc(const double point[2], double r, const RgbaColor* colour);
