#include <gtest/gtest.h>

#include <cmath>

#include "figures/primitives.h"
#include "tests/figures_test_util.h"
#include "tests/gl_recorder.h"

namespace {

constexpr double kStep = 2.0 * piConst / circleSegments;

class Primitives : public ::testing::Test {
protected:
    void SetUp() override { recorderReset(); }
};

TEST_F(Primitives, DiscAndCircleSendThe120GonAroundTheCentre) {
    const double centre[2] = {0.3, -0.2};
    drawDisc(centre, 0.05, &colorRed);
    drawCircle(centre, 0.05, &colorBlue);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 2u);

    const RecordedPrimitive& disc = prims[0];
    EXPECT_EQ(disc.mode, GLenum(GL_POLYGON));
    ASSERT_EQ(disc.local.size(), 120u);
    EXPECT_TRUE(sameColour(disc.colour, colorRed));
    for (int i = 0; i < 120; ++i)
        expectNear(disc.window[i], 0.3 + 0.05 * std::cos(i * kStep), -0.2 + 0.05 * std::sin(i * kStep));
    EXPECT_GT(signedArea2(disc.local), 0.0);

    // P0 P1, P1 P2, ..., P118 P119: the same points as the disc, in pairs.
    const RecordedPrimitive& circle = prims[1];
    EXPECT_EQ(circle.mode, GLenum(GL_LINE_LOOP));
    ASSERT_EQ(circle.local.size(), 238u);
    EXPECT_TRUE(sameColour(circle.colour, colorBlue));
    for (int i = 1; i < 120; ++i) {
        const RecPoint& prev = circle.local[2 * (i - 1)];
        const RecPoint& cur = circle.local[2 * (i - 1) + 1];
        EXPECT_TRUE(prev.x == disc.local[i - 1].x && prev.y == disc.local[i - 1].y) << i;
        EXPECT_TRUE(cur.x == disc.local[i].x && cur.y == disc.local[i].y) << i;
    }
}

// The unit-circle table must not change a single bit of what is sent.
TEST_F(Primitives, CircleVerticesAreBitIdenticalToDirectTrigonometry) {
    const double centre[2] = {0.0, 0.0};
    for (double r : {0.008, 0.04 * 0.2, 0.013, 0.0123456789, 1.0 / 3.0, -0.05, 7.25}) {
        recorderReset();
        drawDisc(centre, r, &colorWhite);
        drawCircle(centre, r, &colorBlack);
        const auto& prims = recorderPrimitives();
        ASSERT_EQ(prims.size(), 2u);
        for (int i = 0; i < 120; ++i) {
            const RecPoint& v = prims[0].local[i];
            EXPECT_TRUE(v.x == r * std::cos(i * kStep) && v.y == r * std::sin(i * kStep)) << r << " " << i;
        }
        const RecPoint& first = prims[1].local[0];
        EXPECT_TRUE(first.x == r && first.y == 0.0);
        for (int i = 1; i < 120; ++i) {
            const RecPoint& v = prims[1].local[2 * i - 1];
            EXPECT_TRUE(v.x == r * std::cos(i * kStep) && v.y == r * std::sin(i * kStep)) << r << " " << i;
        }
    }
}

TEST_F(Primitives, DegenerateAndNegativeRadii) {
    const double centre[2] = {-0.4, 0.25};
    drawDisc(centre, 0.0, &colorRed);
    drawCircle(centre, 0.0, &colorRed);
    for (const RecordedPrimitive& p : recorderPrimitives())
        for (const RecPoint& v : p.window) expectNear(v, -0.4, 0.25, 0.0);

    // A negative radius: the same 120-gon, starting on the -x side.
    recorderReset();
    drawDisc(centre, -0.1, &colorRed);
    drawDisc(centre, 0.1, &colorRed);
    const auto& prims = recorderPrimitives();
    expectNear(prims[0].window[0], -0.5, 0.25);
    for (int i = 0; i < 120; ++i) {
        const RecPoint& neg = prims[0].local[i];
        const RecPoint& pos = prims[1].local[(i + 60) % 120];
        expectNear(neg, pos.x, pos.y, 1e-9);
    }
}

TEST_F(Primitives, RectangleTurnsAboutItsCorner) {
    const double corner[2] = {0.1, 0.2};
    drawRectangle(corner, 0.3, 0.1, 0.0, &colorWhite);
    drawRectangle(corner, 0.3, 0.1, piConst / 2, &colorWhite);
    drawRectangleOutline(corner, 0.3, 0.1, piConst / 2, &colorBlack);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 3u);

    EXPECT_EQ(prims[0].mode, GLenum(GL_POLYGON));
    ASSERT_EQ(prims[0].window.size(), 4u);
    expectNear(prims[0].window[0], 0.1, 0.2);
    expectNear(prims[0].window[1], 0.4, 0.2);
    expectNear(prims[0].window[2], 0.4, 0.3);
    expectNear(prims[0].window[3], 0.1, 0.3);

    // Width up the +y axis, height towards -x, the corner fixed.
    for (int k = 1; k <= 2; ++k) {
        ASSERT_EQ(prims[k].window.size(), 4u);
        expectNear(prims[k].window[0], 0.1, 0.2, 1e-9);
        expectNear(prims[k].window[1], 0.1, 0.5, 1e-9);
        expectNear(prims[k].window[2], 0.0, 0.5, 1e-9);
        expectNear(prims[k].window[3], 0.0, 0.2, 1e-9);
    }
    EXPECT_EQ(prims[2].mode, GLenum(GL_LINE_LOOP));
    EXPECT_TRUE(sameColour(prims[2].colour, colorBlack));
}

TEST_F(Primitives, SegmentWidthInPixelsAndResetAfterwards) {
    const double p1[2] = {-0.3, 0.1}, p2[2] = {0.45, -0.6};
    const double widths[] = {0.01, 0.008, 0.013, 0.04 * 0.2};
    const float pixels[] = {4.0f, 3.2f, 5.2f, 3.2f};
    for (int k = 0; k < 4; ++k) {
        recorderReset();
        drawSegment(p1, p2, widths[k], &colorGreen);
        const auto& prims = recorderPrimitives();
        ASSERT_EQ(prims.size(), 1u);
        EXPECT_EQ(prims[0].mode, GLenum(GL_LINES));
        EXPECT_FLOAT_EQ(prims[0].lineWidth, pixels[k]);
        EXPECT_TRUE(sameColour(prims[0].colour, colorGreen));
        ASSERT_EQ(prims[0].local.size(), 2u);
        expectNear(prims[0].local[0], -0.3, 0.1, 0.0);
        expectNear(prims[0].local[1], 0.45, -0.6, 0.0);
        EXPECT_EQ(recorderState().lineWidth, 2.0f);
        EXPECT_EQ(recorderCount("glPushMatrix") + recorderCount("glTranslated"), 0);
        expectCleanProtocol();
    }
}

// Outlines take the current width: GL's 1 pixel at first, 2 after a segment.
TEST_F(Primitives, OutlinesDrawOnePixelBeforeAnySegmentAndTwoAfter) {
    const double c[2] = {0.0, 0.0};
    drawCircle(c, 0.1, &colorBlack);
    drawRectangleOutline(c, 0.1, 0.1, 0.3, &colorBlack);
    drawSegment(c, c, 0.05, &colorBlack);
    drawCircle(c, 0.1, &colorBlack);
    drawRectangleOutline(c, 0.1, 0.1, 0.3, &colorBlack);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 5u);
    EXPECT_EQ(prims[0].lineWidth, 1.0f);
    EXPECT_EQ(prims[1].lineWidth, 1.0f);
    EXPECT_EQ(prims[3].lineWidth, 2.0f);
    EXPECT_EQ(prims[4].lineWidth, 2.0f);
    EXPECT_EQ(recorderCount("glLineWidth"), 2);
}

TEST_F(Primitives, ShapeFrameCallOrder) {
    const double corner[2] = {0.2, 0.1};
    drawRectangle(corner, 0.1, 0.2, 0.5, &colorBlue);
    const std::vector<std::string> expected = {
        "glDisable", "glPushMatrix", "glTranslated", "glRotated", "glColor4f", "glBegin",
        "glVertex2d", "glVertex2d", "glVertex2d", "glVertex2d", "glEnd", "glPopMatrix", "glEnable"};
    EXPECT_EQ(recorderCallNames(), expected);
    const auto& calls = recorderCalls();
    EXPECT_EQ(calls[0].args[0], double(GL_LIGHTING));
    EXPECT_EQ(calls[2].args, (std::vector<double>{0.2, 0.1, 0.0}));
    EXPECT_EQ(calls[3].args, (std::vector<double>{0.5 / radPerDeg, 0.0, 0.0, 1.0}));
    EXPECT_EQ(calls[12].args[0], double(GL_LIGHTING));

    recorderReset();
    drawDisc(corner, 0.1, &colorBlue);
    EXPECT_EQ(recorderCount("glRotated"), 0);
}

TEST_F(Primitives, AnySequenceLeavesLightingOnAndTheStackAsItWas) {
    const double a[2] = {0.1, 0.1}, b[2] = {-0.2, 0.3};
    glPushMatrix();  // a caller's own level must survive
    drawSegment(a, b, 0.01, &colorRed);
    drawRectangle(a, 0.1, 0.1, 1.0, &colorWhite);
    drawDisc(b, 0.02, &colorGreen);
    drawRectangleOutline(a, 0.1, 0.1, 1.0, &colorBlack);
    drawCircle(b, 0.02, &colorBlue);
    drawSegment(b, a, 0.02, &colorBlack);
    expectCleanProtocol(1);
    EXPECT_TRUE(sameColour(recorderState().colour, colorBlack));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(recorderState().modelview[i], (i % 5 == 0) ? 1.0 : 0.0);
}

}  // namespace
