// What the window shows of the runs: zoom, pan, phase-plane place and the
// animated samples, plus the mapping from world metres to window units.
#pragma once

struct ViewState {
    double zoom;          // window units per metre
    double panX, panY;    // window units
    double phaseOriginX;  // window units, centre of the phase plane
    double phaseOriginY;
    int animIndexP;       // sample shown of the P run
    int animIndexPI;      // sample shown of the PI run
};

extern ViewState viewState;

// Clears the pan; once, at start-up.
void resetView();

// The view every fresh set of runs starts from; the pan is kept.
void resetViewAfterRuns();

// Both animation indices back to sample 0.
void restartAnimation();

// Both animation indices on by two samples (0.04 s), each held within its own
// run of the mechanism shown.
void stepAnimation();

// World point (x, y) in metres to window units.
void worldToWindow(double x, double y, double window[2]);
