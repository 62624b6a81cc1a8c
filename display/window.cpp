#include "display/window.h"

#include <GL/glut.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <GL/glx.h>
#include <X11/Xlib.h>
#endif

#include <cstring>

#include "display/scene.h"
#include "ui/keys.h"

const char windowTitle[] =
    "1,2,3:機構選択, c:経路変更，h:初期状態変更，f:系のfn変更，P,I:P,PI制御，"
    "W,w:画面拡大縮小，x,X,y,Y:画面移動，z,Z:位相面移動，0:初期へ，s:継続";

#ifdef _WIN32
// GLUT hands the title bytes to Windows in the ANSI code page; the UTF-16 text
// shows as written whatever that code page is. GLUT's window procedure is an
// ANSI one, through which SetWindowTextW would pass the text in that code page
// again, so the title goes straight to the default procedure's Unicode side.
static void setUtf8WindowName(const char* title) {
    HDC context = wglGetCurrentDC();
    HWND window = context ? WindowFromDC(context) : nullptr;
    if (window == nullptr) {
        return;
    }
    wchar_t wide[512];
    if (MultiByteToWideChar(CP_UTF8, 0, title, -1, wide, sizeof wide / sizeof wide[0]) > 0) {
        DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
    }
}
#else
// GLUT puts the title bytes into WM_NAME as Latin-1; window managers read
// _NET_WM_NAME first, so the UTF-8 title shows as written.
static void setUtf8WindowName(const char* title) {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, netWmName, utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    XFlush(display);
}
#endif

void openWindow(int* argc, char** argv) {
    glutInitWindowSize(800, 800);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);
    setUtf8WindowName(windowTitle);
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

void onReshape(int width, int height) {
    glViewport(0, 0, width, height);
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
