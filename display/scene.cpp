#include "display/scene.h"

#include <GL/glut.h>

#include <cmath>

#include "display/info_layer.h"
#include "display/phase_plane.h"
#include "display/texts.h"
#include "display/view.h"
#include "display/window.h"
#include "figures/vehicle_figure.h"
#include "sim/record.h"
#include "sim/settings.h"

static constexpr int kGridHalfLines = 40;
static constexpr double kLinePathLength = 30.0;  // m of y = 0 drawn, from x = 0
static constexpr int kCircleChords = 100;
static constexpr double kLinePathWidth = 0.013;
static constexpr double kCirclePathWidth = 0.01;
static constexpr double kTrajectoryWidth = 0.01;
static constexpr double kSampleDotRadius = 0.04 * 0.2;  // window units, whatever the zoom
static constexpr double kReferenceDiscRadius = 0.04;    // m

static bool mechanismValid(int mechanism) {
    return mechanism >= Mech2DW1C && mechanism <= Mech1RDW1FS;
}

static bool lawValid(int law) {
    return law == ControlP || law == ControlPI;
}

static const RgbaColor* lawColour(int law) {
    return law == ControlP ? &colorBlue : &colorGreen;
}

static void drawReferencePath(const double origin[2]) {
    double zoom = viewState.zoom;
    if (simSettings.pathKind == PathLine) {
        double end[2] = {origin[0] + kLinePathLength * zoom, origin[1]};
        drawSegment(origin, end, kLinePathWidth, &colorRed);
    } else if (simSettings.pathKind == PathCircle) {
        double p[2] = {origin[0] + kPathRadius * zoom, origin[1]};
        for (int k = 0; k <= kCircleChords; ++k) {
            double angle = k * kTwoPi / kCircleChords;
            double q[2] = {origin[0] + kPathRadius * zoom * std::cos(angle),
                           origin[1] + kPathRadius * zoom * std::sin(angle)};
            drawSegment(p, q, kCirclePathWidth, &colorRed);
            p[0] = q[0];
            p[1] = q[1];
        }
    }
}

static void drawTrajectory(int m, int law) {
    const VehicleState* samples = trajectoryRecord.state[law][m];
    double p[2];
    worldToWindow(samples[0].x, samples[0].y, p);
    for (int i = 1; i <= trajectoryRecord.lastSample[m][law]; ++i) {
        double q[2];
        worldToWindow(samples[i].x, samples[i].y, q);
        drawSegment(p, q, kTrajectoryWidth, lawColour(law));
        p[0] = q[0];
        p[1] = q[1];
    }
}

static void drawAnimation(int m, int law, int k) {
    const RgbaColor* colour = lawColour(law);
    const VehicleState* samples = trajectoryRecord.state[law][m];
    const double start[2] = {simSettings.x0, simSettings.y0};
    drawSampleDot(start, colour);
    for (int i = 0; i <= k; ++i) {
        const double point[2] = {samples[i].x, samples[i].y};
        drawSampleDot(point, colour);
    }
    const double position[2] = {samples[k].x, samples[k].y};
    drawVehicleFigures(position, samples[k].theta, samples[k].phi, colour);
    const TrackingSample& track = trajectoryRecord.track[law][m][k];
    const double reference[2] = {track.refX, track.refY};
    drawWorldDisc(reference, kReferenceDiscRadius, &colorRed);
}

static void drawRuns() {
    if (!mechanismValid(simSettings.mechanism)) {
        return;
    }
    int m = simSettings.mechanism - 1;
    drawTrajectory(m, ControlP);
    drawTrajectory(m, ControlPI);
    int law = simSettings.controlLaw;
    if (lawValid(law)) {
        drawAnimation(m, law, law == ControlP ? viewState.animIndexP : viewState.animIndexPI);
    }
}

static void drawPhaseBackground() {
    const double corner[2] = {viewState.phaseOriginX - 0.4, viewState.phaseOriginY - 0.4};
    drawRectangle(corner, 2.0, 10.0, 0.0, &colorWhite);
}

void composeFrame() {
    clearFrame();
    drawTitle();
    drawConditionTexts();
    const double origin[2] = {-2.0 * viewState.zoom + viewState.panX,
                              -0.5 * viewState.zoom + viewState.panY};
    drawGrid(origin, 0.0, kGridHalfLines, viewState.zoom, viewState.zoom);
    drawReferencePath(origin);
    drawRuns();
    drawPhaseBackground();
    drawPhasePlane(simSettings.mechanism, simSettings.controlLaw, viewState.animIndexP,
                   viewState.animIndexPI);
    drawInfoLayer();
}

void onDisplay() {
    composeFrame();
    finishFrame();
}

void showConsoleNotice() {
    composeFrame();
    const double corner[2] = {-0.36, -0.06};
    drawRectangle(corner, 0.72, 0.12, 0.0, &colorWhite);
    drawRectangleOutline(corner, 0.72, 0.12, 0.0, &colorBlack);
    drawText(-0.32f, -0.015f, GLUT_BITMAP_HELVETICA_18, "Answer in the console window");
    finishFrame();
}

static void gridLine(double x1, double y1, double x2, double y2, bool axis) {
    glLineWidth(axis ? 2.0f : 1.0f);
    glBegin(GL_LINES);
    glVertex2d(x1, y1);
    glVertex2d(x2, y2);
    glEnd();
}

void drawGrid(const double centre[2], double angle, int n, double dx, double dy) {
    glDisable(GL_LIGHTING);
    glColor4f(colorBlack.red, colorBlack.green, colorBlack.blue, colorBlack.alpha);
    glPushMatrix();
    glLineWidth(2.0f);
    glTranslated(centre[0], centre[1], 0.0);
    glRotated(angle / radPerDeg, 0.0, 0.0, 1.0);
    for (int i = -n; i <= n; ++i) {
        gridLine(i * dx, -n * dy, i * dx, n * dy, i == 0);
    }
    for (int i = -n; i <= n; ++i) {
        gridLine(-n * dx, i * dy, n * dx, i * dy, i == 0);
    }
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void drawSampleDot(const double point[2], const RgbaColor* colour) {
    double centre[2];
    worldToWindow(point[0], point[1], centre);
    drawDisc(centre, kSampleDotRadius, colour);
}

void drawWorldDisc(const double point[2], double r, const RgbaColor* colour) {
    double centre[2];
    worldToWindow(point[0], point[1], centre);
    drawDisc(centre, r * viewState.zoom, colour);
}
