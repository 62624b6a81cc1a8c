#include "display/phase_plane.h"

#include <GL/glut.h>

#include <cmath>

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

// Start of the shown law's curve and the animated sample on it.
static void drawMarkers(const double origin[2], double sx, double sy, int m, int law, int index) {
    const RgbaColor* colour = law == ControlP ? &colorBlue : &colorGreen;
    double point[2];
    plotPoint(origin, sx, sy, trajectoryRecord.track[law][m][0], point);
    drawDisc(point, kMarkerRadius, colour);
    plotPoint(origin, sx, sy, trajectoryRecord.track[law][m][index], point);
    drawDisc(point, kMarkerRadius, colour);
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
            drawSegment(p, q, width, colour);
        }
        p[0] = q[0];
        p[1] = q[1];
    }
}
