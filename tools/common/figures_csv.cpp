#include "tools/common/figures_csv.h"

#include <charconv>
#include <cstdio>

#include "tools/common/run_options.h"

void shortestText(double value, char* text) {
    std::to_chars_result end = std::to_chars(text, text + 31, value);
    *end.ptr = '\0';
}

void writeFiguresHeader() {
    std::fputs("mech,law,settle,designSettle,overshoot,finalD,iae,peakPhi,atLimit,endT\n", stdout);
}

static void cell(bool present, double value) {
    char text[32];
    std::putchar(',');
    if (!present) return;
    shortestText(value, text);
    std::fputs(text, stdout);
}

void writeFiguresRow(const char* prefix, int mechanismIndex, int law, const RunFigures& f) {
    std::printf("%s%s,%s", prefix, kMechanismNames[mechanismIndex], kLawNames[law - 1]);
    cell(f.settles, f.settle);
    cell(f.designSettles, f.designSettle);
    cell(f.hasOvershoot, f.overshoot);
    cell(true, f.finalD);
    cell(true, f.iae);
    cell(true, f.peakPhi);
    cell(true, f.atLimit);
    cell(true, f.endT);
    std::putchar('\n');
}
