// The program's frames drawn by the canvas rasteriser instead of a GL library:
// the dialog answered on standard input, then the keys given, then the frame
// written as a binary PPM, top row first, for comparison with the real window.
// Usage: agv_raster_frames OUT.ppm [key...]   (each key one character)
#include <GL/glut.h>
#include <GL/glx.h>

#include <cstdio>

#include "display/scene.h"
#include "display/view.h"
#include "display/window.h"
#include "sim/gains.h"
#include "sim/settings.h"
#include "ui/dialog.h"
#include "ui/keys.h"
#include "web/gl/raster.h"
#include "ppm.h"

static int windowWidth = 300, windowHeight = 300;

// The GLUT calls the drawing code makes, with the desktop window's size.
void glutInitWindowSize(int width, int height) {
    windowWidth = width;
    windowHeight = height;
}
void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int) {}
int glutCreateWindow(const char*) {
    rasterInit(RasterExact, windowWidth, windowHeight);
    return 1;
}
void glutDisplayFunc(void (*)(void)) {}
void glutReshapeFunc(void (*)(int, int)) {}
void glutKeyboardFunc(void (*)(unsigned char, int, int)) {}
void glutWindowStatusFunc(void (*)(int)) {}
void glutTimerFunc(unsigned int, void (*)(int), int) {}
void glutPostRedisplay(void) {}
void glutMainLoop(void) {}
void glutSwapBuffers(void) {
    rasterPresent();
}
// No X window: the title properties and queued-key checks find none.
Display* glXGetCurrentDisplay(void) {
    return nullptr;
}
GLXDrawable glXGetCurrentDrawable(void) {
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: agv_raster_frames OUT.ppm [key...]\n");
        return 2;
    }
    setStartupSettings();
    computeGains();
    resetView();
    settingsDialog();
    openWindow(&argc, argv);
    onReshape(windowWidth, windowHeight);
    for (int i = 2; i < argc; ++i) onKeyboard(static_cast<unsigned char>(argv[i][0]), 0, 0);
    onDisplay();
    return writePpm(argv[1], rasterPixels(), windowWidth, windowHeight, 4) ? 0 : 1;
}
