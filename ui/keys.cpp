#include "ui/keys.h"

#include <GL/glut.h>

#include <cstdlib>

#include "display/scene.h"
#include "display/view.h"
#include "sim/settings.h"
#include "ui/dialog.h"

static constexpr unsigned char kEscape = 27;
static constexpr double kPanStep = 0.05;
static constexpr double kZoomFactor = 0.9;

static void showMechanism(int mechanism) {
    simSettings.mechanism = mechanism;
    restartAnimation();
}

static void showLaw(int law) {
    restartAnimation();
    simSettings.controlLaw = law;
}

// The dialog recomputes the runs; the window asks for a repaint at once
// rather than showing the old runs until the next key.
static void runDialog() {
    restartAnimation();
    settingsDialog();
    glutPostRedisplay();
}

// Applies a view or selection key; false for keys that change nothing.
static bool applyKey(unsigned char key) {
    switch (key) {
    case '1': showMechanism(Mech2DW1C); return true;
    case '2': showMechanism(Mech1FDW1FS); return true;
    case '3': showMechanism(Mech1RDW1FS); return true;
    case 'P': showLaw(ControlP); return true;
    case 'I': showLaw(ControlPI); return true;
    case 's': stepAnimation(); return true;
    case '0': restartAnimation(); return true;
    case 'x': viewState.panX -= kPanStep; return true;
    case 'X': viewState.panX += kPanStep; return true;
    case 'y': viewState.panY -= kPanStep; return true;
    case 'Y': viewState.panY += kPanStep; return true;
    case 'w': viewState.zoom *= kZoomFactor; return true;
    case 'W': viewState.zoom /= kZoomFactor; return true;
    case 'z': viewState.phaseOriginX -= kPanStep; return true;
    case 'Z': viewState.phaseOriginX += kPanStep; return true;
    default: return false;
    }
}

void onKeyboard(unsigned char key, int, int) {
    simSettings.lastKey = static_cast<char>(key);
    if (key == kEscape) {
        std::exit(0);
    }
    if (key == 'c' || key == 'f' || key == 'h') {
        runDialog();
        return;
    }
    if (applyKey(key)) {
        onDisplay();
    }
}
