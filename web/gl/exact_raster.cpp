#include "web/gl/exact_raster.h"

#include <algorithm>
#include <vector>

static std::vector<unsigned char> pixels;
static int frameW = 0, frameH = 0;

void exactResize(int width, int height) {
    frameW = std::max(width, 0);
    frameH = std::max(height, 0);
    pixels.assign(static_cast<size_t>(frameW) * frameH * 4, 255);
}

// The window has no alpha channel: it reads back as opaque whatever was drawn.
static void put(int x, int rowFromBottom, const unsigned char rgba[4]) {
    unsigned char* p = &pixels[(static_cast<size_t>(rowFromBottom) * frameW + x) * 4];
    p[0] = rgba[0];
    p[1] = rgba[1];
    p[2] = rgba[2];
    p[3] = 255;
}

void exactClear(const unsigned char rgba[4], const PixelBox& box) {
    for (int py = box.top; py <= box.bottom; ++py)
        for (int px = box.left; px <= box.right; ++px) put(px, frameH - 1 - py, rgba);
}

void exactFill(const FixedShape& s, const unsigned char rgba[4], const PixelBox& box) {
    const int left = std::max(s.left, box.left), right = std::min(s.right, box.right);
    const int top = std::max(s.top, box.top), bottom = std::min(s.bottom, box.bottom);
    for (int py = top; py <= bottom; ++py) {
        int64_t rowValue[4];
        for (int i = 0; i < s.corners; ++i)
            rowValue[i] = s.c[i] + kSubpixelOne * (s.dcdy[i] * py - s.dcdx[i] * left);
        for (int px = left; px <= right; ++px) {
            bool inside = true;
            for (int i = 0; i < s.corners; ++i) {
                inside = inside && rowValue[i] > 0;
                rowValue[i] -= kSubpixelOne * s.dcdx[i];
            }
            if (inside) put(px, frameH - 1 - py, rgba);
        }
    }
}

void exactBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4], const PixelBox& box) {
    const int rowBytes = (width + 7) / 8;
    for (int row = 0; row < height; ++row) {
        const int py = y + row;
        if (frameH - 1 - py < box.top || frameH - 1 - py > box.bottom) continue;
        for (int column = 0; column < width; ++column) {
            const int px = x + column;
            const bool set = bits[row * rowBytes + column / 8] & (0x80 >> (column % 8));
            if (set && px >= box.left && px <= box.right) put(px, py, rgba);
        }
    }
}

const unsigned char* exactPixels() {
    return pixels.data();
}
