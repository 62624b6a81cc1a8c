#include "platform/process.h"

#include <cstdio>
#include <cstdlib>

#include "platform/console_device.h"

static void leaveConsole() {
    if (standardInputIsConsole()) discardConsoleInput();
    if (standardOutputIsConsole()) {
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void leaveConsoleCleanlyAtExit() {
    std::atexit(leaveConsole);
}
