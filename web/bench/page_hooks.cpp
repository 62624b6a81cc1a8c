// What the bench asks of the program on the page: to take the settings and
// the runs its worker made, as a pass of the console dialog would leave them,
// but keeping the zoom, the pan and the phase plane where they are.
#include <GL/glut.h>
#include <emscripten.h>

#include "display/info_layer.h"
#include "display/playback.h"
#include "web/bench/bench_run.h"

extern "C" {

// input: the kBenchInputs values the worker accepted; packed: its result.
// Between callbacks only. The animation goes back to sample 0, playing on if
// it played.
EMSCRIPTEN_KEEPALIVE int agvWebBenchApply(const double* input, const double* packed) {
    if (applyBenchInput(input).refusal != kAccepted) return 0;
    unpackBenchRecord(packed);
    refreshRunFigures();
    rewindPlayback();
    glutPostRedisplay();
    return 1;
}

}
