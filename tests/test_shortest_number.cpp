// The browser's number text, found without to_chars, against to_chars itself.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "tools/common/shortest_number.h"

static std::string viaToChars(double value) {
    char text[64];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

static std::string viaPortable(double value) {
    char text[kShortestNumberCapacity];
    const int length = formatShortestPortable(value, text);
    EXPECT_EQ(static_cast<size_t>(length), std::strlen(text));
    return text;
}

TEST(ShortestNumber, ChosenFormsMatchToChars) {
    const double values[] = {0.0, -0.0, 1.0, -1.0, 0.1, 0.02, 1e-4, 1e-5, 123456.0, 1e15, 1e16, 1e21,
                             1.5e300, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
                             9007199254740993.0, 0.30000000000000004, 100.0, 12345678901234567890.0,
                             -2.0, 57.2957795, 0.0174532925 * -30.0, 3.14159265358979, 1e23, 8.41e21};
    for (double value : values) EXPECT_EQ(viaPortable(value), viaToChars(value)) << value;
}

// Random bit patterns cover every exponent; the run's own kind of numbers
// (small multiples and sums of sample intervals) cover the common digits.
TEST(ShortestNumber, MatchesToCharsOnManyDoubles) {
    std::mt19937_64 random(18);
    int differing = 0;
    for (int i = 0; i < 300000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        if (viaPortable(value) != viaToChars(value) && ++differing < 10) ADD_FAILURE() << viaToChars(value);
    }
    std::uniform_real_distribution<double> uniform(-10.0, 10.0);
    for (int i = 0; i < 300000; ++i) {
        const double value = i % 2 ? uniform(random) : (i / 2) * 0.02;
        if (viaPortable(value) != viaToChars(value) && ++differing < 10) ADD_FAILURE() << viaToChars(value);
    }
    EXPECT_EQ(differing, 0);
}
