// The frame's triangles for WebGL: the exact rasteriser's shapes (lines as two
// triangles, bitmaps as one quadrilateral per run of set pixels) in clip
// coordinates with a colour per vertex, drawn in order after the clear, in runs
// that share a scissor box.
#pragma once

#include "web/gl/frame.h"
#include "web/gl/setup.h"

void webglResize(int width, int height);
void webglClear(const unsigned char rgba[4], const PixelBox& box);
void webglFill(const FixedShape& shape, const unsigned char rgba[4], const PixelBox& box);
void webglBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4], const PixelBox& box);
// Hands the frame to the canvas; it stays until the next clear.
void webglPresent();
