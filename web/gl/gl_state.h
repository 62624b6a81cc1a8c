// The GL state the program's calls change, shared by the drawing and the text calls.
#pragma once

#include "web/gl/matrix.h"

struct GlState {
    float colour[4];
    bool lighting;
    float lineWidth;
    float clearColour[4];
    float rasterX, rasterY;  // window pixels, y from the bottom row
    bool rasterValid;
    unsigned char rasterColour[4];
    bool scissorTest;
    int scissor[4];  // x, y from the bottom row, width, height
};

extern GlState glState;

// The colour fragments take now: the current colour, or the lit one.
void glStateFragmentColour(unsigned char rgba[4]);
// projection x modelview, as the vertex stage applies it.
Matrix4 glStateModelViewProjection();
