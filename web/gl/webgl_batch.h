// The frame's triangles for WebGL: the exact rasteriser's shapes (lines as two
// triangles, bitmaps as one quadrilateral per run of set pixels) in clip
// coordinates with a colour per vertex, drawn in order after the clear.
#pragma once

#include "web/gl/setup.h"

void webglResize(int width, int height);
void webglClear(const unsigned char rgba[4]);
void webglFill(const FixedShape& shape, const unsigned char rgba[4]);
void webglBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4]);
// Hands the frame to the canvas; it stays until the next clear.
void webglPresent();
