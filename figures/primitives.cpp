#include "figures/primitives.h"

#include <GL/gl.h>

#include <cmath>

const RgbaColor colorRed = {1.0f, 0.0f, 0.0f, 0.0f};
const RgbaColor colorGreen = {0.0f, 1.0f, 0.0f, 0.0f};
const RgbaColor colorBlue = {0.0f, 0.0f, 1.0f, 0.0f};
const RgbaColor colorWhite = {1.0f, 1.0f, 1.0f, 0.0f};
const RgbaColor colorBlack = {0.0f, 0.0f, 0.0f, 0.0f};

// A frame can hold thousands of discs: the unit-circle points are computed
// once, with the very expressions a direct computation would use, so every
// vertex stays bit-identical.
struct UnitCircle {
    double cosine[circleSegments];
    double sine[circleSegments];
};

static UnitCircle makeUnitCircle() {
    UnitCircle t;
    const double step = 2.0 * piConst / circleSegments;
    for (int i = 0; i < circleSegments; ++i) {
        t.cosine[i] = std::cos(i * step);
        t.sine[i] = std::sin(i * step);
    }
    return t;
}

static const UnitCircle& unitCircle() {
    static const UnitCircle table = makeUnitCircle();
    return table;
}

void openShapeFrame(const double origin[2], const RgbaColor* colour) {
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(origin[0], origin[1], 0.0);
    glColor4f(colour->red, colour->green, colour->blue, colour->alpha);
}

void openTurnedShapeFrame(const double origin[2], double angle, const RgbaColor* colour) {
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslated(origin[0], origin[1], 0.0);
    glRotated(angle / radPerDeg, 0.0, 0.0, 1.0);
    glColor4f(colour->red, colour->green, colour->blue, colour->alpha);
}

void closeShapeFrame() {
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void drawSegment(const double p1[2], const double p2[2], double width, const RgbaColor* colour) {
    glDisable(GL_LIGHTING);
    glColor4f(colour->red, colour->green, colour->blue, colour->alpha);
    glLineWidth(static_cast<float>(width * pixelsPerUnit));
    glBegin(GL_LINES);
    glVertex2d(p1[0], p1[1]);
    glVertex2d(p2[0], p2[1]);
    glEnd();
    glLineWidth(2.0f);
    glEnable(GL_LIGHTING);
}

void drawDisc(const double centre[2], double radius, const RgbaColor* colour) {
    const UnitCircle& unit = unitCircle();
    openShapeFrame(centre, colour);
    glBegin(GL_POLYGON);
    for (int i = 0; i < circleSegments; ++i)
        glVertex2d(radius * unit.cosine[i], radius * unit.sine[i]);
    glEnd();
    closeShapeFrame();
}

// Sent as separate pieces P(i-1), P(i); the loop closes back to P0.
void drawCircle(const double centre[2], double radius, const RgbaColor* colour) {
    const UnitCircle& unit = unitCircle();
    openShapeFrame(centre, colour);
    glBegin(GL_LINE_LOOP);
    double previous[2] = {radius, 0.0};
    for (int i = 1; i < circleSegments; ++i) {
        const double point[2] = {radius * unit.cosine[i], radius * unit.sine[i]};
        glVertex2d(previous[0], previous[1]);
        glVertex2d(point[0], point[1]);
        previous[0] = point[0];
        previous[1] = point[1];
    }
    glEnd();
    closeShapeFrame();
}

static void drawRectangleAs(GLenum mode, const double corner[2], double width, double height,
                            double angle, const RgbaColor* colour) {
    openTurnedShapeFrame(corner, angle, colour);
    glBegin(mode);
    glVertex2d(0.0, 0.0);
    glVertex2d(width, 0.0);
    glVertex2d(width, height);
    glVertex2d(0.0, height);
    glEnd();
    closeShapeFrame();
}

void drawRectangle(const double corner[2], double width, double height, double angle,
                   const RgbaColor* colour) {
    drawRectangleAs(GL_POLYGON, corner, width, height, angle, colour);
}

void drawRectangleOutline(const double corner[2], double width, double height, double angle,
                          const RgbaColor* colour) {
    drawRectangleAs(GL_LINE_LOOP, corner, width, height, angle, colour);
}
