#include "tools/common/shortest_number.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr int kMaxSignificantDigits = 17;  // always enough for a double

// The digits of value rounded to precision significant digits, and the
// decimal exponent of the first one; true when they read back to value.
static bool roundedDigits(double value, int precision, char digits[kMaxSignificantDigits + 1], int* exponent) {
    char text[kShortestNumberCapacity + 8];
    std::snprintf(text, sizeof text, "%.*e", precision - 1, value);
    if (std::strtod(text, nullptr) != value) return false;
    int n = 0;
    const char* p = text;
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits[n++] = *p;
    while (n > 1 && digits[n - 1] == '0') --n;
    digits[n] = '\0';
    *exponent = std::atoi(p + 1);
    return true;
}

static int writeScientific(const char* digits, int exponent, char* out) {
    int n = 0;
    out[n++] = digits[0];
    if (digits[1] != '\0') {
        out[n++] = '.';
        for (const char* d = digits + 1; *d; ++d) out[n++] = *d;
    }
    n += std::snprintf(out + n, 8, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return n;
}

static int writeFixed(double value, const char* digits, int exponent, char* out) {
    const int count = static_cast<int>(std::strlen(digits));
    int n = 0;
    if (exponent < 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = -1; i > exponent; --i) out[n++] = '0';
        for (int i = 0; i < count; ++i) out[n++] = digits[i];
        return n;
    }
    // A whole number is written out exactly, as to_chars does, not padded with zeros.
    if (exponent + 1 >= count) return std::snprintf(out, kShortestNumberCapacity * 12, "%.0f", value);
    for (int i = 0; i < count; ++i) {
        if (i == exponent + 1) out[n++] = '.';
        out[n++] = digits[i];
    }
    return n;
}

int formatShortestPortable(double value, char text[kShortestNumberCapacity]) {
    int n = 0;
    if (std::signbit(value)) text[n++] = '-';
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0 || !std::isfinite(magnitude)) {
        const char* word = magnitude == 0.0 ? "0" : std::isnan(magnitude) ? "nan" : "inf";
        return n + std::snprintf(text + n, kShortestNumberCapacity - n, "%s", word);
    }
    char digits[kMaxSignificantDigits + 1] = "0";
    int exponent = 0;
    for (int precision = 1; precision <= kMaxSignificantDigits; ++precision)
        if (roundedDigits(magnitude, precision, digits, &exponent)) break;
    char fixed[kShortestNumberCapacity * 12];
    char scientific[kShortestNumberCapacity];
    const int fixedLength = writeFixed(magnitude, digits, exponent, fixed);
    const int scientificLength = writeScientific(digits, exponent, scientific);
    const bool useFixed = fixedLength <= scientificLength;
    const char* chosen = useFixed ? fixed : scientific;
    const int length = useFixed ? fixedLength : scientificLength;
    std::memcpy(text + n, chosen, static_cast<size_t>(length));
    text[n + length] = '\0';
    return n + length;
}

int formatShortest(double value, char text[kShortestNumberCapacity]) {
#if defined(__cpp_lib_to_chars) || (defined(__GLIBCXX__) && !defined(__EMSCRIPTEN__))
    std::to_chars_result end = std::to_chars(text, text + kShortestNumberCapacity - 1, value);
    *end.ptr = '\0';
    return static_cast<int>(end.ptr - text);
#else
    return formatShortestPortable(value, text);
#endif
}
