#include "web/gl/webgl_batch.h"

#include <algorithm>
#include <vector>

#ifdef __EMSCRIPTEN__
extern "C" void rasterJsDrawTriangles(const float* positions, const unsigned char* colours,
                                      int vertices, int red, int green, int blue,
                                      const int* runs, int runCount);
#endif

static std::vector<float> positions;       // x, y per vertex
static std::vector<unsigned char> colours;  // r, g, b, a per vertex
// Per run: its first vertex and its scissor box as WebGL takes it (x, y from
// the bottom row, width, height).
static std::vector<int> runs;
static unsigned char clearColour[4] = {0, 0, 0, 255};
static int frameW = 1, frameH = 1;

void webglResize(int width, int height) {
    frameW = width > 0 ? width : 1;
    frameH = height > 0 ? height : 1;
}

// The triangles that follow are drawn within the box: a new run unless the
// last one has the same box.
static void useBox(const PixelBox& b) {
    const int run[5] = {static_cast<int>(positions.size() / 2), b.left, frameH - 1 - b.bottom,
                        std::max(b.right - b.left + 1, 0), std::max(b.bottom - b.top + 1, 0)};
    if (!runs.empty()) {
        const int* last = &runs[runs.size() - 5];
        if (std::equal(run + 1, run + 5, last + 1)) return;
        if (last[0] == run[0]) runs.resize(runs.size() - 5);  // it drew nothing
    }
    runs.insert(runs.end(), run, run + 5);
}

// (x, y) in pixels, y down from the top edge.
static void vertex(double x, double y, const unsigned char rgba[4]) {
    positions.push_back(static_cast<float>(2.0 * x / frameW - 1.0));
    positions.push_back(static_cast<float>(1.0 - 2.0 * y / frameH));
    colours.insert(colours.end(), {rgba[0], rgba[1], rgba[2], 255});
}

static void quad(int left, int top, int right, int bottom, const unsigned char rgba[4]) {
    const int corners[6][2] = {{left, top},     {right, top},    {right, bottom},
                               {left, top},     {right, bottom}, {left, bottom}};
    for (const auto& c : corners) vertex(c[0], c[1], rgba);
}

// A clear of the whole frame starts it afresh; a scissored one paints its box.
void webglClear(const unsigned char rgba[4], const PixelBox& box) {
    if (box.left > 0 || box.top > 0 || box.right < frameW - 1 || box.bottom < frameH - 1) {
        useBox(box);
        quad(0, 0, frameW, frameH, rgba);
        return;
    }
    for (int i = 0; i < 3; ++i) clearColour[i] = rgba[i];
    positions.clear();
    colours.clear();
    runs.clear();
}

// Fixed-point corners count from pixel centres; the canvas counts from edges.
static void fixedVertex(const FixedShape& s, int i, const unsigned char rgba[4]) {
    vertex(s.x[i] / double(kSubpixelOne) + 0.5, s.y[i] / double(kSubpixelOne) + 0.5, rgba);
}

void webglFill(const FixedShape& s, const unsigned char rgba[4], const PixelBox& box) {
    useBox(box);
    for (int i = 2; i < s.corners; ++i) {
        fixedVertex(s, 0, rgba);
        fixedVertex(s, i - 1, rgba);
        fixedVertex(s, i, rgba);
    }
}

void webglBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4], const PixelBox& box) {
    useBox(box);
    const int rowBytes = (width + 7) / 8;
    for (int row = 0; row < height; ++row) {
        const int top = frameH - (y + row) - 1;
        int runStart = -1;
        for (int column = 0; column <= width; ++column) {
            const bool set = column < width && (bits[row * rowBytes + column / 8] & (0x80 >> (column % 8)));
            if (set && runStart < 0) runStart = column;
            if (!set && runStart >= 0) {
                quad(x + runStart, top, x + column, top + 1, rgba);
                runStart = -1;
            }
        }
    }
}

void webglPresent() {
#ifdef __EMSCRIPTEN__
    rasterJsDrawTriangles(positions.data(), colours.data(), static_cast<int>(positions.size() / 2),
                          clearColour[0], clearColour[1], clearColour[2], runs.data(),
                          static_cast<int>(runs.size() / 5));
#endif
}
