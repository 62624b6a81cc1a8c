#include "platform/process.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

void openClosedStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is this one, as the lower ones are open by now.
        const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}

// A job in the background must neither stop on SIGTTOU at its end nor take
// the input of the job in the foreground; -1: not this process's terminal.
static bool ownsTerminalInput() {
    const pid_t foreground = tcgetpgrp(STDIN_FILENO);
    return foreground == -1 || foreground == getpgrp();
}

static void leaveConsole() {
    if (isatty(STDIN_FILENO) && ownsTerminalInput()) tcflush(STDIN_FILENO, TCIFLUSH);
    if (isatty(STDOUT_FILENO)) {
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}

void leaveConsoleCleanlyAtExit() {
    std::atexit(leaveConsole);
}
