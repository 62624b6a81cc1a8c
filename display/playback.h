// Playing the shown runs in real time: the animation moves on one 's' step
// (two samples, 0.04 s) for every 0.04 s of wall-clock time.
#pragma once

// Seconds on a monotonic clock, any origin.
using PlaybackClock = double (*)();

// The clock pacing the playback; steady_clock unless replaced.
void setPlaybackClock(PlaybackClock clock);

bool isPlaying();

// Plays from now on; when both runs already show their last samples it
// starts again from sample 0 and returns true (the picture changed).
bool startPlayback();

void stopPlayback();

// Both animation indices back to sample 0; while playing, the steps count
// again from now, so sample 0 shows for a whole step.
void rewindPlayback();

// Applies every step that fell due since the last call, all at once, and
// stops at the end of both runs. Returns the number of steps applied.
int advancePlayback();

// Held (the window hidden): no step falls due, and the time held is not made
// up for when the hold ends.
void holdPlayback(bool held);
bool isPlaybackHeld();

// Milliseconds until the next step falls due, at least 1.
int millisecondsToNextStep();
