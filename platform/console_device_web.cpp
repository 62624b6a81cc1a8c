#include "platform/console_device.h"

#include <cstdio>
#include <stdio_ext.h>

#include "platform/process.h"

extern "C" {
int terminalReadKey(int enterAnswers);
void terminalDiscardInput();
}

// The page's terminal is standard input and output alike.
bool standardInputIsConsole() {
    return true;
}

bool standardOutputIsConsole() {
    return true;
}

bool readConsoleKey(bool enterAnswers, int* key) {
    // stdio may still hold what a number entry left, such as its Enter.
    __fpurge(stdin);
    *key = terminalReadKey(enterAnswers ? 1 : 0);
    return true;
}

void discardConsoleInput() {
    terminalDiscardInput();
}

// The three descriptors are the terminal from the start.
void openClosedStandardDescriptors() {}

// The page's terminal never echoes on its own: keys reach it only as answers.
void setTerminalQuiet(bool) {}
