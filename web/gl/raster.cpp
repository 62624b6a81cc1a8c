#include "web/gl/raster.h"

#include <algorithm>

#include "web/gl/exact_raster.h"
#include "web/gl/frame.h"
#include "web/gl/gl_state.h"
#include "web/gl/webgl_batch.h"

#ifdef __EMSCRIPTEN__
extern "C" int rasterJsStart(int webgl, int width, int height);
extern "C" void rasterJsResize(int width, int height);
extern "C" void rasterJsPutPixels(const unsigned char* pixels, int width, int height);
#endif

static int mode = RasterExact;
static int frameW = 0, frameH = 0;

int frameWidth() {
    return frameW;
}

int frameHeight() {
    return frameH;
}

void rasterResize(int width, int height) {
    frameW = width;
    frameH = height;
    exactResize(width, height);
    webglResize(width, height);
#ifdef __EMSCRIPTEN__
    rasterJsResize(width, height);
#endif
}

int rasterInit(int requestedMode, int width, int height) {
    mode = requestedMode == RasterWebGL ? RasterWebGL : RasterExact;
#ifdef __EMSCRIPTEN__
    if (mode == RasterWebGL && !rasterJsStart(1, width, height)) mode = RasterExact;
    if (mode == RasterExact) rasterJsStart(0, width, height);
#else
    // Natively nothing is shown: the exact frame is there to be read back.
    mode = RasterExact;
#endif
    rasterResize(width, height);
    return mode;
}

void rasterPresent() {
#ifdef __EMSCRIPTEN__
    if (mode == RasterWebGL) webglPresent();
    else rasterJsPutPixels(exactPixels(), frameW, frameH);
#endif
}

const unsigned char* rasterPixels() {
    return exactPixels();
}

// The scissor test applies to clears, shapes and bitmaps alike.
static PixelBox drawable() {
    PixelBox box = {0, 0, frameW - 1, frameH - 1};
    if (!glState.scissorTest) return box;
    const int* s = glState.scissor;
    box.left = std::max(box.left, s[0]);
    box.right = std::min(box.right, s[0] + s[2] - 1);
    box.top = std::max(box.top, frameH - (s[1] + s[3]));
    box.bottom = std::min(box.bottom, frameH - 1 - s[1]);
    return box;
}

void frameClear(const unsigned char rgba[4]) {
    if (mode == RasterWebGL) webglClear(rgba, drawable());
    else exactClear(rgba, drawable());
}

void frameFill(const FixedShape& shape, const unsigned char rgba[4]) {
    if (mode == RasterWebGL) webglFill(shape, rgba, drawable());
    else exactFill(shape, rgba, drawable());
}

void frameBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4]) {
    if (mode == RasterWebGL) webglBitmap(x, y, width, height, bits, rgba, drawable());
    else exactBitmap(x, y, width, height, bits, rgba, drawable());
}
