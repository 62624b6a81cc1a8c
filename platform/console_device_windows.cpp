#include "platform/console_device.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <windows.h>

#include "platform/key_read.h"
#include "platform/process.h"

static HANDLE keyInput = INVALID_HANDLE_VALUE;
static DWORD savedMode = 0;
static volatile LONG keyModeOn = 0;

// Called from the key read, at exit and from the console's control thread,
// so only the first caller restores.
static void restoreConsole() {
    if (InterlockedExchange(&keyModeOn, 0) != 0) SetConsoleMode(keyInput, savedMode);
}

static void restoreConsoleAtExit() {
    restoreConsole();
}

// Ctrl-C, Ctrl-Break, the close button, log-off: the mode goes back before
// the default handling ends the process.
static BOOL WINAPI onConsoleControl(DWORD) {
    restoreConsole();
    return FALSE;
}

static bool isLineBreak(int c) {
    return c == '\n' || c == '\r';
}

// A key that types a character; Shift, Ctrl and the like alone type none.
static int typedCharacter(const INPUT_RECORD& record) {
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) return 0;
    const wchar_t c = record.Event.KeyEvent.uChar.UnicodeChar;
    if (c == 0) return 0;
    // Enter comes as a POSIX terminal gives it. The answers are ASCII; any
    // other character stays an answer without passing for one.
    if (c == '\r') return '\n';
    return c < 0x80 ? c : '?';
}

static int readKeyFromConsole(bool enterAnswers) {
    static bool hooksSet = false;
    if (!hooksSet) {
        hooksSet = std::atexit(restoreConsoleAtExit) == 0;
        SetConsoleCtrlHandler(onConsoleControl, TRUE);
    }
    InterlockedExchange(&keyModeOn, 1);
    SetConsoleMode(keyInput, savedMode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    // Typed-ahead keys are no answer; msvcrt's fflush empties stdin's buffer,
    // which may hold the Enter that ended a number entry.
    FlushConsoleInputBuffer(keyInput);
    std::fflush(stdin);
    int key = kNoKey;
    INPUT_RECORD record;
    DWORD read = 0;
    while (ReadConsoleInputW(keyInput, &record, 1, &read) && read == 1) {
        const int c = typedCharacter(record);
        if (c == 0 || (!enterAnswers && isLineBreak(c))) continue;
        key = c;
        break;
    }
    restoreConsole();
    return key;
}

bool readConsoleKey(bool enterAnswers, int* key) {
    keyInput = GetStdHandle(STD_INPUT_HANDLE);
    if (!GetConsoleMode(keyInput, &savedMode)) return false;
    *key = readKeyFromConsole(enterAnswers);
    return true;
}

static bool isConsole(DWORD standardHandle) {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

bool standardInputIsConsole() {
    return isConsole(STD_INPUT_HANDLE);
}

bool standardOutputIsConsole() {
    return isConsole(STD_OUTPUT_HANDLE);
}

// The console's input buffer is shared with the command prompt that started
// the program, which would otherwise run what was typed meanwhile.
void discardConsoleInput() {
    FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
}

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

// The console echoes only while a read runs, and none runs while the window
// has the keys; what was typed meanwhile is dropped before the next dialog.
void setTerminalQuiet(bool quiet) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!quiet && GetConsoleMode(input, &mode)) FlushConsoleInputBuffer(input);
}
