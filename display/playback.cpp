#include "display/playback.h"

#include <chrono>
#include <cmath>

#include "display/view.h"
#include "sim/record.h"
#include "sim/settings.h"

static constexpr double kStepSeconds = 0.04;  // simulated time of one 's' step
// Times that meet a step's due time up to rounding count as meeting it.
static constexpr double kDueTolerance = 1e-9;  // steps
static constexpr double kMsTolerance = 1e-6;   // ms

static double steadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

static PlaybackClock playbackClock = steadySeconds;
static bool playing = false;
static double startSeconds = 0.0;  // clock reading the paced steps count from
static long stepsTaken = 0;        // paced steps applied since then
static bool held = false;
static double heldSince = 0.0;  // clock reading

void setPlaybackClock(PlaybackClock clock) {
    playbackClock = clock;
}

bool isPlaying() {
    return playing;
}

// Both indices stand at their runs' last samples; a mechanism outside 1..3
// has no runs to play.
static bool atEnd() {
    int m = simSettings.mechanism - 1;
    if (m < 0 || m > 2) {
        return true;
    }
    const int* last = trajectoryRecord.lastSample[m];
    return viewState.animIndexP >= last[ControlP] && viewState.animIndexPI >= last[ControlPI];
}

static void restartClock() {
    startSeconds = playbackClock();
    heldSince = startSeconds;
    stepsTaken = 0;
}

void holdPlayback(bool hold) {
    if (hold == held) return;
    held = hold;
    if (held) {
        heldSince = playbackClock();
    } else {
        startSeconds += playbackClock() - heldSince;
    }
}

bool isPlaybackHeld() {
    return held;
}

bool startPlayback() {
    bool restarted = atEnd();
    if (restarted) {
        restartAnimation();
    }
    restartClock();
    playing = true;
    return restarted;
}

void stopPlayback() {
    playing = false;
}

void rewindPlayback() {
    restartAnimation();
    if (playing) {
        restartClock();
    }
}

static long stepsDue() {
    double elapsed = (playbackClock() - startSeconds) / kStepSeconds;
    return static_cast<long>(std::floor(elapsed + kDueTolerance)) - stepsTaken;
}

int advancePlayback() {
    if (!playing || held) {
        return 0;
    }
    int applied = 0;
    // The end check bounds the loop however long the process was held up.
    for (long due = stepsDue(); due > 0 && !atEnd(); --due) {
        stepAnimation();
        ++stepsTaken;
        ++applied;
    }
    if (atEnd()) {
        playing = false;
    }
    return applied;
}

int millisecondsToNextStep() {
    double next = startSeconds + (stepsTaken + 1) * kStepSeconds;
    double ms = std::ceil((next - playbackClock()) * 1000.0 - kMsTolerance);
    return ms < 1.0 ? 1 : static_cast<int>(ms);
}
