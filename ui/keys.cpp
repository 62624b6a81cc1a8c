#include "ui/keys.h"

#include <GL/glut.h>

#include <cstdlib>

#include "display/info_layer.h"
#include "display/playback.h"
#include "display/scene.h"
#include "display/view.h"
#include "platform/key_read.h"
#include "platform/window_system.h"
#include "sim/settings.h"
#include "ui/dialog.h"

static constexpr unsigned char kEscape = 27;
static constexpr unsigned char kPlayKey = ' ';
static constexpr double kPanStep = 0.05;
static constexpr double kZoomFactor = 0.9;

// Only the timer armed last acts: a pause and a new start leave one chain.
static int timerGeneration = 0;

static void onPlaybackTimer(int generation);

// No timer while paused, so a paused window costs no CPU.
static void armPlaybackTimer() {
    if (isPlaying() && !isPlaybackHeld()) {
        glutTimerFunc(static_cast<unsigned>(millisecondsToNextStep()), onPlaybackTimer,
                      ++timerGeneration);
    }
}

// A slow frame leaves several steps due; they are drawn as one frame.
static void onPlaybackTimer(int generation) {
    if (generation != timerGeneration) {
        return;
    }
    if (advancePlayback() > 0) {
        onDisplay();
    }
    armPlaybackTimer();
}

// A step still pending when the window hides is dropped with its chain.
void onWindowStatus(int state) {
    bool hidden = state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED;
    if (hidden == isPlaybackHeld()) return;
    holdPlayback(hidden);
    ++timerGeneration;
    armPlaybackTimer();
}

static void togglePlayback() {
    if (isPlaying()) {
        stopPlayback();
        return;
    }
    if (startPlayback()) {
        onDisplay();
    }
    armPlaybackTimer();
}

static void showMechanism(int mechanism) {
    simSettings.mechanism = mechanism;
    rewindPlayback();
}

static void showLaw(int law) {
    rewindPlayback();
    simSettings.controlLaw = law;
}

// The dialog recomputes the runs; the window asks for a repaint at once
// rather than showing the old runs until the next key. Keys pressed in the
// window meanwhile were meant for a picture that no longer exists.
static void runDialog() {
    stopPlayback();
    showConsoleNotice();
    restartAnimation();
    setTerminalQuiet(false);
    settingsDialog();
    setTerminalQuiet(true);
    dropQueuedKeys();
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
    case '0': rewindPlayback(); return true;
    case 'x': viewState.panX -= kPanStep; return true;
    case 'X': viewState.panX += kPanStep; return true;
    case 'y': viewState.panY -= kPanStep; return true;
    case 'Y': viewState.panY += kPanStep; return true;
    case 'w': viewState.zoom *= kZoomFactor; return true;
    case 'W': viewState.zoom /= kZoomFactor; return true;
    case 'z': viewState.phaseOriginX -= kPanStep; return true;
    case 'Z': viewState.phaseOriginX += kPanStep; return true;
    case 't': toggleInfoLayer(); return true;
    default: return false;
    }
}

void onKeyboard(unsigned char key, int, int) {
    simSettings.lastKey = static_cast<char>(key);
    if (key == kEscape) {
        std::exit(0);
    }
    if (key == 'c' || key == 'f' || key == 'h' || key == 'd') {
        runDialog();
        return;
    }
    if (key == kPlayKey) {
        togglePlayback();
        return;
    }
    if (applyKey(key)) {
        onDisplay();
    }
}
