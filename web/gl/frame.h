// The frame the GL calls draw into, whichever rasteriser fills it.
#pragma once

#include "web/gl/setup.h"

// Pixels a call may change, rows counted from the top, inclusive: the frame, or
// its part inside the scissor box.
struct PixelBox {
    int left, top, right, bottom;
};

int frameWidth();
int frameHeight();
void frameClear(const unsigned char rgba[4]);
void frameFill(const FixedShape& shape, const unsigned char rgba[4]);
// A bitmap whose lower-left pixel is (x, y) in window pixels counted from the
// bottom row; rows bottom first, each padded to whole bytes, first pixel in the top bit.
void frameBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4]);
