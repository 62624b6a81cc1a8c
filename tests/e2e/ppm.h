// A frame kept bottom row first written as a binary PPM, top row first, as
// screenshots of the window are; each pixel's first three bytes of stride.
#pragma once

#include <cstddef>
#include <cstdio>

inline bool writePpm(const char* path, const unsigned char* pixels, int width, int height, int stride) {
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    for (int row = height - 1; row >= 0; --row)
        for (int x = 0; x < width; ++x)
            std::fwrite(pixels + (static_cast<size_t>(row) * width + x) * stride, 1, 3, out);
    return std::fclose(out) == 0;
}
