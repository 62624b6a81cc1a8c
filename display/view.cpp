#include "display/view.h"

ViewState viewState;

void resetView() {
    viewState.panX = 0.0;
    viewState.panY = 0.0;
}

void resetViewAfterRuns() {
    viewState.zoom = 0.2;
    viewState.animIndexPI = 0;
    viewState.animIndexP = 0;
    viewState.phaseOriginX = 0.6;
    viewState.phaseOriginY = 0.55;
}

void worldToWindow(double x, double y, double window[2]) {
    window[0] = (x - 2.0) * viewState.zoom + viewState.panX;
    window[1] = (y - 0.5) * viewState.zoom + viewState.panY;
}
