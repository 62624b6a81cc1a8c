#include "web/gl/raster.h"

#include "web/gl/exact_raster.h"
#include "web/gl/frame.h"
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

void frameClear(const unsigned char rgba[4]) {
    if (mode == RasterWebGL) webglClear(rgba);
    else exactClear(rgba);
}

void frameFill(const FixedShape& shape, const unsigned char rgba[4]) {
    if (mode == RasterWebGL) webglFill(shape, rgba);
    else exactFill(shape, rgba);
}

void frameBitmap(int x, int y, int width, int height, const unsigned char* bits,
                 const unsigned char rgba[4]) {
    if (mode == RasterWebGL) webglBitmap(x, y, width, height, bits, rgba);
    else exactBitmap(x, y, width, height, bits, rgba);
}
