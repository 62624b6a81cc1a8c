#include "tools/common/value_forms.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/common/run_options.h"

// A range's last value may pass STOP by this many STEPs: rounding, not a value.
constexpr double kRangeSlack = 1e-9;
constexpr double kCountCeiling = 1e15;  // beyond any grid; keeps the count a long

static double roundTo12Digits(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", v);
    return std::strtod(text, nullptr);
}

// One finite number from text[0, length).
static bool readPart(const char* option, const char* text, size_t length, double* value) {
    char part[64];
    if (length == 0 || length >= sizeof part) return failOption(option, "not a number");
    std::memcpy(part, text, length);
    part[length] = '\0';
    char* end = nullptr;
    *value = std::strtod(part, &end);
    if (end == part || *end != '\0') return failOption(option, "not a number");
    if (!std::isfinite(*value)) return failOption(option, "not a finite number");
    return true;
}

static long rangeCount(const ValueForm& f, double stop) {
    const double limit = stop + kRangeSlack * f.step;
    const double span = (stop - f.start) / f.step;
    if (!(span < kCountCeiling)) return static_cast<long>(kCountCeiling);
    long n = static_cast<long>(std::floor(span)) + 1;
    while (formValue(f, n) <= limit) ++n;
    while (n > 1 && formValue(f, n - 1) > limit) --n;
    return n;
}

static bool readRange(const char* option, const char* text, ValueForm* f) {
    const char* first = std::strchr(text, ':');
    const char* second = std::strchr(first + 1, ':');
    if (second == nullptr || std::strchr(second + 1, ':') != nullptr)
        return failOption(option, "a range is START:STOP:STEP");
    double stop = 0.0;
    if (!readPart(option, text, first - text, &f->start) ||
        !readPart(option, first + 1, second - first - 1, &stop) ||
        !readPart(option, second + 1, std::strlen(second + 1), &f->step))
        return false;
    if (!(f->step > 0.0)) return failOption(option, "a range's STEP must be above 0");
    if (stop < f->start) return failOption(option, "a range's STOP must not be below its START");
    f->isRange = true;
    f->count = rangeCount(*f, stop);
    return true;
}

static bool readList(const char* option, const char* text, ValueForm* f) {
    f->count = 0;
    for (const char* p = text;; ++f->count) {
        const char* comma = std::strchr(p, ',');
        const size_t length = comma ? static_cast<size_t>(comma - p) : std::strlen(p);
        if (f->count == kMaxListValues) return failOption(option, "a list takes at most 64 values");
        if (!readPart(option, p, length, &f->list[f->count])) return false;
        if (comma == nullptr) break;
        p = comma + 1;
    }
    ++f->count;
    return true;
}

bool readValueForm(const char* option, const char* text, ValueForm* form) {
    *form = {};
    if (text == nullptr) return failOption(option, "missing value");
    form->varies = std::strpbrk(text, ",:") != nullptr;
    if (std::strchr(text, ':') != nullptr) return readRange(option, text, form);
    if (form->varies) return readList(option, text, form);
    form->count = 1;
    return readPart(option, text, std::strlen(text), &form->list[0]);
}

double formValue(const ValueForm& form, long i) {
    if (form.isRange) return roundTo12Digits(form.start + static_cast<double>(i) * form.step);
    return form.list[i];
}
