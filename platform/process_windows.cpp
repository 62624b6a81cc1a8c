#include "platform/process.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <windows.h>

// A program started without one of its standard handles has a descriptor
// that writes nowhere and reads nothing, or none at all.
static bool isOpen(int fd) {
    const intptr_t handle = _get_osfhandle(fd);
    return handle != -1 && handle != -2;
}

void openClosedStandardDescriptors() {
    if (!isOpen(0)) std::freopen("NUL", "r", stdin);
    if (!isOpen(1)) std::freopen("NUL", "w", stdout);
    if (!isOpen(2)) std::freopen("NUL", "w", stderr);
}

static bool isConsole(DWORD standardHandle) {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

// The console's input buffer is shared with the command prompt that started
// the program, which would otherwise run what was typed meanwhile.
static void leaveConsole() {
    if (isConsole(STD_INPUT_HANDLE)) FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
    if (isConsole(STD_OUTPUT_HANDLE)) {
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void leaveConsoleCleanlyAtExit() {
    std::atexit(leaveConsole);
}
