#include "display/info_layer.h"

#include <GL/glut.h>

#include <cstdio>

#include "display/texts.h"
#include "display/view.h"
#include "sim/record.h"
#include "sim/run_figures.h"
#include "sim/settings.h"

static constexpr float kLeft = -0.95f;
static constexpr float kFirstLine = -0.75f;
static constexpr float kLineStep = 0.05f;
static constexpr double kPhaseHalf = 0.3;  // window units, the phase frame's half-size

static bool shown = false;
static RunFigures figures[3][3];  // [mechanism index][law]

void toggleInfoLayer() {
    shown = !shown;
}

bool infoLayerShown() {
    return shown;
}

void refreshRunFigures() {
    for (int m = 0; m < 3; ++m) {
        for (int law = ControlP; law <= ControlPI; ++law) computeRunFigures(m, law, &figures[m][law]);
    }
}

static void line(float x, float y, const char* text) {
    drawText(x, y, GLUT_BITMAP_HELVETICA_18, text);
}

// "%.Nf" of value, or "-" when it is missing.
static void optional(char* out, size_t size, bool present, const char* format, double value) {
    if (present) {
        std::snprintf(out, size, format, value);
    } else {
        std::snprintf(out, size, "-");
    }
}

// dd as the phase plane plots it: on the circle the negative of errD.
static double finalPlotD(int m, int law) {
    return trajectoryRecord.track[law][m][trajectoryRecord.lastSample[m][law]].plotD;
}

static void lawLine(float y, const char* name, const RunFigures& f, double finalDd) {
    char design[32];
    char text[200];
    optional(design, sizeof design, f.designSettles, "%.2f", f.designSettle);
    if (f.settles) {
        char overshoot[32];
        optional(overshoot, sizeof overshoot, f.hasOvershoot, "%.3f", f.overshoot);
        std::snprintf(text, sizeof text,
                      "%s: settles at %.2f s (design %s s), overshoot %s m, %.2f s at the steering limit",
                      name, f.settle, design, overshoot, f.atLimit);
    } else {
        std::snprintf(text, sizeof text,
                      "%s: does not settle (design %s s), final dd %+.3f m, %.2f s at the steering limit",
                      name, design, finalDd, f.atLimit);
    }
    line(kLeft, y, text);
}

static void drawSampleLines(int m, int law) {
    const int k = law == ControlP ? viewState.animIndexP : viewState.animIndexPI;
    const TrackingSample& track = trajectoryRecord.track[law][m][k];
    const VehicleState& state = trajectoryRecord.state[law][m][k];
    char text[160];
    std::snprintf(text, sizeof text, "t = %5.2f s", k * kSampleInterval);
    line(kLeft, kFirstLine, text);
    std::snprintf(text, sizeof text, "dd = %+.3f m   dth = %+.3f rad   phi = %+.3f rad", track.plotD,
                  track.errTheta, state.phi);
    line(kLeft, kFirstLine - kLineStep, text);
}

static void drawPhaseScale() {
    const double ox = viewState.phaseOriginX;
    const double oy = viewState.phaseOriginY;
    line(static_cast<float>(ox - kPhaseHalf - 0.06), static_cast<float>(oy - 0.02), "-1");
    line(static_cast<float>(ox + kPhaseHalf + 0.01), static_cast<float>(oy - 0.02), "1");
    line(static_cast<float>(ox + 0.01), static_cast<float>(oy - kPhaseHalf + 0.01), "-3.14");
    line(static_cast<float>(ox + 0.01), static_cast<float>(oy + kPhaseHalf - 0.045), "3.14");
    line(static_cast<float>(ox + 0.2), static_cast<float>(oy - 0.05), "[m]");
}

void drawInfoLayer() {
    if (!shown) return;
    const int m = simSettings.mechanism - 1;
    const int law = simSettings.controlLaw;
    if (m >= 0 && m <= 2) {
        if (law == ControlP || law == ControlPI) drawSampleLines(m, law);
        lawLine(kFirstLine - 2 * kLineStep, "P ", figures[m][ControlP], finalPlotD(m, ControlP));
        lawLine(kFirstLine - 3 * kLineStep, "PI", figures[m][ControlPI], finalPlotD(m, ControlPI));
    }
    drawPhaseScale();
}
