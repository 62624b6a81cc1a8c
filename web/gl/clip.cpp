#include "web/gl/clip.h"

#include <algorithm>
#include <cmath>

#include "web/gl/frame.h"

static constexpr int kPlanes = 6;
static constexpr int kMaxPolygon = 3 + kPlanes;

// Viewport scale and offset for y down from the top row, as the rasteriser counts.
struct Viewport {
    float scale[2], offset[2];
};

static int viewportBox[4] = {0, 0, 0, 0};

struct Vertex {
    ClipVertex clip;
    WinPoint window;
    unsigned outside;  // one bit per view-volume plane the vertex is beyond
};

void clipSetViewport(int x, int y, int width, int height) {
    viewportBox[0] = x;
    viewportBox[1] = y;
    viewportBox[2] = width;
    viewportBox[3] = height;
}

// Taken at drawing time: the frame's height may have changed since glViewport.
static Viewport currentViewport() {
    const float halfWidth = static_cast<float>(viewportBox[2]) / 2.0f;
    const float halfHeight = static_cast<float>(viewportBox[3]) / 2.0f;
    Viewport v;
    v.scale[0] = halfWidth;
    v.offset[0] = halfWidth + static_cast<float>(viewportBox[0]);
    v.scale[1] = -halfHeight;
    v.offset[1] = static_cast<float>(frameHeight()) - (halfHeight + static_cast<float>(viewportBox[1]));
    return v;
}

static float planeDistance(const ClipVertex& v, int plane) {
    const float sign = (plane % 2 == 0) ? -1.0f : 1.0f;
    const float coordinate = plane < 2 ? v.x : plane < 4 ? v.y : v.z;
    // Near and far are given the other way round: z + w for the first.
    const float s = plane < 4 ? sign : -sign;
    return coordinate * s + v.w;
}

// The vertex shader's own mapping: one rounding for scale and offset together.
static Vertex shaded(ClipVertex c) {
    const Viewport viewport = currentViewport();
    Vertex v;
    v.clip = c;
    const float oneOverW = 1.0f / c.w;
    v.window.x = std::fma(c.x * oneOverW, viewport.scale[0], viewport.offset[0]);
    v.window.y = std::fma(c.y * oneOverW, viewport.scale[1], viewport.offset[1]);
    v.outside = 0;
    for (int p = 0; p < kPlanes; ++p)
        if (planeDistance(c, p) < 0.0f) v.outside |= 1u << p;
    return v;
}

static float lerp(float t, float out, float in) {
    return out + t * (in - out);
}

// A vertex made by the clipper, mapped by plain C arithmetic.
static Vertex between(float t, const Vertex& out, const Vertex& in) {
    const Viewport viewport = currentViewport();
    Vertex v;
    v.clip = {lerp(t, out.clip.x, in.clip.x), lerp(t, out.clip.y, in.clip.y),
              lerp(t, out.clip.z, in.clip.z), lerp(t, out.clip.w, in.clip.w)};
    const float oneOverW = 1.0f / v.clip.w;
    v.window.x = v.clip.x * oneOverW * viewport.scale[0] + viewport.offset[0];
    v.window.y = v.clip.y * oneOverW * viewport.scale[1] + viewport.offset[1];
    v.outside = 0;
    return v;
}

static void fillLine(WinPoint a, WinPoint b, float width, const unsigned char rgba[4]) {
    FixedShape shape;
    if (setupLine(a, b, width, &shape)) frameFill(shape, rgba);
}

void clipLine(ClipVertex ca, ClipVertex cb, float width, const unsigned char rgba[4]) {
    const Vertex a = shaded(ca), b = shaded(cb);
    unsigned planes = a.outside | b.outside;
    if (planes == 0) return fillLine(a.window, b.window, width, rgba);
    if (a.outside & b.outside) return;
    float t0 = 0.0f, t1 = 0.0f;
    for (int p = 0; p < kPlanes; ++p) {
        if (!(planes & (1u << p))) continue;
        const float d0 = planeDistance(a.clip, p), d1 = planeDistance(b.clip, p);
        if (d1 < 0.0f) t1 = std::max(t1, d1 / (d1 - d0));
        if (d0 < 0.0f) t0 = std::max(t0, d0 / (d0 - d1));
        if (t0 + t1 >= 1.0f) return;
    }
    const WinPoint from = a.outside ? between(t0, a, b).window : a.window;
    const WinPoint to = b.outside ? between(t1, b, a).window : b.window;
    fillLine(from, to, width, rgba);
}

static void fillFan(const Vertex* polygon, int n, const unsigned char rgba[4]) {
    for (int i = 2; i < n; ++i) {
        const WinPoint t[3] = {polygon[i - 1].window, polygon[i].window, polygon[0].window};
        FixedShape shape;
        if (setupTriangle(t, &shape)) frameFill(shape, rgba);
    }
}

// One plane of the polygon cut: vertices on the inside kept, one new vertex
// where an edge crosses, interpolated from its inner end.
static int cutByPlane(const Vertex* in, int n, int plane, Vertex* out) {
    int count = 0;
    const Vertex* previous = &in[0];
    float dPrevious = planeDistance(previous->clip, plane);
    for (int i = 1; i <= n; ++i) {
        const Vertex* vertex = &in[i % n];
        const float d = planeDistance(vertex->clip, plane);
        bool crosses;
        if (dPrevious >= 0.0f) {
            out[count++] = *previous;
            crosses = d < 0.0f;
        } else {
            crosses = !(d < 0.0f);
        }
        if (crosses) {
            const float denominator = d - dPrevious;
            const bool leaving = d < 0.0f;
            const bool fromVertex = leaving ? (-d < dPrevious) : !(-dPrevious < d);
            out[count++] = fromVertex ? between(d / denominator, *vertex, *previous)
                                      : between(-dPrevious / denominator, *previous, *vertex);
        }
        previous = vertex;
        dPrevious = d;
    }
    return count;
}

void clipTriangle(const ClipVertex v[3], const unsigned char rgba[4]) {
    Vertex polygon[2][kMaxPolygon];
    for (int i = 0; i < 3; ++i) polygon[0][i] = shaded(v[i]);
    const unsigned planes = polygon[0][0].outside | polygon[0][1].outside | polygon[0][2].outside;
    if (planes == 0) return fillFan(polygon[0], 3, rgba);
    if (polygon[0][0].outside & polygon[0][1].outside & polygon[0][2].outside) return;
    int n = 3, current = 0;
    for (int p = 0; p < kPlanes && n >= 3; ++p) {
        if (!(planes & (1u << p))) continue;
        n = cutByPlane(polygon[current], n, p, polygon[1 - current]);
        current = 1 - current;
    }
    fillFan(polygon[current], n, rgba);
}

bool clipPoint(ClipVertex c, float* x, float* y) {
    const Vertex v = shaded(c);
    *x = v.window.x;
    *y = static_cast<float>(frameHeight()) - v.window.y;
    return v.outside == 0;
}
