#include "platform/console_device.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <stdio_ext.h>
#include <termios.h>
#include <unistd.h>

#include "platform/key_read.h"
#include "platform/process.h"

static struct termios savedTermios;
static struct termios keyTermios;
static volatile sig_atomic_t keyModeOn = 0;

static const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kEndingSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];
static struct sigaction previousEnding[kEndingSignalCount];
static struct sigaction previousStop;

static void restoreTerminal() {
    if (!keyModeOn) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTermios);
    keyModeOn = 0;
}

static void setHandler(int signalNumber, void (*handler)(int), struct sigaction* previous) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, previous);
}

// Puts the terminal back, then lets the signal end the process as it would have.
static void onEndingSignal(int signalNumber) {
    restoreTerminal();
    setHandler(signalNumber, SIG_DFL, nullptr);
    raise(signalNumber);  // delivered, with the default action, once this handler returns
}

static void onStopSignal(int);

// Ctrl-Z: stop with the user's settings in place, take the key mode up again on resumption.
static void onStopSignal(int) {
    const int savedErrno = errno;
    restoreTerminal();
    setHandler(SIGTSTP, SIG_DFL, nullptr);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    raise(SIGTSTP);
    setHandler(SIGTSTP, onStopSignal, nullptr);
    keyModeOn = 1;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &keyTermios);
    errno = savedErrno;
}

static void installHandlers() {
    for (int i = 0; i < kEndingSignalCount; ++i)
        setHandler(kEndingSignals[i], onEndingSignal, &previousEnding[i]);
    setHandler(SIGTSTP, onStopSignal, &previousStop);
}

static void removeHandlers() {
    for (int i = 0; i < kEndingSignalCount; ++i) sigaction(kEndingSignals[i], &previousEnding[i], nullptr);
    sigaction(SIGTSTP, &previousStop, nullptr);
}

static bool isLineBreak(int c) {
    return c == '\n' || c == '\r';
}

static int readTerminalKey(bool enterAnswers) {
    static bool exitHookSet = false;
    if (!exitHookSet) exitHookSet = std::atexit(restoreTerminal) == 0;
    keyTermios = savedTermios;
    keyTermios.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    keyTermios.c_cc[VMIN] = 1;
    keyTermios.c_cc[VTIME] = 0;
    installHandlers();
    keyModeOn = 1;
    // TCSAFLUSH discards what was typed ahead; the stdio buffer may hold more of it,
    // such as the Enter that ended a number entry.
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &keyTermios);
    __fpurge(stdin);
    unsigned char key = 0;
    ssize_t n;
    do n = read(STDIN_FILENO, &key, 1);
    while ((n < 0 && errno == EINTR) || (n == 1 && !enterAnswers && isLineBreak(key)));
    restoreTerminal();
    removeHandlers();
    return n == 1 ? key : kNoKey;
}

bool readConsoleKey(bool enterAnswers, int* key) {
    if (!standardInputIsConsole() || tcgetattr(STDIN_FILENO, &savedTermios) != 0) return false;
    *key = readTerminalKey(enterAnswers);
    return true;
}

bool standardInputIsConsole() {
    return isatty(STDIN_FILENO) == 1;
}

bool standardOutputIsConsole() {
    return isatty(STDOUT_FILENO) == 1;
}

// A job in the background must neither stop on SIGTTOU at its end nor take
// the input of the job in the foreground; -1: not this process's terminal.
static bool ownsTerminalInput() {
    const pid_t foreground = tcgetpgrp(STDIN_FILENO);
    return foreground == -1 || foreground == getpgrp();
}

void discardConsoleInput() {
    if (ownsTerminalInput()) tcflush(STDIN_FILENO, TCIFLUSH);
}

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

// A job in the background would stop on SIGTTOU; -1: not this process's terminal.
static bool inForeground() {
    if (!isatty(STDIN_FILENO)) return false;
    const pid_t foreground = tcgetpgrp(STDIN_FILENO);
    return foreground == -1 || foreground == getpgrp();
}

// Line editing stays on; only the echo goes, so the terminal looks as usual.
void setTerminalQuiet(bool quiet) {
    static bool exitHookSet = false;
    if ((keyModeOn != 0) == quiet || !inForeground()) return;
    if (!quiet) {
        restoreTerminal();
        tcflush(STDIN_FILENO, TCIFLUSH);
        removeHandlers();
        return;
    }
    if (tcgetattr(STDIN_FILENO, &savedTermios) != 0) return;
    if (!exitHookSet) exitHookSet = std::atexit(restoreTerminal) == 0;
    keyTermios = savedTermios;
    keyTermios.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    installHandlers();
    keyModeOn = 1;
    tcsetattr(STDIN_FILENO, TCSANOW, &keyTermios);
}
