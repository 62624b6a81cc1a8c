// The shortest decimal text that reads back to the same double, in the form
// std::to_chars gives it: fixed or scientific, whichever is shorter (fixed
// on a tie), exponents as "e-05" or "e+20".
#pragma once

constexpr int kShortestNumberCapacity = 32;  // bytes, the terminating null included

// Writes the text of value into text; returns its length.
int formatShortest(double value, char text[kShortestNumberCapacity]);

// The same, found through printf and strtod alone, for C++ libraries whose
// to_chars does not take a double; formatShortest uses it there.
int formatShortestPortable(double value, char text[kShortestNumberCapacity]);
