// What the browser benchmark drives inside the page: the six runs alone, and the
// view of the longest run (1FDW1FS under PI) at its first or its last sample.
#include <emscripten.h>

#include "display/view.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE void agvBenchSimulate(int pathKind) {
    runAllMechanisms(pathKind);
}

// Returns the samples of the run.
EMSCRIPTEN_KEEPALIVE int agvBenchShowLongestRun(int atEnd) {
    simSettings.mechanism = Mech1FDW1FS;
    simSettings.controlLaw = ControlPI;
    const int m = Mech1FDW1FS - 1;
    viewState.animIndexP = atEnd ? trajectoryRecord.lastSample[m][ControlP] : 0;
    viewState.animIndexPI = atEnd ? trajectoryRecord.lastSample[m][ControlPI] : 0;
    return trajectoryRecord.lastSample[m][ControlPI] + 1;
}

}
