#include "tools/common/csv_rows.h"

#include "sim/design_curve.h"
#include "sim/record.h"
#include "sim/settings.h"
#include "tools/common/run_options.h"
#include "tools/common/shortest_number.h"

void writeCsvHeader(FILE* out, bool design) {
    std::fputs("mech,law,k,t,dist,theta,x,y,phi,kappa,pathParam,"
               "refArc,refTheta,refX,refY,refPhi,track_kappa,track_pathParam,"
               "errD,errTheta,errPhi,plotD",
               out);
    std::fputs(design ? ",designD,designTheta\n" : "\n", out);
}

#ifdef AGV_EXPORT_17_DIGITS
// A test build keeps the earlier fixed 17 significant digits to compare against.
static void writeNumbers(FILE* out, const double* values, int count) {
    for (int i = 0; i < count; ++i) std::fprintf(out, ",%.17g", values[i]);
}
#else
static void writeNumbers(FILE* out, const double* values, int count) {
    char text[kShortestNumberCapacity + 1];
    for (int i = 0; i < count; ++i) {
        text[0] = ',';
        formatShortest(values[i], text + 1);
        std::fputs(text, out);
    }
}
#endif

void writeCsvRun(FILE* out, int mechanismIndex, int law, bool design) {
    if (design) computeDesignCurve(mechanismIndex, law);
    for (int k = 0; k <= trajectoryRecord.lastSample[mechanismIndex][law]; ++k) {
        const VehicleState& s = trajectoryRecord.state[law][mechanismIndex][k];
        const TrackingSample& r = trajectoryRecord.track[law][mechanismIndex][k];
        const double values[] = {k * kSampleInterval, s.dist, s.theta, s.x, s.y, s.phi,
                                 s.kappa, s.pathParam, r.refArc, r.refTheta, r.refX, r.refY,
                                 r.refPhi, r.kappa, r.pathParam, r.errD, r.errTheta, r.errPhi,
                                 r.plotD};
        std::fprintf(out, "%s,%s,%d", kMechanismNames[mechanismIndex], kLawNames[law - 1], k);
        writeNumbers(out, values, sizeof values / sizeof values[0]);
        if (design) {
            const double curve[] = {designCurve.d[k], designCurve.theta[k]};
            writeNumbers(out, curve, 2);
        }
        std::fputc('\n', out);
    }
}
