// Small helpers shared by the figure tests, on top of the GL recorder.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "figures/primitives.h"
#include "tests/gl_recorder.h"

inline bool sameColour(const float c[4], const RgbaColor& e) {
    return c[0] == e.red && c[1] == e.green && c[2] == e.blue && c[3] == e.alpha;
}

// The GL state every primitive must leave behind, and how it drew.
inline void expectCleanProtocol(int depthBefore = 0) {
    const RecorderState& s = recorderState();
    EXPECT_TRUE(s.lighting);
    EXPECT_EQ(s.stackDepth, depthBefore);
    EXPECT_FALSE(s.insideBegin);
    EXPECT_TRUE(recorderErrors().empty()) << recorderErrors().front();
    for (const RecordedPrimitive& p : recorderPrimitives()) EXPECT_FALSE(p.lighting);
}

inline void expectNear(RecPoint a, double x, double y, double tol = 1e-12) {
    EXPECT_NEAR(a.x, x, tol);
    EXPECT_NEAR(a.y, y, tol);
}

// Twice the signed area of a closed polygon: positive when counter-clockwise.
inline double signedArea2(const std::vector<RecPoint>& pts) {
    double sum = 0.0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const RecPoint& a = pts[i];
        const RecPoint& b = pts[(i + 1) % pts.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

struct Extent {
    double minX, maxX, minY, maxY;
};

inline Extent extentOf(const std::vector<RecPoint>& pts) {
    Extent e{pts[0].x, pts[0].x, pts[0].y, pts[0].y};
    for (const RecPoint& p : pts) {
        e.minX = std::fmin(e.minX, p.x);
        e.maxX = std::fmax(e.maxX, p.x);
        e.minY = std::fmin(e.minY, p.y);
        e.maxY = std::fmax(e.maxY, p.y);
    }
    return e;
}
