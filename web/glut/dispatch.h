// The page's side of GLUT (glut.js): the window on the page, and the events
// it queues for the program, delivered one callback at a time.
#pragma once

extern "C" {
void dispatchCreateWindow(const char* title, int width, int height);
// The rasteriser the page's address asks for (RasterMode).
int dispatchRequestedRaster();
void dispatchPostRedisplay();
void dispatchArmTimer(int slot, int milliseconds);
int dispatchElapsedMilliseconds();
// From now on the window takes keys and shows frames.
void dispatchStartWindow();
}
