#include "platform/console.h"

#include <cstdarg>
#include <cstdio>

static bool encodingChosen = false;
static ConsoleEncoding consoleEncoding = EncodingCp932;

void setConsoleEncoding(ConsoleEncoding encoding) {
    consoleEncoding = encoding;
    encodingChosen = true;
}

static void writeText(const char* text, size_t length) {
    if (!encodingChosen) setConsoleEncoding(detectConsoleEncoding());
    static char converted[16384];
    if (consoleEncoding == EncodingCp932) {
        const long n = toCp932(text, length, converted, sizeof converted);
        // A text that cannot be converted is still shown, as it stands.
        if (n >= 0) {
            text = converted;
            length = static_cast<size_t>(n);
        }
    }
    writeStandardOutput(text, length, consoleEncoding);
}

void consolePrintf(const char* format, ...) {
    static char formatted[8192];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(formatted, sizeof formatted, format, args);
    va_end(args);
    if (n < 0) return;
    const size_t length = static_cast<size_t>(n) < sizeof formatted ? static_cast<size_t>(n) : sizeof formatted - 1;
    writeText(formatted, length);
}
