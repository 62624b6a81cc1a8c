#include "platform/encoding.h"

extern "C" void terminalWrite(const char* text, size_t length);

// The page's terminal reads UTF-8.
ConsoleEncoding detectConsoleEncoding() {
    return EncodingUtf8;
}

// Nothing in the browser is written in CP932.
long toCp932(const char*, size_t, char*, size_t) {
    return -1;
}

void writeStandardOutput(const char* text, size_t length, ConsoleEncoding) {
    terminalWrite(text, length);
}
