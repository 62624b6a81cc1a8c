// The phase plane: labels, frame, markers and the two curves with their gaps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/phase_plane.h"
#include "tests/test_scene_fixture.h"

namespace {

constexpr double kModelPi = 3.14159265358979;
constexpr double kSx = 0.3;
constexpr double kSy = 0.3 / kModelPi;

class PhasePlaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        useShownDefaults();
        fillAllRuns(3, 5);
        recorderReset();
    }

    static RecPoint plot(double plotD, double errTheta) {
        return RecPoint{viewState.phaseOriginX + kSx * plotD, viewState.phaseOriginY + kSy * errTheta};
    }

    static void setErrTheta(int m, int law, const std::vector<double>& values) {
        for (size_t i = 0; i < values.size(); ++i) {
            trajectoryRecord.track[law][m][i].plotD = 0.1 * i;
            trajectoryRecord.track[law][m][i].errTheta = values[i];
        }
        trajectoryRecord.lastSample[m][law] = static_cast<int>(values.size()) - 1;
    }
};

TEST_F(PhasePlaneTest, FrameAndAxesSpanTheDefaultPlace) {
    const double origin[2] = {0.6, 0.55};
    drawPhaseFrame(origin);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 6u);
    const RecPoint ends[6][2] = {{{0.9, 0.55}, {0.3, 0.55}}, {{0.9, 0.25}, {0.3, 0.25}},
                                 {{0.9, 0.85}, {0.3, 0.85}}, {{0.6, 0.85}, {0.6, 0.25}},
                                 {{0.3, 0.85}, {0.3, 0.25}}, {{0.9, 0.85}, {0.9, 0.25}}};
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(isSegment(prims[i]));
        EXPECT_TRUE(near(prims[i].window[0], ends[i][0], 1e-12)) << i;
        EXPECT_TRUE(near(prims[i].window[1], ends[i][1], 1e-12)) << i;
        EXPECT_FLOAT_EQ(prims[i].lineWidth, 2.4f);
        EXPECT_TRUE(sameColour(prims[i].colour, colorBlack));
    }
}

TEST_F(PhasePlaneTest, LabelsMoveWithThePhaseOrigin) {
    viewState.phaseOriginX = 0.5;
    viewState.phaseOriginY = 0.4;
    drawPhasePlane(Mech2DW1C, ControlP, 0, 0);
    const auto& texts = recorderTexts();
    ASSERT_EQ(texts.size(), 5u);
    const char* labels[] = {"dd(t)", "dth[rad]", "blue :P-Control", "green:PI-Control",
                            "(dd,dth) Phase Plane"};
    const float x[] = {0.6f, 0.4f, 0.39f, 0.39f, 0.3f};
    const float y[] = {0.35f, 0.6f, 0.78f, 0.73f, 0.05f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(texts[i].bytes, labels[i]);
        EXPECT_FLOAT_EQ(texts[i].x, x[i]) << i;
        EXPECT_FLOAT_EQ(texts[i].y, y[i]) << i;
    }
    // Labels come first, then the frame.
    EXPECT_LT(texts[4].callIndex, recorderPrimitives()[0].callIndex);
    EXPECT_TRUE(near(recorderPrimitives()[0].window[0], {0.8, 0.4}, 1e-12));
}

TEST_F(PhasePlaneTest, MarkersAndCurvesOfTheLawShown) {
    drawPhasePlane(Mech1FDW1FS, ControlP, 2, 4);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 6u + 2 + 3 + 5);
    for (int i = 6; i < 8; ++i) {
        ASSERT_TRUE(isDisc(prims[i]));
        EXPECT_TRUE(sameColour(prims[i].colour, colorBlue));
        EXPECT_NEAR(discRadius(prims[i]), 0.01, 1e-12);
    }
    EXPECT_TRUE(near(discCentre(prims[6]), plot(0.0, 0.0)));
    EXPECT_TRUE(near(discCentre(prims[7]), plot(0.2, 0.04)));
    for (int i = 1; i <= 3; ++i) {
        const RecordedPrimitive& s = prims[7 + i];
        EXPECT_TRUE(sameColour(s.colour, colorBlue));
        EXPECT_FLOAT_EQ(s.lineWidth, 2.0f);
        EXPECT_TRUE(near(s.window[0], plot(0.1 * (i - 1), 0.02 * (i - 1))));
        EXPECT_TRUE(near(s.window[1], plot(0.1 * i, 0.02 * i)));
    }
    for (int i = 1; i <= 5; ++i) {
        const RecordedPrimitive& s = prims[10 + i];
        EXPECT_TRUE(sameColour(s.colour, colorGreen));
        EXPECT_TRUE(near(s.window[1], plot(0.1 * i, 0.04 * i)));
    }
    for (const RecordedPrimitive& p : prims) EXPECT_FALSE(touchesPoison(p));

    recorderReset();
    drawPhasePlane(Mech1FDW1FS, ControlPI, 2, 4);
    EXPECT_TRUE(sameColour(recorderPrimitives()[6].colour, colorGreen));
    EXPECT_TRUE(near(discCentre(recorderPrimitives()[6]), plot(0.0, 0.0)));
    EXPECT_TRUE(near(discCentre(recorderPrimitives()[7]), plot(0.4, 0.16)));
}

TEST_F(PhasePlaneTest, CurveBreaksWhereTheHeadingErrorJumpsByPiOrMore) {
    // Crossing +pi (recorded as just above -pi), exactly pi, and just under pi.
    setErrTheta(0, ControlP, {3.0, 3.1, -3.1, -3.0, 0.0, kModelPi, 0.0, kModelPi - 1e-9});
    const double origin[2] = {0.6, 0.55};
    drawPhaseTrajectory(origin, kSx, kSy, 0.005, 0, ControlP, &colorBlue);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 4u);  // pairs 0-1, 2-3, 3-4, 6-7
    EXPECT_TRUE(near(prims[0].window[1], plot(0.1, 3.1)));
    EXPECT_TRUE(near(prims[1].window[0], plot(0.2, -3.1)));
    EXPECT_TRUE(near(prims[2].window[1], plot(0.4, 0.0)));
    EXPECT_TRUE(near(prims[3].window[0], plot(0.6, 0.0)));
    EXPECT_TRUE(near(prims[3].window[1], plot(0.7, kModelPi - 1e-9)));
}

TEST_F(PhasePlaneTest, CurvesAndMarkersStayInsideTheFrame) {
    // dd 0.8 -> 1.2 -> 1.4 -> 0.6 m: out through the right edge, wholly outside, back in.
    const double dd[] = {0.8, 1.2, 1.4, 0.6};
    for (int i = 0; i < 4; ++i) {
        trajectoryRecord.track[ControlP][0][i].plotD = dd[i];
        trajectoryRecord.track[ControlP][0][i].errTheta = 0.1 * i;
    }
    trajectoryRecord.lastSample[0][ControlP] = 3;
    fillRun(0, ControlPI, 0);
    drawPhasePlane(Mech2DW1C, ControlP, 2, 0);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 6u + 1 + 2);  // the marker at dd 1.4 m is left out
    EXPECT_TRUE(near(discCentre(prims[6]), plot(0.8, 0.0)));
    EXPECT_TRUE(near(prims[7].window[0], plot(0.8, 0.0)));
    EXPECT_TRUE(near(prims[7].window[1], plot(1.0, 0.05), 1e-12));  // on the right edge
    EXPECT_TRUE(near(prims[8].window[0], plot(1.0, 0.2 + 0.1 * 0.5), 1e-12));
    EXPECT_TRUE(near(prims[8].window[1], plot(0.6, 0.3)));
}

TEST_F(PhasePlaneTest, CurveOfAnEmptyRunOrUnknownLawDrawsNothing) {
    const double origin[2] = {0.6, 0.55};
    fillRun(1, ControlPI, 0);
    drawPhaseTrajectory(origin, kSx, kSy, 0.005, 1, ControlPI, &colorGreen);
    drawPhaseTrajectory(origin, kSx, kSy, 0.005, 1, 0, &colorGreen);
    EXPECT_TRUE(recorderPrimitives().empty());
}

}  // namespace
