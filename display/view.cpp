#include "display/view.h"

#include "sim/record.h"
#include "sim/settings.h"

static constexpr int kAnimationStep = 2;

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

void restartAnimation() {
    viewState.animIndexP = 0;
    viewState.animIndexPI = 0;
}

// Upper bound first, then lower: an empty run still ends at 0.
static int clampToRun(int index, int last) {
    if (index > last) index = last;
    if (index < 0) index = 0;
    return index;
}

void stepAnimation() {
    int m = simSettings.mechanism - 1;
    viewState.animIndexP += kAnimationStep;
    viewState.animIndexPI += kAnimationStep;
    if (m < 0 || m > 2) {
        return;
    }
    viewState.animIndexP = clampToRun(viewState.animIndexP, trajectoryRecord.lastSample[m][ControlP]);
    viewState.animIndexPI = clampToRun(viewState.animIndexPI, trajectoryRecord.lastSample[m][ControlPI]);
}

void worldToWindow(double x, double y, double window[2]) {
    window[0] = (x - 2.0) * viewState.zoom + viewState.panX;
    window[1] = (y - 0.5) * viewState.zoom + viewState.panY;
}
