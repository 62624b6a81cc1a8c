// What the window system sees of the drawing window: its names, class and
// owner, the key presses queued for it, and its end from outside. On Windows:
// the title in UTF-16, the queued key messages, and the window closed.
#pragma once

// Title and icon name readable by every window manager (UTF-8 and compound
// text), WM_CLASS and _NET_WM_PID; for the current GLUT window.
void setWindowProperties(const char* title);

// Throws away the key presses and releases queued for the current window.
void dropQueuedKeys();

// Ends the process with status 0, through exit, once the window is gone: closed
// by another client or its connection killed. Needs the window open. GLUT's
// window status (GLUT_HIDDEN, GLUT_FULLY_RETAINED...) goes on to onStatus.
void endWithWindow(void (*onStatus)(int state));
