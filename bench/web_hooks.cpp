// What the browser benchmark drives inside the page: the six runs alone, and the
// view of the longest run at its first or its last sample.
#include <emscripten.h>

#include "bench/longest_run.h"
#include "sim/run.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE void agvBenchSimulate(int pathKind) {
    runAllMechanisms(pathKind);
}

EMSCRIPTEN_KEEPALIVE int agvBenchShowLongestRun(int atEnd) {
    return showLongestRun(atEnd != 0);
}

}
