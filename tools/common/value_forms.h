// The values an option takes where a grid of settings is asked for: one
// number, a comma list "A,B,C", or a range "START:STOP:STEP".
#pragma once

constexpr int kMaxListValues = 64;

struct ValueForm {
    bool varies;   // a list or a range, even of one value
    bool isRange;
    long count;    // values in the form
    double list[kMaxListValues];  // single value or list
    double start, step;           // range
};

// Reads text as option's value; false after the option's error line.
bool readValueForm(const char* option, const char* text, ValueForm* form);

// The i-th value, 0 <= i < count; a range's is START + i*STEP to 12 significant digits.
double formValue(const ValueForm& form, long i);
