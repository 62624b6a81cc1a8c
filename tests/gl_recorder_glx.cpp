// The recording stand-in's GLX calls: no current display, so the title stays GLUT's.
#include <GL/glx.h>

#include "tests/gl_recorder.h"

Display* glXGetCurrentDisplay(void) {
    recorderLogCall("glXGetCurrentDisplay");
    return nullptr;
}

GLXDrawable glXGetCurrentDrawable(void) {
    recorderLogCall("glXGetCurrentDrawable");
    return 0;
}
