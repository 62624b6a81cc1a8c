#include "display/window.h"

#include <GL/glut.h>

#include "display/scene.h"
#include "platform/window_system.h"
#include "ui/keys.h"

const char windowTitle[] =
    "1,2,3:機構選択, c:経路変更，h:初期状態変更，f:系のfn変更，P,I:P,PI制御，"
    "W,w:画面拡大縮小，x,X,y,Y:画面移動，z,Z:位相面移動，0:初期へ，s:継続，スペース:再生/停止，t:情報表示";

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

// The largest centred square, so that a circle stays round; glClear still
// whitens the whole window, margins included.
void onReshape(int width, int height) {
    int side = width < height ? width : height;
    glViewport((width - side) / 2, (height - side) / 2, side, side);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void clearFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void finishFrame() {
    glFlush();
    glutSwapBuffers();
}
