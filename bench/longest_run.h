// The longest run, 1FDW1FS under PI (3000 samples), chosen for the window and
// shown at its first or its last sample; the frame benchmarks draw it.
#pragma once

#include "display/view.h"
#include "sim/record.h"
#include "sim/settings.h"

// Returns the run's samples.
inline int showLongestRun(bool atEnd) {
    simSettings.mechanism = Mech1FDW1FS;
    simSettings.controlLaw = ControlPI;
    const int m = Mech1FDW1FS - 1;
    viewState.animIndexP = atEnd ? trajectoryRecord.lastSample[m][ControlP] : 0;
    viewState.animIndexPI = atEnd ? trajectoryRecord.lastSample[m][ControlPI] : 0;
    return trajectoryRecord.lastSample[m][ControlPI] + 1;
}
