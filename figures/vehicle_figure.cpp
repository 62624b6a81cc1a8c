#include "figures/vehicle_figure.h"

#include <cmath>

#include "display/view.h"
#include "figures/shapes.h"
#include "sim/settings.h"

// Figure dimensions in metres, scaled by the zoom when drawn.
constexpr double kBodyLength = 1.2;
constexpr double kBodyWidth = 1.0;
constexpr double kRearOverhang = 0.2;
constexpr double kNoseAngle = 0.5235987755982988;  // radians, not scaled
constexpr double kHalfTrack = 0.6;
constexpr double kRearWheelLength = 0.24;
constexpr double kRearWheelWidth = 0.12;
constexpr double kSmallWheelLength = 0.12;
constexpr double kSmallWheelWidth = 0.08;
constexpr double kThickLine = 0.04;
constexpr double kBoxSide = 0.16;
constexpr double kPivotRadius = 0.04;
constexpr double kDotRadius = 0.04;
constexpr double kAxleStub = 0.16;
constexpr double kShaft = 0.08;
constexpr double kCasterTrail = 0.2;
constexpr double kCasterStem = 0.08;
constexpr double kForkSpacing = 0.096;
constexpr double kCasterForkLeg = 0.16;
constexpr double kThinLine = 0.008;  // window units at every zoom
constexpr double kQuarterTurn = 1.5707963267948;

// The pose in window units: reference point O, front point F, rear wheel
// centres, the body frame (u, v) and the steered frame (us, vs).
struct FigureFrame {
    double z;
    double theta, steered;
    double u[2], v[2], us[2], vs[2];
    double o[2], f[2], wl[2], wr[2];
};

// out = from + a·z·dir, a in metres.
static void offset(const FigureFrame& fr, const double from[2], double a, const double dir[2],
                   double out[2]) {
    const double d = a * fr.z;
    out[0] = from[0] + d * dir[0];
    out[1] = from[1] + d * dir[1];
}

static FigureFrame makeFrame(const double position[2], double theta, double phi) {
    FigureFrame fr;
    fr.z = viewState.zoom;
    fr.theta = theta;
    fr.steered = theta + phi;
    const double s = std::sin(theta), c = std::cos(theta);
    const double s2 = std::sin(theta + phi), c2 = std::cos(theta + phi);
    fr.u[0] = c, fr.u[1] = s;
    fr.v[0] = -s, fr.v[1] = c;
    fr.us[0] = c2, fr.us[1] = s2;
    fr.vs[0] = -s2, fr.vs[1] = c2;
    worldToWindow(position[0], position[1], fr.o);
    offset(fr, fr.o, kBodyLength - kRearOverhang, fr.u, fr.f);
    offset(fr, fr.o, kHalfTrack, fr.v, fr.wl);
    offset(fr, fr.o, -kHalfTrack, fr.v, fr.wr);
    return fr;
}

static void drawThickLine(const FigureFrame& fr, const double p1[2], const double p2[2]) {
    drawSegment(p1, p2, kThickLine * fr.z, &colorBlack);
}

static void drawThinLine(const double p1[2], const double p2[2]) {
    drawSegment(p1, p2, kThinLine, &colorBlack);
}

static void drawBox(const FigureFrame& fr, const double corner[2], double angle) {
    const double side = kBoxSide * fr.z;
    drawRectangle(corner, side, side, angle, &colorWhite);
    drawRectangleOutline(corner, side, side, angle, &colorBlack);
}

static void drawBody(const FigureFrame& fr, const RgbaColor* colour) {
    drawBodyPentagon(fr.o, kBodyLength * fr.z, kBodyWidth * fr.z, kRearOverhang * fr.z, kNoseAngle,
                     fr.theta, colour);
}

static void drawRearWheels(const FigureFrame& fr, const RgbaColor* colour) {
    drawCapsule(fr.wl, kRearWheelLength * fr.z, kRearWheelWidth * fr.z, fr.theta, colour);
    drawCapsule(fr.wr, kRearWheelLength * fr.z, kRearWheelWidth * fr.z, fr.theta, colour);
}

static void drawSmallWheel(const FigureFrame& fr, const double centre[2]) {
    const double length = kSmallWheelLength * fr.z, width = kSmallWheelWidth * fr.z;
    drawCapsule(centre, length, width, fr.steered, &colorWhite);
    drawCapsuleOutline(centre, length, width, fr.steered, &colorBlack);
}

// Steering head, fork sides and the wheel on F, all turned by theta + phi.
static void drawSteeredWheel(const FigureFrame& fr) {
    const double start = fr.steered - kQuarterTurn;
    drawHalfDisc(fr.f, kPivotRadius * fr.z, start, &colorWhite);
    drawHalfCircle(fr.f, kPivotRadius * fr.z, start, &colorBlack);
    double q1[2], q2[2], q3[2], q4[2];
    offset(fr, fr.f, kForkSpacing / 2, fr.us, q1);
    offset(fr, q1, kForkSpacing / 2, fr.vs, q1);
    offset(fr, q1, -kForkSpacing, fr.us, q2);
    drawThinLine(q1, q2);
    offset(fr, q1, -kForkSpacing, fr.vs, q3);
    offset(fr, q2, -kForkSpacing, fr.vs, q4);
    drawThinLine(q3, q4);
    drawSmallWheel(fr, fr.f);
}

static void drawTwoDriveWheelsAndCaster(const FigureFrame& fr, const RgbaColor* colour) {
    drawBody(fr, colour);
    drawRearWheels(fr, colour);
    double a[2], b[2], corner[2];
    offset(fr, fr.wl, -kRearWheelWidth / 2, fr.v, a);
    offset(fr, a, -kAxleStub, fr.v, b);
    drawThickLine(fr, a, b);
    offset(fr, b, -kBoxSide / 2, fr.u, corner);
    offset(fr, corner, -kBoxSide, fr.v, corner);
    drawBox(fr, corner, fr.theta);
    offset(fr, fr.wr, kRearWheelWidth / 2, fr.v, a);
    offset(fr, a, kAxleStub, fr.v, b);
    drawThickLine(fr, a, b);
    offset(fr, b, -kBoxSide / 2, fr.u, corner);
    drawBox(fr, corner, fr.theta);

    double g[2], j[2], k[2], m[2], n[2], p[2];
    offset(fr, fr.f, -kCasterTrail, fr.us, g);
    drawSmallWheel(fr, g);
    offset(fr, fr.f, -kCasterStem, fr.us, j);
    drawThickLine(fr, fr.f, j);
    offset(fr, j, kForkSpacing / 2, fr.vs, k);
    offset(fr, k, -kCasterForkLeg, fr.us, m);
    drawThinLine(k, m);
    offset(fr, k, -kForkSpacing, fr.vs, n);
    drawThinLine(k, n);
    offset(fr, n, -kCasterForkLeg, fr.us, p);
    drawThinLine(p, n);
    drawDisc(fr.f, kPivotRadius * fr.z, &colorWhite);
    drawCircle(fr.f, kPivotRadius * fr.z, &colorBlack);
}

static void drawFrontDriveSteer(const FigureFrame& fr, const RgbaColor* colour) {
    drawThickLine(fr, fr.wl, fr.wr);
    drawBody(fr, colour);
    drawRearWheels(fr, colour);
    drawSteeredWheel(fr);
    double r1[2], r2[2], corner[2];
    offset(fr, fr.f, kSmallWheelWidth / 2, fr.vs, r1);
    offset(fr, r1, kShaft, fr.vs, r2);
    drawThickLine(fr, r1, r2);
    offset(fr, r2, -kBoxSide / 2, fr.us, corner);
    drawBox(fr, corner, fr.steered);
}

static void drawRearDriveFrontSteer(const FigureFrame& fr, const RgbaColor* colour) {
    drawBody(fr, colour);
    drawThickLine(fr, fr.wl, fr.wr);
    drawRearWheels(fr, colour);
    double s[2], across[2], ahead[2], left[2];
    offset(fr, fr.o, -kBoxSide / 2, fr.u, s);
    offset(fr, s, -kBoxSide / 2, fr.v, s);
    drawBox(fr, s, fr.theta);
    offset(fr, s, kBoxSide, fr.u, ahead);
    offset(fr, ahead, kBoxSide, fr.v, across);
    offset(fr, s, kBoxSide, fr.v, left);
    drawThinLine(s, across);
    drawThinLine(ahead, left);
    double x1[2], x2[2], corner[2];
    offset(fr, fr.o, kBoxSide / 2, fr.u, x1);
    offset(fr, x1, kShaft, fr.u, x2);
    drawThickLine(fr, x1, x2);
    offset(fr, x2, -kBoxSide / 2, fr.v, corner);
    drawBox(fr, corner, fr.theta);
    drawSteeredWheel(fr);
}

void drawVehicleFigures(const double position[2], double theta, double phi, const RgbaColor* bodyColour) {
    const FigureFrame fr = makeFrame(position, theta, phi);
    switch (simSettings.mechanism) {
    case Mech2DW1C:
        drawTwoDriveWheelsAndCaster(fr, bodyColour);
        break;
    case Mech1FDW1FS:
        drawFrontDriveSteer(fr, bodyColour);
        break;
    case Mech1RDW1FS:
        drawRearDriveFrontSteer(fr, bodyColour);
        break;
    default:
        break;
    }
    drawDisc(fr.o, kDotRadius * fr.z, &colorWhite);
}
