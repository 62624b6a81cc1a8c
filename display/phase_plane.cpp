#include "display/phase_plane.h"

#include <GL/glut.h>

#include <cmath>
#include <utility>

#include "display/texts.h"
#include "display/view.h"
#include "sim/record.h"
#include "sim/settings.h"

static constexpr double kHalfWidth = 0.3;
static constexpr double kHalfHeight = 0.3;
static constexpr double kFrameWidth = 0.006;
static constexpr double kCurveWidth = 0.005;
static constexpr double kMarkerRadius = 0.01;

static void plotPoint(const double origin[2], double sx, double sy, const TrackingSample& sample,
                      double out[2]) {
    out[0] = origin[0] + sx * sample.plotD;
    out[1] = origin[1] + sy * sample.errTheta;
}

static void label(double x, double y, const char* text) {
    drawText(static_cast<float>(x), static_cast<float>(y), GLUT_BITMAP_HELVETICA_18, text);
}

static void drawLabels(const double origin[2]) {
    double ox = origin[0];
    double oy = origin[1];
    label(ox + 0.1, oy - 0.05, "dd(t)");
    label(ox - 0.1, oy + 0.3 - 0.1, "dth[rad]");
    label(ox - 0.11, oy + 0.38, "blue :P-Control");
    label(ox - 0.11, oy + 0.33, "green:PI-Control");
    label(ox - 0.2, oy - 0.35, "(dd,dth) Phase Plane");
}

// A sample on an edge (dth of exactly pi) counts as inside despite rounding.
static constexpr double kEdgeTolerance = 1e-12;  // window units

static bool insideFrame(const double origin[2], const double p[2]) {
    return std::fabs(p[0] - origin[0]) <= kHalfWidth + kEdgeTolerance &&
           std::fabs(p[1] - origin[1]) <= kHalfHeight + kEdgeTolerance;
}

// Narrows the parameter range [*t0, *t1] of p + t (q - p) to the side where
// start + t * delta stays within [low, high]; false when nothing is left.
static bool clipAxis(double start, double delta, double low, double high, double* t0, double* t1) {
    if (delta == 0.0) return start >= low && start <= high;
    double a = (low - start) / delta;
    double b = (high - start) / delta;
    if (a > b) std::swap(a, b);
    if (a > *t0) *t0 = a;
    if (b < *t1) *t1 = b;
    return *t0 <= *t1;
}

// The part of segment p-q inside the frame, drawn; a segment wholly inside
// is passed on untouched.
static void drawClipped(const double origin[2], const double p[2], const double q[2], double width,
                        const RgbaColor* colour) {
    if (insideFrame(origin, p) && insideFrame(origin, q)) {
        drawSegment(p, q, width, colour);
        return;
    }
    double t0 = 0.0;
    double t1 = 1.0;
    double dx = q[0] - p[0];
    double dy = q[1] - p[1];
    if (!clipAxis(p[0], dx, origin[0] - kHalfWidth, origin[0] + kHalfWidth, &t0, &t1) ||
        !clipAxis(p[1], dy, origin[1] - kHalfHeight, origin[1] + kHalfHeight, &t0, &t1)) {
        return;
    }
    const double a[2] = {p[0] + t0 * dx, p[1] + t0 * dy};
    const double b[2] = {p[0] + t1 * dx, p[1] + t1 * dy};
    drawSegment(a, b, width, colour);
}

static void drawMarker(const double origin[2], const double point[2], const RgbaColor* colour) {
    if (insideFrame(origin, point)) drawDisc(point, kMarkerRadius, colour);
}

// Start of the shown law's curve and the animated sample on it, where they
// lie inside the frame.
static void drawMarkers(const double origin[2], double sx, double sy, int m, int law, int index) {
    const RgbaColor* colour = law == ControlP ? &colorBlue : &colorGreen;
    double point[2];
    plotPoint(origin, sx, sy, trajectoryRecord.track[law][m][0], point);
    drawMarker(origin, point, colour);
    plotPoint(origin, sx, sy, trajectoryRecord.track[law][m][index], point);
    drawMarker(origin, point, colour);
}

void drawPhasePlane(int mechanism, int controlLaw, int indexP, int indexPI) {
    int m = mechanism - 1;
    const double origin[2] = {viewState.phaseOriginX, viewState.phaseOriginY};
    drawLabels(origin);
    double sx = kHalfWidth / 1.0;
    double sy = kHalfHeight / kPi;
    drawPhaseFrame(origin);
    if (m < 0 || m > 2) {
        return;
    }
    if (controlLaw == ControlP) {
        drawMarkers(origin, sx, sy, m, ControlP, indexP);
    } else if (controlLaw == ControlPI) {
        drawMarkers(origin, sx, sy, m, ControlPI, indexPI);
    }
    drawPhaseTrajectory(origin, sx, sy, kCurveWidth, m, ControlP, &colorBlue);
    drawPhaseTrajectory(origin, sx, sy, kCurveWidth, m, ControlPI, &colorGreen);
}

static void frameLine(double x1, double y1, double x2, double y2) {
    const double p1[2] = {x1, y1};
    const double p2[2] = {x2, y2};
    drawSegment(p1, p2, kFrameWidth, &colorBlack);
}

void drawPhaseFrame(const double origin[2]) {
    double ox = origin[0];
    double oy = origin[1];
    double hx = kHalfWidth;
    double hy = kHalfHeight;
    frameLine(ox + hx, oy, ox - hx, oy);
    frameLine(ox + hx, oy - hy, ox - hx, oy - hy);
    frameLine(ox + hx, oy + hy, ox - hx, oy + hy);
    frameLine(ox, oy + hy, ox, oy - hy);
    frameLine(ox - hx, oy + hy, ox - hx, oy - hy);
    frameLine(ox + hx, oy + hy, ox + hx, oy - hy);
}

void drawPhaseTrajectory(const double origin[2], double sx, double sy, double width, int m, int law,
                         const RgbaColor* colour) {
    if (law != ControlP && law != ControlPI) {
        return;
    }
    const TrackingSample* samples = trajectoryRecord.track[law][m];
    double p[2];
    plotPoint(origin, sx, sy, samples[0], p);
    for (int i = 1; i <= trajectoryRecord.lastSample[m][law]; ++i) {
        double q[2];
        plotPoint(origin, sx, sy, samples[i], q);
        // A jump of pi or more is the wrap at +-pi, not a real change.
        if (std::fabs(samples[i].errTheta - samples[i - 1].errTheta) < kPi) {
            drawClipped(origin, p, q, width, colour);
        }
        p[0] = q[0];
        p[1] = q[1];
    }
}
