// Drawing primitives in window units: segments, discs, circles, rectangles.
// Each switches lighting off while it draws and on again before it returns.
#pragma once

struct RgbaColor {
    float red, green, blue, alpha;
};

extern const RgbaColor colorRed, colorGreen, colorBlue, colorWhite, colorBlack;

// The drawing code's own constants, apart from the model's.
constexpr double piConst = 3.1415926536;
constexpr double radPerDeg = 0.01745329252;
constexpr int circleSegments = 120;
constexpr double pixelsPerUnit = 400.0;

// Points are two doubles (x, y); widths and radii in window units.
void drawSegment(const double p1[2], const double p2[2], double width, const RgbaColor* colour);
void drawDisc(const double centre[2], double radius, const RgbaColor* colour);
void drawCircle(const double centre[2], double radius, const RgbaColor* colour);
void drawRectangle(const double corner[2], double width, double height, double angle,
                   const RgbaColor* colour);
void drawRectangleOutline(const double corner[2], double width, double height, double angle,
                          const RgbaColor* colour);

// The frame every shape draws in: lighting off, matrix pushed, moved to the
// origin (and turned by angle, radians), colour set. closeShapeFrame undoes it.
void openShapeFrame(const double origin[2], const RgbaColor* colour);
void openTurnedShapeFrame(const double origin[2], double angle, const RgbaColor* colour);
void closeShapeFrame();
