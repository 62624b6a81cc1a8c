// glutBitmapCharacter: a glyph drawn as a bitmap at the raster position, which
// then moves on by the glyph's advance.
#include <GL/glut.h>

#include <cmath>

#include "web/gl/font.h"
#include "web/gl/frame.h"
#include "web/gl/gl_state.h"

// The font's handle: GLUT's header names fonts by the addresses of these.
void* glutBitmapHelvetica18 = nullptr;

// Keeps a position that float arithmetic put just below a whole pixel on that pixel.
static constexpr float kPositionEpsilon = 0.0001f;

void glutBitmapCharacter(void* font, int character) {
    if (font != GLUT_BITMAP_HELVETICA_18 || character < 1 || character > 255) return;
    const BitmapFont& f = helvetica18Font;
    const unsigned char* glyph = f.characters[character];
    const int width = glyph[0];
    if (glState.rasterValid && width > 0) {
        const int x = static_cast<int>(std::floor(glState.rasterX + kPositionEpsilon - f.xOrigin));
        const int y = static_cast<int>(std::floor(glState.rasterY + kPositionEpsilon - f.yOrigin));
        frameBitmap(x, y, width, f.height, glyph + 1, glState.rasterColour);
    }
    glState.rasterX += static_cast<float>(width);
}
