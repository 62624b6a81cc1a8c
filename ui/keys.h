// Single-key commands of the drawing window.
#pragma once

// GLUT keyboard callback; the mouse position is not used.
void onKeyboard(unsigned char key, int mouseX, int mouseY);
