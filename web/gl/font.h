// freeglut's Helvetica 18 bitmap font, generated at build time from freeglut's
// own source (web/gl/make_font.py): per character its advance in pixels,
// then its rows, bottom row first, each padded to whole bytes.
#pragma once

struct BitmapFont {
    int height;
    float xOrigin, yOrigin;
    const unsigned char* const* characters;  // 256 entries
};

extern const BitmapFont helvetica18Font;
