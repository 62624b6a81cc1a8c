#include "figures/shapes.h"

#include <GL/gl.h>

#include <cmath>

constexpr int kArcPoints = 119;  // inner points of a wheel's end semicircle

// The end semicircles of every wheel sit at fixed angles, so their unit
// points are computed once, with the same expressions as the vertices.
struct CapsuleEnds {
    double rearCos[kArcPoints + 1], rearSin[kArcPoints + 1];
    double frontCos[kArcPoints + 1], frontSin[kArcPoints + 1];
};

static CapsuleEnds makeCapsuleEnds() {
    CapsuleEnds t;
    const double step = piConst / circleSegments;
    for (int i = 1; i <= kArcPoints; ++i) {
        const double rear = piConst / 2 + i * step;
        const double front = -piConst / 2 + i * step;
        t.rearCos[i] = std::cos(rear);
        t.rearSin[i] = std::sin(rear);
        t.frontCos[i] = std::cos(front);
        t.frontSin[i] = std::sin(front);
    }
    return t;
}

static const CapsuleEnds& capsuleEnds() {
    static const CapsuleEnds table = makeCapsuleEnds();
    return table;
}

// Counter-clockwise from the rear-left corner: rear arc, right side, front arc.
static void sendCapsuleVertices(double length, double width) {
    const CapsuleEnds& ends = capsuleEnds();
    const double r = width / 2;
    const double xR = -length / 2;
    const double xF = length / 2;
    glVertex2d(xR, r);
    for (int i = 1; i <= kArcPoints; ++i)
        glVertex2d(xR + r * ends.rearCos[i], r * ends.rearSin[i]);
    glVertex2d(xR, -r);
    glVertex2d(xF, -r);
    for (int i = 1; i <= kArcPoints; ++i)
        glVertex2d(xF + r * ends.frontCos[i], r * ends.frontSin[i]);
    glVertex2d(xF, r);
}

static void drawCapsuleAs(GLenum mode, const double centre[2], double length, double width,
                          double angle, const RgbaColor* colour) {
    openTurnedShapeFrame(centre, angle, colour);
    glBegin(mode);
    sendCapsuleVertices(length, width);
    glEnd();
    closeShapeFrame();
}

void drawCapsule(const double centre[2], double length, double width, double angle,
                 const RgbaColor* colour) {
    drawCapsuleAs(GL_POLYGON, centre, length, width, angle, colour);
}

void drawCapsuleOutline(const double centre[2], double length, double width, double angle,
                        const RgbaColor* colour) {
    drawCapsuleAs(GL_LINE_LOOP, centre, length, width, angle, colour);
}

// The arc depends on the start angle, so its points are computed each time.
void drawHalfDisc(const double centre[2], double radius, double startAngle, const RgbaColor* colour) {
    const double step = piConst / circleSegments;
    openShapeFrame(centre, colour);
    glBegin(GL_POLYGON);
    for (int i = 0; i < circleSegments; ++i) {
        const double a = startAngle - i * step;
        glVertex2d(radius * std::cos(a), radius * std::sin(a));
    }
    glEnd();
    closeShapeFrame();
}

void drawHalfCircle(const double centre[2], double radius, double startAngle, const RgbaColor* colour) {
    const double step = piConst / circleSegments;
    openShapeFrame(centre, colour);
    glBegin(GL_LINE_STRIP);
    double previous[2] = {radius * std::cos(startAngle), radius * std::sin(startAngle)};
    for (int i = 1; i < circleSegments; ++i) {
        const double a = startAngle - i * step;
        const double point[2] = {radius * std::cos(a), radius * std::sin(a)};
        glVertex2d(previous[0], previous[1]);
        glVertex2d(point[0], point[1]);
        previous[0] = point[0];
        previous[1] = point[1];
    }
    glEnd();
    closeShapeFrame();
}

void drawBodyPentagon(const double origin[2], double length, double width, double rearOverhang,
                      double noseAngle, double heading, const RgbaColor* colour) {
    const double l = length;
    const double h = width / 2;
    const double c = rearOverhang;
    const double tip = std::tan(noseAngle) * width / 2 + (length - rearOverhang);
    openTurnedShapeFrame(origin, heading, colour);
    glBegin(GL_POLYGON);
    glVertex2d(-c, -h);
    glVertex2d(l - c, -h);
    glVertex2d(tip, 0.0);
    glVertex2d(l - c, h);
    glVertex2d(-c, h);
    glEnd();
    closeShapeFrame();
}
