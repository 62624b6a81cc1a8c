// Single-key commands of the drawing window.
#pragma once

// GLUT keyboard callback; the mouse position is not used.
void onKeyboard(unsigned char key, int mouseX, int mouseY);

// GLUT window-status callback: while the window is hidden or iconified,
// playback draws nothing and holds its place in simulated time.
void onWindowStatus(int state);
