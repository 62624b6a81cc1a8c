// The console dialog that sets the path, fn and zeta, the initial pose and the
// vehicle as built, then recomputes all six runs, resets the view and waits for a key.
#pragma once

// One pass. simSettings.lastKey chooses the sections: 'f' starts at the fn
// entry, 'h' asks only for the pose, 'd' only about the vehicle, anything
// else asks for the path, fn and zeta and the pose.
void settingsDialog();

// Prints the block of chosen conditions.
void printSettingsSummary();
