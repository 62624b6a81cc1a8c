// The information layer, toggled by 't': the time and errors of the sample
// shown, the run figures of each law for the mechanism shown, and the phase
// plane's scale. Off at start; with it off nothing of it is drawn.
#pragma once

void toggleInfoLayer();
bool infoLayerShown();

// Computes the run figures of all six runs; once per simulation, not per frame.
void refreshRunFigures();

// Drawn last in a frame, in the window's bitmap font.
void drawInfoLayer();
