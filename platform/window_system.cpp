#include "platform/window_system.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

static char resourceName[] = "agvsim";
static char resourceClass[] = "Agvsim";

static Display* watchedDisplay = nullptr;
static Window watchedWindow = 0;
static XErrorHandler passOnError = nullptr;
static void (*passOnStatus)(int) = nullptr;

// The display and window GLUT draws into; null and 0 without a window.
static bool currentWindow(Display** display, Window* window) {
    *display = glXGetCurrentDisplay();
    *window = glXGetCurrentDrawable();
    return *display != nullptr && *window != 0;
}

static void setUtf8Property(Display* display, Window window, const char* name, const char* text) {
    XChangeProperty(display, window, XInternAtom(display, name, False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text),
                    static_cast<int>(std::strlen(text)));
}

// GLUT writes the title bytes into WM_NAME as if they were Latin-1; Xlib
// converts UTF-8 to compound text for window managers that read only WM_NAME.
void setWindowProperties(const char* title) {
    Display* display;
    Window window;
    if (!currentWindow(&display, &window)) {
        return;
    }
    XClassHint classHint;
    classHint.res_name = resourceName;
    classHint.res_class = resourceClass;
    Xutf8SetWMProperties(display, window, title, title, nullptr, 0, nullptr, nullptr, &classHint);
    setUtf8Property(display, window, "_NET_WM_NAME", title);
    setUtf8Property(display, window, "_NET_WM_ICON_NAME", title);
    long pid = static_cast<long>(getpid());  // format 32 properties travel as long
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XFlush(display);
}

void dropQueuedKeys() {
    Display* display;
    Window window;
    if (!currentWindow(&display, &window)) {
        return;
    }
    // Brings every event the server holds for the window into the queue.
    XSync(display, False);
    XEvent event;
    while (XCheckTypedWindowEvent(display, window, KeyPress, &event) ||
           XCheckTypedWindowEvent(display, window, KeyRelease, &event)) {
    }
}

// Requests that crossed the window's destruction fail on its id; the unmap
// reported before them ends the process, so they are not fatal.
static int onXError(Display* display, XErrorEvent* error) {
    bool windowGone = error->resourceid == watchedWindow &&
                      (error->error_code == BadWindow || error->error_code == BadDrawable);
    return windowGone ? 0 : passOnError(display, error);
}

static bool windowExists() {
    XWindowAttributes attributes;
    return XGetWindowAttributes(watchedDisplay, watchedWindow, &attributes) != 0;
}

// GLUT reports the unmap that precedes a destruction as the window hidden,
// and ignores the destruction itself.
static void onWindowStatus(int state) {
    if (state == GLUT_HIDDEN && watchedDisplay != nullptr && !windowExists()) {
        std::exit(0);
    }
    passOnStatus(state);
}

// The server dropped the connection: another client killed it (xkill), or
// the session ended. The window is gone either way, as after the close
// button. Exit handlers that touch the dead connection come back here.
static int onConnectionLost(Display*) {
    static bool ending = false;
    if (ending) {
        _exit(0);
    }
    ending = true;
    std::exit(0);
}

void endWithWindow(void (*onStatus)(int state)) {
    passOnStatus = onStatus;
    glutWindowStatusFunc(onWindowStatus);
    if (!currentWindow(&watchedDisplay, &watchedWindow)) {
        watchedDisplay = nullptr;
        return;
    }
    passOnError = XSetErrorHandler(onXError);
    XSetIOErrorHandler(onConnectionLost);
}
