// The recording stand-in's WGL call: no current device context, so the title stays GLUT's.
#include <windows.h>

#include "tests/gl_recorder.h"

HDC WINAPI wglGetCurrentDC(void) {
    recorderLogCall("wglGetCurrentDC");
    return nullptr;
}
