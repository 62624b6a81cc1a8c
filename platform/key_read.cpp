#include "platform/key_read.h"

#include <cstdio>

#include "platform/console_device.h"

static bool isLineBreak(int c) {
    return c == '\n' || c == '\r';
}

static int readStreamKey() {
    int c;
    do c = std::getc(stdin);
    while (isLineBreak(c));
    return c == EOF ? kNoKey : c;
}

static int readKeyAt(bool consoleEnterAnswers) {
    int key;
    if (readConsoleKey(consoleEnterAnswers, &key)) return key;
    return readStreamKey();
}

int readKey() {
    return readKeyAt(false);
}

// On a pipe a line break still ends each scripted answer, so it is never the key.
int readAnyKey() {
    return readKeyAt(true);
}
