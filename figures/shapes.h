// Vehicle part shapes: wheels (capsules), steering heads (half discs), bodies.
#pragma once

#include "figures/primitives.h"

void drawCapsule(const double centre[2], double length, double width, double angle,
                 const RgbaColor* colour);
void drawCapsuleOutline(const double centre[2], double length, double width, double angle,
                        const RgbaColor* colour);
void drawHalfDisc(const double centre[2], double radius, double startAngle, const RgbaColor* colour);
void drawHalfCircle(const double centre[2], double radius, double startAngle, const RgbaColor* colour);
void drawBodyPentagon(const double origin[2], double length, double width, double rearOverhang,
                      double noseAngle, double heading, const RgbaColor* colour);
