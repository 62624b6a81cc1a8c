// Primitives in clip space cut to the view volume (no guard band), mapped to
// the viewport and handed to the rasteriser.
#pragma once

struct ClipVertex {
    float x, y, z, w;
};

// The viewport in window pixels counted from the bottom row.
void clipSetViewport(int x, int y, int width, int height);
void clipLine(ClipVertex a, ClipVertex b, float width, const unsigned char rgba[4]);
void clipTriangle(const ClipVertex v[3], const unsigned char rgba[4]);
// The window position of a point, y counted from the bottom row; false when
// the point lies outside the view volume.
bool clipPoint(ClipVertex v, float* x, float* y);
