// From window coordinates to the edges a rasteriser fills, with Mesa llvmpipe's
// rules: vertices snapped to 1/256 pixel, the bottom-left fill convention, wide
// lines as quadrilaterals whose ends follow the diamond-exit rule.
#pragma once

#include <cstdint>

constexpr int kSubpixelBits = 8;
constexpr int kSubpixelOne = 1 << kSubpixelBits;

// A vertex in pixels, y down from the top row, as the rasteriser sees it.
struct WinPoint {
    float x, y;
};

// A triangle (3 corners) or a wide line (4) in 1/256 pixel, pixel centres at
// whole numbers. A pixel (px, py) is covered when every edge function
// c + 256 * (dcdy * py - dcdx * px) is positive.
struct FixedShape {
    int corners;
    int x[4], y[4];
    int64_t c[4];
    int64_t dcdx[4], dcdy[4];
    int left, top, right, bottom;  // pixels that may be covered, inclusive
};

// False for a shape that covers nothing (no area).
bool setupTriangle(const WinPoint v[3], FixedShape* shape);
bool setupLine(WinPoint a, WinPoint b, float width, FixedShape* shape);
