// The canvas rasteriser behind the program's GL calls.
#pragma once

enum RasterMode { RasterExact = 0, RasterWebGL = 1 };
// Picks the rasteriser for <canvas id="window"> (WebGL falls back to exact where unavailable); returns the one in use.
int rasterInit(int requestedMode, int width, int height);
void rasterResize(int width, int height);   // the window's size in pixels (drawing buffer)
void rasterPresent();                        // end of a frame: what glutSwapBuffers shows
// The exact frame, bottom row first, RGBA8, width*height*4 bytes (for tests and the exact mode).
const unsigned char* rasterPixels();
