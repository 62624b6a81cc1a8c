#include "display/window.h"

#include <GL/glut.h>

#include "display/scene.h"
#include "platform/window_system.h"
#include "ui/keys.h"

const char windowTitle[] =
    "1,2,3:機構選択, c:経路変更，h:初期状態変更，f:系のfn変更，P,I:P,PI制御，"
    "W,w:画面拡大縮小，x,X,y,Y:画面移動，z,Z:位相面移動，0:初期へ，s:継続，スペース:再生/停止，t:情報表示，d:外乱";

void openWindow(int* argc, char** argv) {
    glutInitWindowSize(800, 800);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);
    setWindowProperties(windowTitle);
    endWithWindow(onWindowStatus);
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    // Texts take the lit ambient colour; without this the first frame's
    // texts, drawn before any primitive, would come out in the current colour.
    glEnable(GL_LIGHTING);
}

int initWindow(int* argc, char** argv) {
    openWindow(argc, argv);
    glutMainLoop();
    return 0;
}

// Wide lines are clipped to the view volume, not to the viewport: without a
// scissor they would spill half their width into a letterbox margin.
static bool scissored = false;

// The largest centred square, so that a circle stays round; glClear still
// whitens the whole window, margins included.
void onReshape(int width, int height) {
    const int side = width < height ? width : height;
    const int left = (width - side) / 2, bottom = (height - side) / 2;
    glViewport(left, bottom, side, side);
    if (width != height) {
        glScissor(left, bottom, side, side);
        glEnable(GL_SCISSOR_TEST);
    } else if (scissored) {
        glDisable(GL_SCISSOR_TEST);
    }
    scissored = width != height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void clearFrame() {
    if (scissored) glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scissored) glEnable(GL_SCISSOR_TEST);
    glLoadIdentity();
}

void finishFrame() {
    glFlush();
    glutSwapBuffers();
}
