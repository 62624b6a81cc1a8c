#include "platform/encoding.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <strings.h>

#include "platform/console_device.h"

ConsoleEncoding chooseConsoleEncoding(bool isTerminal, const char* codeset) {
    if (isTerminal && codeset && std::strcmp(codeset, "UTF-8") == 0) return EncodingUtf8;
    return EncodingCp932;
}

static bool namesUtf8Codeset(const char* localeName) {
    const char* dot = localeName ? std::strchr(localeName, '.') : nullptr;
    if (!dot) return false;
    const char* codeset = dot + 1;
    const size_t length = std::strcspn(codeset, "@");
    return (length == 5 && strncasecmp(codeset, "UTF-8", 5) == 0) || (length == 4 && strncasecmp(codeset, "utf8", 4) == 0);
}

ConsoleEncoding chooseEncodingByName(bool isTerminal, const char* localeName) {
    return isTerminal && namesUtf8Codeset(localeName) ? EncodingUtf8 : EncodingCp932;
}

// The name setlocale would have used: the first of these that is set and not empty.
static const char* localeNameFromEnvironment() {
    static const char* const variables[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    for (const char* variable : variables) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return nullptr;
}

ConsoleEncoding detectConsoleEncoding() {
    if (!standardOutputIsConsole()) return EncodingCp932;
    // Ask the user's locale without leaving it switched on for the rest of the program.
    char saved[256] = "C";
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (current) std::strncpy(saved, current, sizeof saved - 1);
    const ConsoleEncoding chosen = std::setlocale(LC_CTYPE, "")
                                       ? chooseConsoleEncoding(true, nl_langinfo(CODESET))
                                       : chooseEncodingByName(true, localeNameFromEnvironment());
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
