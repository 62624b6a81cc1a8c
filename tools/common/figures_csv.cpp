#include "tools/common/figures_csv.h"

#include <cstdio>

#include "tools/common/run_options.h"
#include "tools/common/shortest_number.h"

void writeFiguresHeader() {
    std::fputs("mech,law,settle,designSettle,overshoot,finalD,iae,peakPhi,atLimit,endT\n", stdout);
}

static void cell(bool present, double value) {
    char text[kShortestNumberCapacity];
    std::putchar(',');
    if (!present) return;
    formatShortest(value, text);
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
