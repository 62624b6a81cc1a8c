// What the page reads from the program for its hooks, its link and its CSV.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/playback.h"
#include "display/view.h"
#include "sim/imperfections.h"
#include "sim/run.h"
#include "sim/settings.h"
#include "tools/common/csv_rows.h"

extern "C" {

// mechanism, controlLaw, animIndexP, animIndexPI, playing
EMSCRIPTEN_KEEPALIVE const int* agvWebView() {
    static int view[5];
    view[0] = simSettings.mechanism;
    view[1] = simSettings.controlLaw;
    view[2] = viewState.animIndexP;
    view[3] = viewState.animIndexPI;
    view[4] = isPlaying() ? 1 : 0;
    return view;
}

// pathKind, fn, zeta, x0, y0, theta0 (rad), then the vehicle's values in
// force and their defaults, each in the order of agvWebVehicleNames.
EMSCRIPTEN_KEEPALIVE const double* agvWebSettings() {
    static double settings[6 + 2 * kImperfectionFields];
    settings[0] = simSettings.pathKind;
    settings[1] = simSettings.fn;
    settings[2] = simSettings.zeta;
    settings[3] = simSettings.x0;
    settings[4] = simSettings.y0;
    settings[5] = simSettings.theta0;
    const VehicleImperfections defaults = defaultImperfections();
    for (int field = 0; field < kImperfectionFields; ++field) {
        settings[6 + field] = imperfection(vehicleImperfections, field);
        settings[6 + kImperfectionFields + field] = imperfection(defaults, field);
    }
    return settings;
}

// "speedFactor,wheelbase,...": the names links give the vehicle's values.
EMSCRIPTEN_KEEPALIVE const char* agvWebVehicleNames() {
    static char names[200];
    names[0] = '\0';
    for (int field = 0; field < kImperfectionFields; ++field) {
        if (field > 0) std::strcat(names, ",");
        std::strcat(names, kImperfectionNames[field].name);
    }
    return names;
}

// The rows agvsim-export writes for the settings in force, all six runs;
// the text stays valid until the next call. Its length goes to *length.
EMSCRIPTEN_KEEPALIVE const char* agvWebCsv(int* length) {
    static char* text = nullptr;
    static size_t size = 0;
    std::free(text);
    text = nullptr;
    FILE* out = open_memstream(&text, &size);
    if (!out) return nullptr;
    writeCsvHeader(out, false);
    for (int m = 0; m < 3; ++m) {
        runMechanism(m, simSettings.pathKind);
        for (int law = ControlP; law <= ControlPI; ++law) writeCsvRun(out, m, law, false);
    }
    std::fclose(out);
    *length = static_cast<int>(size);
    return text;
}

}
