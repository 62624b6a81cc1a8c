#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "figures/shapes.h"
#include "tests/figures_test_util.h"
#include "tests/gl_recorder.h"

namespace {

constexpr double kHalfStep = piConst / circleSegments;

class Shapes : public ::testing::Test {
protected:
    void SetUp() override { recorderReset(); }
};

TEST_F(Shapes, CapsuleOutlineAndExtents) {
    const double centre[2] = {0.25, -0.1};
    drawCapsule(centre, 0.24, 0.12, 0.0, &colorBlue);
    drawCapsuleOutline(centre, 0.24, 0.12, 0.0, &colorBlack);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(prims[0].mode, GLenum(GL_POLYGON));
    EXPECT_EQ(prims[1].mode, GLenum(GL_LINE_LOOP));
    ASSERT_EQ(prims[0].local.size(), 242u);
    ASSERT_EQ(prims[1].local.size(), 242u);
    for (size_t i = 0; i < 242; ++i)
        EXPECT_TRUE(prims[0].local[i].x == prims[1].local[i].x && prims[0].local[i].y == prims[1].local[i].y);

    // Corners in order: rear left, rear right after the rear arc, front right, front left last.
    const auto& v = prims[0].window;
    expectNear(v[0], 0.25 - 0.12, -0.1 + 0.06);
    expectNear(v[120], 0.25 - 0.12, -0.1 - 0.06);
    expectNear(v[121], 0.25 + 0.12, -0.1 - 0.06);
    expectNear(v[241], 0.25 + 0.12, -0.1 + 0.06);
    expectNear(v[60], 0.25 - 0.18, -0.1, 1e-9);   // back of the rear arc
    expectNear(v[181], 0.25 + 0.18, -0.1, 1e-9);  // tip of the front arc

    const Extent e = extentOf(v);
    EXPECT_NEAR(e.minX, 0.25 - 0.18, 1e-12);
    EXPECT_NEAR(e.maxX, 0.25 + 0.18, 1e-12);
    EXPECT_NEAR(e.minY, -0.1 - 0.06, 1e-12);
    EXPECT_NEAR(e.maxY, -0.1 + 0.06, 1e-12);
    EXPECT_GT(signedArea2(prims[0].local), 0.0);
    // Stadium area: rectangle plus a full disc of radius width/2.
    EXPECT_NEAR(signedArea2(prims[0].local) / 2, 0.24 * 0.12 + piConst * 0.06 * 0.06, 1e-5);
}

TEST_F(Shapes, CapsuleArcsAreBitIdenticalToDirectTrigonometry) {
    const double centre[2] = {0.0, 0.0};
    const double length = 0.12 * 0.2, width = 0.08 * 0.2;
    drawCapsule(centre, length, width, 0.3, &colorWhite);
    const auto& v = recorderPrimitives()[0].local;
    const double r = width / 2, xR = -length / 2, xF = length / 2;
    for (int i = 1; i <= 119; ++i) {
        const double rear = piConst / 2 + i * kHalfStep;
        const double front = -piConst / 2 + i * kHalfStep;
        EXPECT_TRUE(v[i].x == xR + r * std::cos(rear) && v[i].y == r * std::sin(rear)) << i;
        EXPECT_TRUE(v[121 + i].x == xF + r * std::cos(front) && v[121 + i].y == r * std::sin(front)) << i;
    }
}

TEST_F(Shapes, CapsuleOfLengthZeroIsADiscAndAngleTurnsIt) {
    const double centre[2] = {-0.3, 0.4};
    drawCapsule(centre, 0.0, 0.1, 1.1, &colorWhite);
    const auto& disc = recorderPrimitives()[0];
    ASSERT_EQ(disc.window.size(), 242u);
    for (const RecPoint& p : disc.window) EXPECT_NEAR(std::hypot(p.x + 0.3, p.y - 0.4), 0.05, 1e-12);

    recorderReset();
    drawCapsule(centre, 0.2, 0.1, piConst / 2, &colorWhite);
    const Extent e = extentOf(recorderPrimitives()[0].window);
    EXPECT_NEAR(e.minX, -0.35, 1e-9);
    EXPECT_NEAR(e.maxX, -0.25, 1e-9);
    EXPECT_NEAR(e.minY, 0.25, 1e-9);
    EXPECT_NEAR(e.maxY, 0.55, 1e-9);
    expectNear(recorderPrimitives()[0].window[0], -0.35, 0.3, 1e-9);  // rear left now lies down and left
}

TEST_F(Shapes, HalfDiscFromStraightDownThroughMinusX) {
    const double centre[2] = {0.1, 0.2};
    const double r = 0.05;
    drawHalfDisc(centre, r, -piConst / 2, &colorWhite);
    drawHalfCircle(centre, r, -piConst / 2, &colorBlack);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 2u);
    EXPECT_EQ(recorderCount("glRotated"), 0);

    const RecordedPrimitive& disc = prims[0];
    EXPECT_EQ(disc.mode, GLenum(GL_POLYGON));
    ASSERT_EQ(disc.window.size(), 120u);
    expectNear(disc.window[0], 0.1, 0.2 - r, 1e-12);
    // Last point 1.5 degrees short of half a turn: just past straight up, on the -x side.
    expectNear(disc.window[119], 0.1 - r * std::sin(1.5 * piConst / 180), 0.2 + r * std::cos(1.5 * piConst / 180), 1e-9);
    for (const RecPoint& p : disc.window) EXPECT_LE(p.x, 0.1 + 1e-12);
    EXPECT_LT(signedArea2(disc.local), 0.0);  // clockwise
    // Within a few ulps of the radius rather than bit for bit: mingw's cos(-pi/2) is
    // -5.10341196928e-12 where glibc's is -5.10341196726e-12.
    for (int i = 0; i < 120; ++i) {
        const double a = -piConst / 2 - i * kHalfStep;
        EXPECT_NEAR(disc.local[i].x, r * std::cos(a), 4 * DBL_EPSILON * r) << i;
        EXPECT_NEAR(disc.local[i].y, r * std::sin(a), 4 * DBL_EPSILON * r) << i;
    }

    // The arc: the same points in pairs, an open strip.
    const RecordedPrimitive& arc = prims[1];
    EXPECT_EQ(arc.mode, GLenum(GL_LINE_STRIP));
    ASSERT_EQ(arc.local.size(), 238u);
    for (int i = 1; i < 120; ++i) {
        const RecPoint& prev = arc.local[2 * (i - 1)];
        const RecPoint& cur = arc.local[2 * i - 1];
        EXPECT_TRUE(prev.x == disc.local[i - 1].x && prev.y == disc.local[i - 1].y) << i;
        EXPECT_TRUE(cur.x == disc.local[i].x && cur.y == disc.local[i].y) << i;
    }
}

TEST_F(Shapes, BodyPentagonAtTheDefaultZoom) {
    const double origin[2] = {0.0, 0.0};
    const double z = 0.2;
    drawBodyPentagon(origin, 1.2 * z, 1.0 * z, 0.2 * z, 0.5235987755982988, 0.0, &colorBlue);
    const auto& p = recorderPrimitives()[0];
    EXPECT_EQ(p.mode, GLenum(GL_POLYGON));
    ASSERT_EQ(p.window.size(), 5u);
    expectNear(p.window[0], -0.04, -0.1, 1e-12);
    expectNear(p.window[1], 0.2, -0.1, 1e-12);
    expectNear(p.window[2], 0.257735, 0.0, 1e-6);
    expectNear(p.window[3], 0.2, 0.1, 1e-12);
    expectNear(p.window[4], -0.04, 0.1, 1e-12);
    EXPECT_TRUE(sameColour(p.colour, colorBlue));
}

TEST_F(Shapes, BodyPentagonTurnsAboutItsOriginAndFlatNose) {
    const double origin[2] = {0.3, -0.2};
    drawBodyPentagon(origin, 0.24, 0.2, 0.04, 0.5235987755982988, piConst / 2, &colorGreen);
    const auto& turned = recorderPrimitives()[0].window;
    expectNear(turned[0], 0.3 + 0.1, -0.2 - 0.04, 1e-9);   // rear right
    expectNear(turned[2], 0.3, -0.2 + 0.257735, 1e-6);     // nose ahead, now up

    recorderReset();
    drawBodyPentagon(origin, 0.24, 0.2, 0.04, 0.0, 0.0, &colorGreen);
    const auto& flat = recorderPrimitives()[0].window;
    expectNear(flat[2], 0.3 + 0.2, -0.2, 1e-12);  // mid-point of the front edge
}

TEST_F(Shapes, EveryShapeKeepsTheProtocol) {
    const double c[2] = {0.1, 0.1};
    drawCapsule(c, 0.1, 0.05, 0.4, &colorBlue);
    drawCapsuleOutline(c, 0.1, 0.05, 0.4, &colorBlack);
    drawHalfDisc(c, 0.02, 0.3, &colorWhite);
    drawHalfCircle(c, 0.02, 0.3, &colorBlack);
    drawBodyPentagon(c, 0.2, 0.1, 0.03, 0.5, 0.4, &colorGreen);
    expectCleanProtocol();
    EXPECT_EQ(recorderCount("glPushMatrix"), 5);
    EXPECT_EQ(recorderCount("glLineWidth"), 0);
    const auto& prims = recorderPrimitives();
    const RgbaColor* colours[] = {&colorBlue, &colorBlack, &colorWhite, &colorBlack, &colorGreen};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(sameColour(prims[i].colour, *colours[i])) << i;
        EXPECT_EQ(prims[i].stackDepth, 1) << i;
    }
}

}  // namespace
