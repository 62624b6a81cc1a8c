// GLUT for the page: the program's callbacks, called by the page's event
// dispatcher (glut.js), which runs one callback at a time to its end.
#include <GL/glut.h>
#include <emscripten.h>

#include "web/gl/raster.h"
#include "web/glut/dispatch.h"

constexpr int kTimerSlots = 64;  // timers armed at once; the program keeps one chain

struct TimerSlot {
    void (*callback)(int);
    int value;
};

static struct {
    int width = 300, height = 300;  // GLUT's default size
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    TimerSlot timers[kTimerSlots] = {};
} glutState;

void glutInit(int*, char**) {}

void glutInitWindowSize(int width, int height) {
    glutState.width = width;
    glutState.height = height;
}

void glutInitDisplayMode(unsigned int) {}

int glutCreateWindow(const char* title) {
    dispatchCreateWindow(title, glutState.width, glutState.height);
    rasterInit(dispatchRequestedRaster(), glutState.width, glutState.height);
    return 1;
}

void glutDisplayFunc(void (*callback)()) {
    glutState.display = callback;
}

void glutReshapeFunc(void (*callback)(int, int)) {
    glutState.reshape = callback;
}

void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    glutState.keyboard = callback;
}

// A page is never hidden the way a window is unmapped; the status never changes.
void glutWindowStatusFunc(void (*)(int)) {}

void glutPostRedisplay() {
    dispatchPostRedisplay();
}

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        if (glutState.timers[slot].callback) continue;
        glutState.timers[slot] = {callback, value};
        dispatchArmTimer(slot, static_cast<int>(milliseconds));
        return;
    }
}

int glutGet(GLenum state) {
    switch (state) {
    case GLUT_WINDOW_WIDTH: return glutState.width;
    case GLUT_WINDOW_HEIGHT: return glutState.height;
    case GLUT_ELAPSED_TIME: return dispatchElapsedMilliseconds();
    default: return 0;
    }
}

void glutSwapBuffers() {
    rasterPresent();
}

// The browser runs the loop: the dispatcher takes over once main returns.
void glutMainLoop() {
    dispatchStartWindow();
}

extern "C" {

EMSCRIPTEN_KEEPALIVE void agvGlutReshape(int width, int height) {
    glutState.width = width;
    glutState.height = height;
    rasterResize(width, height);
    if (glutState.reshape) glutState.reshape(width, height);
}

EMSCRIPTEN_KEEPALIVE void agvGlutDisplay() {
    if (glutState.display) glutState.display();
}

EMSCRIPTEN_KEEPALIVE void agvGlutKeyboard(int key) {
    if (glutState.keyboard) glutState.keyboard(static_cast<unsigned char>(key), 0, 0);
}

EMSCRIPTEN_KEEPALIVE void agvGlutTimer(int slot) {
    if (slot < 0 || slot >= kTimerSlots || !glutState.timers[slot].callback) return;
    const TimerSlot due = glutState.timers[slot];
    glutState.timers[slot] = {};
    due.callback(due.value);
}

}
