#include "platform/window_system.h"

#include <windows.h>

#include <GL/glut.h>

// The window GLUT draws into: the one of the current GL device context.
static HWND currentWindow() {
    HDC context = wglGetCurrentDC();
    return context ? WindowFromDC(context) : nullptr;
}

// GLUT hands the title bytes to Windows in the ANSI code page. Its window
// procedure is an ANSI one, through which SetWindowTextW would pass the text
// in that code page again, so the UTF-16 title goes straight to the default
// procedure, which keeps it as it is whatever the code page.
void setWindowProperties(const char* title) {
    HWND window = currentWindow();
    if (window == nullptr) {
        return;
    }
    wchar_t wide[512];
    if (MultiByteToWideChar(CP_UTF8, 0, title, -1, wide, sizeof wide / sizeof wide[0]) > 0) {
        DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide));
    }
}

void dropQueuedKeys() {
    HWND window = currentWindow();
    if (window == nullptr) {
        return;
    }
    MSG message;
    while (PeekMessageW(&message, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

// The close button and Alt+F4 send WM_CLOSE, upon which freeglut leaves its
// main loop through exit(0) already; no other client can take the window away.
void endWithWindow(void (*onStatus)(int state)) {
    glutWindowStatusFunc(onStatus);
}
