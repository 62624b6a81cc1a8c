#include "web/gl/setup.h"

#include <algorithm>
#include <cmath>

static constexpr float kSampleOffset = 0.5f;  // pixel centres

// Triangles are snapped by the vector unit: round half to even.
static int snapEven(float v) {
    return static_cast<int>(std::lrint((v - kSampleOffset) * static_cast<float>(kSubpixelOne)));
}

// Lines are snapped by scalar code: half away from zero, in float.
static int roundAway(float f) {
    return f >= 0.0f ? static_cast<int>(f + 0.5f) : static_cast<int>(f - 0.5f);
}

static int snapAway(float v) {
    return roundAway(static_cast<float>(kSubpixelOne) * v);
}

// Edge functions of a convex outline given counter-clockwise in y-down
// pixels; an edge with nothing to its left or below it keeps its pixels.
static void makeEdges(FixedShape* s) {
    for (int i = 0; i < s->corners; ++i) {
        const int j = (i + 1) % s->corners;
        s->dcdy[i] = s->x[i] - s->x[j];
        s->dcdx[i] = s->y[i] - s->y[j];
        s->c[i] = s->dcdx[i] * s->x[i] - s->dcdy[i] * s->y[i];
        if (s->dcdx[i] < 0 || (s->dcdx[i] == 0 && s->dcdy[i] < 0)) s->c[i]++;
    }
}

static void extent(const int* v, int n, int* low, int* high) {
    *low = *std::min_element(v, v + n);
    *high = *std::max_element(v, v + n);
}

bool setupTriangle(const WinPoint v[3], FixedShape* s) {
    s->corners = 3;
    for (int i = 0; i < 3; ++i) {
        s->x[i] = snapEven(v[i].x);
        s->y[i] = snapEven(v[i].y);
    }
    const int64_t area = int64_t(s->x[0] - s->x[1]) * (s->y[2] - s->y[0]) -
                         int64_t(s->x[2] - s->x[0]) * (s->y[0] - s->y[1]);
    if (area == 0) return false;
    if (area < 0) {
        std::swap(s->x[0], s->x[1]);
        std::swap(s->y[0], s->y[1]);
    }
    makeEdges(s);
    int lowX, highX, lowY, highY;
    extent(s->x, 3, &lowX, &highX);
    extent(s->y, 3, &lowY, &highY);
    s->left = lowX >> kSubpixelBits;
    s->right = (highX - 1) >> kSubpixelBits;
    s->top = (lowY + 1) >> kSubpixelBits;
    s->bottom = highY >> kSubpixelBits;
    return true;
}

static bool nonNegative(float x) {
    return x >= 0;
}

static float fraction(float f) {
    return f - std::floor(f);
}

// Whether the pixels at a line's two ends are drawn follows the diamond-exit
// rule; where the plain quadrilateral would say otherwise, that end moves
// half a pixel along the line. d1, d2: the ends' offsets from their pixel
// centres along the major axis (m) and the minor one (n); dm, dn: first end
// minus last end; slope: dn / dm.
struct EndRule {
    bool drawStart, drawEnd, willDrawStart, willDrawEnd;
};

static EndRule xMajorEnds(WinPoint a, WinPoint b, float dx, float dy, float dydx) {
    const float x1diff = a.x - std::floor(a.x) - 0.5f;
    const float y1diff = a.y - std::floor(a.y) - 0.5f;
    const float x2diff = b.x - std::floor(b.x) - 0.5f;
    float y2diff = b.y - std::floor(b.y) - 0.5f;
    if (y2diff == -0.5f && dy < 0) y2diff = 0.5f;
    EndRule r;
    if (std::fabs(x1diff) + std::fabs(y1diff) < 0.5f) r.drawStart = true;
    else if (nonNegative(x1diff) == nonNegative(-dx)) r.drawStart = false;
    else if (nonNegative(-y1diff) != nonNegative(dy)) r.drawStart = true;
    else {
        const float cross = fraction(a.y) + x1diff * dydx;
        r.drawStart = cross < 1.0f && cross > 0.0f;
    }
    if (std::fabs(x2diff) + std::fabs(y2diff) < 0.5f) r.drawEnd = false;
    else if (nonNegative(x2diff) != nonNegative(-dx)) r.drawEnd = false;
    else if (nonNegative(-y2diff) == nonNegative(dy)) r.drawEnd = true;
    else {
        const float cross = fraction(b.y) + x2diff * dydx;
        r.drawEnd = cross < 1.0f && cross > 0.0f;
    }
    r.willDrawStart = nonNegative(-x1diff) != nonNegative(dx);
    r.willDrawEnd = nonNegative(x2diff) == nonNegative(-dx) || x2diff == 0;
    return r;
}

static EndRule yMajorEnds(WinPoint a, WinPoint b, float dx, float dy, float dxdy) {
    const float x1diff = a.x - std::floor(a.x) - 0.5f;
    const float y1diff = a.y - std::floor(a.y) - 0.5f;
    float x2diff = b.x - std::floor(b.x) - 0.5f;
    const float y2diff = b.y - std::floor(b.y) - 0.5f;
    if (x2diff == -0.5f && dx < 0) x2diff = 0.5f;
    EndRule r;
    if (std::fabs(x1diff) + std::fabs(y1diff) < 0.5f) r.drawStart = true;
    else if (nonNegative(-y1diff) == nonNegative(dy)) r.drawStart = false;
    else if (nonNegative(x1diff) != nonNegative(-dx)) r.drawStart = true;
    else {
        const float cross = fraction(a.x) + y1diff * dxdy;
        r.drawStart = cross < 1.0f && cross > 0.0f;
    }
    if (std::fabs(x2diff) + std::fabs(y2diff) < 0.5f) r.drawEnd = false;
    else if (nonNegative(-y2diff) != nonNegative(dy)) r.drawEnd = false;
    else if (nonNegative(x2diff) == nonNegative(-dx)) r.drawEnd = true;
    else {
        const float cross = fraction(b.x) + y2diff * dxdy;
        r.drawEnd = cross < 1.0f && cross >= 0.0f;
    }
    r.willDrawStart = nonNegative(y1diff) == nonNegative(dy);
    r.willDrawEnd = nonNegative(-y2diff) == nonNegative(dy) || y2diff == 0;
    return r;
}

// The four corners: along the major axis from the (possibly moved) ends,
// across it half the integer width to each side.
static void lineCorners(FixedShape* s, int major0, int major1, int minor0, int minor1,
                        int halfWidth, bool xMajor) {
    const int along[4] = {major0, major1, major1, major0};
    const int across[4] = {minor0 - halfWidth, minor1 - halfWidth, minor1 + halfWidth,
                           minor0 + halfWidth};
    for (int i = 0; i < 4; ++i) {
        s->x[i] = xMajor ? along[i] : across[i];
        s->y[i] = xMajor ? across[i] : along[i];
    }
}

static void xMajorLine(WinPoint a, WinPoint b, int halfWidth, FixedShape* s) {
    float dx = a.x - b.x, dy = a.y - b.y;
    const float dydx = dy / dx;
    const EndRule r = xMajorEnds(a, b, dx, dy, dydx);
    const float x1diff = a.x - std::floor(a.x) - 0.5f;
    const float x2diff = b.x - std::floor(b.x) - 0.5f;
    float xOff = 0, yOff = 0, xOffEnd = 0, yOffEnd = 0;
    if (dx < 0) {
        std::swap(a, b);
        if (r.willDrawStart != r.drawStart) {
            xOffEnd = -x1diff - 0.5f;
            yOffEnd = xOffEnd * dydx;
        }
        if (r.willDrawEnd != r.drawEnd) {
            xOff = -x2diff - 0.5f;
            yOff = xOff * dydx;
        }
    } else {
        if (r.willDrawStart != r.drawStart) {
            xOff = -x1diff + 0.5f;
            yOff = xOff * dydx;
        }
        if (r.willDrawEnd != r.drawEnd) {
            xOffEnd = -x2diff + 0.5f;
            yOffEnd = xOffEnd * dydx;
        }
    }
    lineCorners(s, snapAway(a.x + xOff - kSampleOffset), snapAway(b.x + xOffEnd - kSampleOffset),
                snapAway(a.y + yOff - kSampleOffset), snapAway(b.y + yOffEnd - kSampleOffset),
                halfWidth, true);
}

static void yMajorLine(WinPoint a, WinPoint b, int halfWidth, FixedShape* s) {
    float dx = a.x - b.x, dy = a.y - b.y;
    const float dxdy = dx / dy;
    const EndRule r = yMajorEnds(a, b, dx, dy, dxdy);
    const float y1diff = a.y - std::floor(a.y) - 0.5f;
    const float y2diff = b.y - std::floor(b.y) - 0.5f;
    float xOff = 0, yOff = 0, xOffEnd = 0, yOffEnd = 0;
    if (dy > 0) {
        std::swap(a, b);
        if (r.willDrawStart != r.drawStart) {
            yOffEnd = -y1diff + 0.5f;
            xOffEnd = yOffEnd * dxdy;
        }
        if (r.willDrawEnd != r.drawEnd) {
            yOff = -y2diff + 0.5f;
            xOff = yOff * dxdy;
        }
    } else {
        if (r.willDrawStart != r.drawStart) {
            yOff = -y1diff - 0.5f;
            xOff = yOff * dxdy;
        }
        if (r.willDrawEnd != r.drawEnd) {
            yOffEnd = -y2diff - 0.5f;
            xOffEnd = yOffEnd * dxdy;
        }
    }
    lineCorners(s, snapAway(a.y + yOff - kSampleOffset), snapAway(b.y + yOffEnd - kSampleOffset),
                snapAway(a.x + xOff - kSampleOffset), snapAway(b.x + xOffEnd - kSampleOffset),
                halfWidth, false);
}

bool setupLine(WinPoint a, WinPoint b, float width, FixedShape* s) {
    const float dx = a.x - b.x, dy = a.y - b.y;
    if (dx * dx + dy * dy == 0) return false;
    const float w = std::max(1.0f, width);
    const int halfWidth = roundAway(w) * kSubpixelOne / 2;
    s->corners = 4;
    if (std::fabs(dx) >= std::fabs(dy)) xMajorLine(a, b, halfWidth, s);
    else yMajorLine(a, b, halfWidth, s);
    makeEdges(s);
    int lowX, highX, lowY, highY;
    extent(s->x, 4, &lowX, &highX);
    extent(s->y, 4, &lowY, &highY);
    const int up = kSubpixelOne - 1;
    s->left = (lowX + up) >> kSubpixelBits;
    s->right = ((highX + up) >> kSubpixelBits) - 1;
    s->top = (lowY + up + 1) >> kSubpixelBits;
    s->bottom = ((highY + up + 1) >> kSubpixelBits) - 1;
    return true;
}
