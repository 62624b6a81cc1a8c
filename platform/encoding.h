// Console text encoding: sources hold UTF-8, the console gets CP932
// (Shift-JIS) unless a UTF-8 terminal is reading.
#pragma once

#include <cstddef>

enum ConsoleEncoding { EncodingCp932, EncodingUtf8 };

// A terminal under a UTF-8 locale reads UTF-8; pipes and files get CP932.
// These two are POSIX's: Windows writes its console in UTF-16 instead.
ConsoleEncoding chooseConsoleEncoding(bool isTerminal, const char* codeset);

// The same choice from a locale name such as "ja_JP.UTF-8" or "en_US.utf8@euro",
// for when the locale is not installed and cannot be asked.
ConsoleEncoding chooseEncodingByName(bool isTerminal, const char* localeName);

// The encoding for standard output, decided once from its terminal and the
// locale; on Windows, UTF-8 when standard output is a console.
ConsoleEncoding detectConsoleEncoding();

// Converts UTF-8 text to CP932. Returns the bytes written to out, or -1 when
// the text cannot be converted or does not fit.
long toCp932(const char* text, size_t length, char* out, size_t capacity);

// Writes text, in the given encoding, to standard output and flushes it.
void writeStandardOutput(const char* text, size_t length, ConsoleEncoding encoding);
