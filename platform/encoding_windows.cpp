#include "platform/encoding.h"

#include <cstdio>
#include <windows.h>

#include "platform/console_device.h"

constexpr UINT kCp932 = 932;

// A console is written in UTF-16, which shows the Japanese whatever its code
// page; pipes and files get CP932, the code page of Japanese Windows.
ConsoleEncoding detectConsoleEncoding() {
    return standardOutputIsConsole() ? EncodingUtf8 : EncodingCp932;
}

// Windows converts through UTF-16; a character CP932 lacks fails the whole text.
long toCp932(const char* text, size_t length, char* out, size_t capacity) {
    static wchar_t wide[16384];
    if (length == 0) return 0;
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(length),
                                               wide, sizeof wide / sizeof wide[0]);
    if (wideLength <= 0) return -1;
    BOOL defaulted = FALSE;
    const int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide, wideLength, out,
                                      static_cast<int>(capacity), nullptr, &defaulted);
    if (n <= 0 || defaulted) return -1;
    return n;
}

static bool writeConsoleUnicode(const char* text, size_t length) {
    static wchar_t wide[16384];
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide,
                                               sizeof wide / sizeof wide[0]);
    if (wideLength <= 0) return false;
    DWORD written;
    return WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide, static_cast<DWORD>(wideLength), &written,
                         nullptr) != 0;
}

void writeStandardOutput(const char* text, size_t length, ConsoleEncoding encoding) {
    std::fflush(stdout);  // keeps the order with anything printed through stdio
    if (encoding == EncodingUtf8 && length > 0 && standardOutputIsConsole() && writeConsoleUnicode(text, length))
        return;
    std::fwrite(text, 1, length, stdout);
    std::fflush(stdout);
}
