// The CPU rasteriser: edge functions evaluated at every pixel centre of a
// shape's box, as Mesa's llvmpipe does, into an RGBA frame kept bottom row first.
#pragma once

#include "web/gl/frame.h"
#include "web/gl/setup.h"

// Each call changes only the pixels of its box (inside the frame).
void exactResize(int width, int height);
void exactClear(const unsigned char rgba[4], const PixelBox& box);
void exactFill(const FixedShape& shape, const unsigned char rgba[4], const PixelBox& box);
void exactBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4], const PixelBox& box);
const unsigned char* exactPixels();
