// The bench worker's entry points: the page's messages, answered by the
// simulation's own code (bench_run) in a WebAssembly instance of its own.
#include <emscripten.h>

#include "web/bench/bench_run.h"

static double input[kBenchInputs];
static double packed[kMaxPackedMechanism];
static int packedLength;

extern "C" {

// Where the page writes its kBenchInputs values before each call.
EMSCRIPTEN_KEEPALIVE double* agvBenchInput() { return input; }

// 0 when the mechanism's two runs are made and packed, else the BenchRefusal;
// the input refused goes to *refused.
EMSCRIPTEN_KEEPALIVE int agvBenchRun(int mechanismIndex, int* refused) {
    const BenchVerdict verdict = runBenchMechanism(input, mechanismIndex);
    *refused = verdict.input;
    if (verdict.refusal == kAccepted) packedLength = packBenchMechanism(mechanismIndex, packed);
    return verdict.refusal;
}

EMSCRIPTEN_KEEPALIVE const double* agvBenchPacked(int* length) {
    *length = packedLength;
    return packed;
}

// 1 with settle (NaN if never), atLimit and endT in out, 0 when refused.
EMSCRIPTEN_KEEPALIVE int agvBenchCell(int mechanism, int law, double* out) {
    return benchMapCell(input, mechanism, law, out) ? 1 : 0;
}

}
