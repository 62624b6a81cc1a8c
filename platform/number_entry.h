// Number entry from standard input with the meaning of scanf's "%lf":
// numbers separated by any white space, line breaks included.
#pragma once

enum NumberEntryEnd { EntryComplete, EntryNotANumber, EntryEndOfInput };

struct NumberEntry {
    int numbersRead;     // values[0 .. numbersRead) hold what was read
    NumberEntryEnd end;  // why the entry stopped
};

// Reads up to count numbers into values, waiting until all of them or
// something that is not a number arrived. Values not read are left as they
// were. After text that is not a number, the rest of that line is discarded,
// so that it cannot answer a later question.
NumberEntry readNumbers(double values[], int count);
