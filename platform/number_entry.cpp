#include "platform/number_entry.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/console_device.h"

// Longer than any number anybody types; a longer token is refused, not cut.
constexpr size_t kTokenCapacity = 512;

static bool isSpace(int c) {
    return c != EOF && std::isspace(c);
}

static int skipSpace() {
    int c;
    do c = std::getc(stdin);
    while (isSpace(c));
    return c;
}

// Reads the token that starts with first; returns the character after it.
static int readToken(int first, char token[kTokenCapacity], bool* tooLong) {
    size_t length = 0;
    *tooLong = false;
    int c = first;
    for (; c != EOF && !isSpace(c); c = std::getc(stdin)) {
        if (length + 1 < kTokenCapacity)
            token[length++] = static_cast<char>(c);
        else
            *tooLong = true;
    }
    token[length] = '\0';
    return c;
}

static bool parseNumber(const char* token, double* value) {
    char* end = nullptr;
    *value = std::strtod(token, &end);
    return end != token && *end == '\0';
}

// Keeps quoted text printable: a terminal must not act on typed control characters.
static void appendUnusable(NumberEntry& entry, int c, size_t* length, bool* cut) {
    if (*cut) return;
    if (*length + 4 >= sizeof entry.unusable) {
        // Drop a UTF-8 sequence the cut would split.
        while (*length > 0 && (static_cast<unsigned char>(entry.unusable[*length - 1]) & 0xC0) == 0x80) --*length;
        if (*length > 0 && static_cast<unsigned char>(entry.unusable[*length - 1]) >= 0xC0) --*length;
        std::memcpy(entry.unusable + *length, "...", 3);
        *length += 3;
        *cut = true;
        return;
    }
    if (isSpace(c)) c = ' ';
    if (c < 0x20 || c == 0x7F) c = '?';
    entry.unusable[(*length)++] = static_cast<char>(c);
}

// Consumes the rest of the line from c, the character after the last token,
// quoting first and what follows it without the white space around them.
static void takeRestOfLine(NumberEntry& entry, const char* first, int c) {
    size_t length = 0;
    bool cut = false;
    for (const char* p = first; *p; ++p) appendUnusable(entry, static_cast<unsigned char>(*p), &length, &cut);
    for (; c != '\n' && c != EOF; c = std::getc(stdin)) {
        if (length > 0 || !isSpace(c)) appendUnusable(entry, c, &length, &cut);
    }
    while (length > 0 && entry.unusable[length - 1] == ' ') --length;
    entry.unusable[length] = '\0';
}

NumberEntry readNumbers(double values[], int count) {
    // A Ctrl-D typed at an earlier entry does not end the terminal for good.
    if (standardInputIsConsole()) std::clearerr(stdin);
    NumberEntry entry = {EntryComplete, ""};
    if (count > kMaxEntryNumbers) count = kMaxEntryNumbers;
    double read[kMaxEntryNumbers];
    char token[kTokenCapacity];
    int after = '\n';
    for (int n = 0; n < count; ++n) {
        const int first = skipSpace();
        if (first == EOF) {
            entry.end = EntryEndOfInput;
            return entry;
        }
        bool tooLong;
        after = readToken(first, token, &tooLong);
        if (tooLong || !parseNumber(token, &read[n])) {
            entry.end = EntryRefused;
            takeRestOfLine(entry, token, after);
            return entry;
        }
    }
    takeRestOfLine(entry, "", after);
    if (entry.unusable[0] != '\0') {
        entry.end = EntryRefused;
        return entry;
    }
    for (int n = 0; n < count; ++n) values[n] = read[n];
    return entry;
}
