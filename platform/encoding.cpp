#include "platform/encoding.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

ConsoleEncoding chooseConsoleEncoding(bool isTerminal, const char* codeset) {
    if (isTerminal && codeset && std::strcmp(codeset, "UTF-8") == 0) return EncodingUtf8;
    return EncodingCp932;
}

ConsoleEncoding detectConsoleEncoding() {
    const bool terminal = isatty(STDOUT_FILENO) == 1;
    if (!terminal) return EncodingCp932;
    // Ask the user's locale without leaving it switched on for the rest of the program.
    char saved[256] = "C";
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (current) std::strncpy(saved, current, sizeof saved - 1);
    std::setlocale(LC_CTYPE, "");
    const ConsoleEncoding chosen = chooseConsoleEncoding(true, nl_langinfo(CODESET));
    std::setlocale(LC_CTYPE, saved);
    return chosen;
}

long toCp932(const char* text, size_t length, char* out, size_t capacity) {
    static iconv_t converter = (iconv_t)-1;
    if (converter == (iconv_t)-1) converter = iconv_open("CP932", "UTF-8");
    if (converter == (iconv_t)-1) return -1;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char* to = out;
    size_t outLeft = capacity;
    if (iconv(converter, &in, &inLeft, &to, &outLeft) == (size_t)-1) return -1;
    if (iconv(converter, nullptr, nullptr, &to, &outLeft) == (size_t)-1) return -1;
    return static_cast<long>(capacity - outLeft);
}

void writeStandardOutput(const char* text, size_t length, ConsoleEncoding) {
    std::fwrite(text, 1, length, stdout);
    std::fflush(stdout);
}
