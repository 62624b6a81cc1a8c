// The drawing window: GLUT set-up and main loop, the reshape callback, and
// the steps that open and close every frame.
#pragma once

// Window title: the key summary, UTF-8.
extern const char windowTitle[];

// Opens the 800 x 800 window, names it for the window manager, registers the
// callbacks and sets the GL state every frame starts from; argc and argv go to
// GLUT unchanged. From then on the process ends when the window is gone.
void openWindow(int* argc, char** argv);

// openWindow, then the GLUT main loop.
int initWindow(int* argc, char** argv);

void onReshape(int width, int height);

// White background, identity modelview.
void clearFrame();
// Flush and show the back buffer.
void finishFrame();
