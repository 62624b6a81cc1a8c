// Number entry from standard input: numbers as scanf's "%lf" reads them,
// separated by any white space, line breaks included, taken whole or not at all.
#pragma once

constexpr int kMaxEntryNumbers = 8;
constexpr int kUnusableCapacity = 160;

enum NumberEntryEnd { EntryComplete, EntryRefused, EntryEndOfInput };

struct NumberEntry {
    NumberEntryEnd end;
    // When refused: the text that could not be used, from the first token
    // that is not a number (or the first surplus number) to the end of its
    // line; control characters shown as '?', cut at the capacity with "...".
    char unusable[kUnusableCapacity];
};

// Reads count (at most kMaxEntryNumbers) numbers, waiting until all of them
// or something that is not a number arrived, then the rest of the line that
// holds the last one. values is written only when the entry is complete:
// a token that is not a number, or more numbers on that line than asked for,
// refuses the whole entry and consumes the rest of its line, so that it
// cannot answer a later question.
NumberEntry readNumbers(double values[], int count);
