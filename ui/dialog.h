// The console dialog that sets the path, fn and zeta and the initial pose,
// then recomputes all six runs, resets the view and waits for a key.
#pragma once

// One pass. simSettings.lastKey chooses the sections: 'f' starts at the fn
// entry, 'h' asks only for the pose, anything else asks everything.
void settingsDialog();

// Prints the block of chosen conditions.
void printSettingsSummary();
