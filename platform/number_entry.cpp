#include "platform/number_entry.h"

#include <cstdio>
#include <unistd.h>

static void discardRestOfLine() {
    int c;
    do c = std::getc(stdin);
    while (c != '\n' && c != EOF);
}

NumberEntry readNumbers(double values[], int count) {
    // A Ctrl-D typed at an earlier entry does not end the terminal for good.
    if (isatty(STDIN_FILENO)) std::clearerr(stdin);
    NumberEntry entry = {0, EntryComplete};
    while (entry.numbersRead < count) {
        double value;
        const int converted = std::fscanf(stdin, "%lf", &value);
        if (converted == 1) {
            values[entry.numbersRead++] = value;
            continue;
        }
        if (converted == EOF) {
            entry.end = EntryEndOfInput;
        } else {
            entry.end = EntryNotANumber;
            discardRestOfLine();
        }
        break;
    }
    return entry;
}
