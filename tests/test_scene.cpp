// The frame as the recording stand-in sees it: order of the layers, grid,
// path, trajectories, animation and the phase-plane background.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "display/scene.h"
#include "tests/test_scene_fixture.h"

namespace {

constexpr int kGridLines = 162;

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        useShownDefaults();
        fillAllRuns(3, 5);
        recorderReset();
    }

    void drawFrame() {
        recorderReset();
        onDisplay();
        ASSERT_TRUE(recorderErrors().empty()) << recorderErrors().front();
    }

    static size_t whiteBackgroundIndex() {
        const auto& prims = recorderPrimitives();
        // The last white rectangle: vehicle figures have white parts too.
        for (size_t i = prims.size(); i-- > 0;) {
            if (prims[i].mode == GL_POLYGON && prims[i].window.size() == 4 &&
                sameColour(prims[i].colour, colorWhite)) {
                return i;
            }
        }
        return prims.size();
    }
};

TEST_F(SceneTest, FrameDrawsItsLayersInPainterOrder) {
    viewState.animIndexP = 2;
    drawFrame();
    const auto& prims = recorderPrimitives();
    const auto& texts = recorderTexts();
    std::vector<std::string> names = recorderCallNames();

    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0], "glClear");
    EXPECT_EQ(names[1], "glLoadIdentity");
    EXPECT_EQ(names[names.size() - 2], "glFlush");
    EXPECT_EQ(names.back(), "glutSwapBuffers");

    // Corner texts come before any shape.
    ASSERT_EQ(texts.size(), 13u);
    for (int t = 0; t < 8; ++t) EXPECT_LT(texts[t].callIndex, prims[0].callIndex);

    for (int i = 0; i < kGridLines; ++i) {
        ASSERT_TRUE(isSegment(prims[i]) && sameColour(prims[i].colour, colorBlack)) << i;
    }
    EXPECT_TRUE(sameColour(prims[162].colour, colorRed));
    for (int i = 163; i < 166; ++i) EXPECT_TRUE(isSegment(prims[i]) && sameColour(prims[i].colour, colorBlue)) << i;
    for (int i = 166; i < 171; ++i) EXPECT_TRUE(isSegment(prims[i]) && sameColour(prims[i].colour, colorGreen)) << i;
    // Start dot and the trail over samples 0..2.
    for (int i = 171; i < 175; ++i) EXPECT_TRUE(isDisc(prims[i]) && sameColour(prims[i].colour, colorBlue)) << i;

    size_t white = whiteBackgroundIndex();
    ASSERT_LT(white, prims.size());
    // Vehicle figure between the trail and the reference disc.
    ASSERT_GT(white, 176u);
    bool blueBody = false;
    for (size_t i = 175; i + 1 < white; ++i) blueBody |= sameColour(prims[i].colour, colorBlue);
    EXPECT_TRUE(blueBody);
    EXPECT_TRUE(isDisc(prims[white - 1]) && sameColour(prims[white - 1].colour, colorRed));

    // Phase plane over its background: labels, frame, markers, P and PI curves.
    for (int t = 8; t < 13; ++t) {
        EXPECT_GT(texts[t].callIndex, prims[white].callIndex);
        EXPECT_LT(texts[t].callIndex, prims[white + 1].callIndex);
    }
    ASSERT_EQ(prims.size(), white + 1 + 6 + 2 + 3 + 5);
    for (size_t i = white + 1; i < white + 7; ++i) EXPECT_TRUE(sameColour(prims[i].colour, colorBlack)) << i;
    EXPECT_TRUE(isDisc(prims[white + 7]) && isDisc(prims[white + 8]));
    for (size_t i = white + 9; i < white + 12; ++i) EXPECT_TRUE(sameColour(prims[i].colour, colorBlue)) << i;
    for (size_t i = white + 12; i < prims.size(); ++i) EXPECT_TRUE(sameColour(prims[i].colour, colorGreen)) << i;

    EXPECT_EQ(recorderState().stackDepth, 0);
    EXPECT_TRUE(recorderState().lighting);
}

TEST_F(SceneTest, GridHas81LinesEachWayWithTheAxesTwiceAsWide) {
    const double centre[2] = {0.1, -0.2};
    drawGrid(centre, 0.0, 40, 0.2, 0.25);
    const auto& prims = recorderPrimitives();
    ASSERT_EQ(prims.size(), 162u);
    for (int i = -40; i <= 40; ++i) {
        const RecordedPrimitive& v = prims[i + 40];
        const RecordedPrimitive& h = prims[i + 121];
        EXPECT_TRUE(near(v.window[0], {0.1 + i * 0.2, -0.2 - 10.0}));
        EXPECT_TRUE(near(v.window[1], {0.1 + i * 0.2, -0.2 + 10.0}));
        EXPECT_TRUE(near(h.window[0], {0.1 - 8.0, -0.2 + i * 0.25}));
        EXPECT_TRUE(near(h.window[1], {0.1 + 8.0, -0.2 + i * 0.25}));
        float width = i == 0 ? 2.0f : 1.0f;
        EXPECT_EQ(v.lineWidth, width) << i;
        EXPECT_EQ(h.lineWidth, width) << i;
        EXPECT_FALSE(v.lighting);
        EXPECT_TRUE(sameColour(v.colour, colorBlack));
    }
    EXPECT_TRUE(recorderState().lighting);
    EXPECT_EQ(recorderState().stackDepth, 0);
    EXPECT_TRUE(recorderErrors().empty());
}

TEST_F(SceneTest, StraightPathRunsFromXZeroToThirtyMetres) {
    viewState.zoom = 0.1;
    viewState.panX = -0.15;
    viewState.panY = 0.05;
    drawFrame();
    const RecordedPrimitive& path = recorderPrimitives()[kGridLines];
    ASSERT_TRUE(isSegment(path));
    EXPECT_TRUE(near(path.window[0], worldPoint(0.0, 0.0)));
    EXPECT_TRUE(near(path.window[1], worldPoint(30.0, 0.0)));
    EXPECT_FLOAT_EQ(path.lineWidth, 5.2f);
    EXPECT_TRUE(sameColour(path.colour, colorRed));
}

TEST_F(SceneTest, CirclePathIs101ChordPassesCounterClockwise) {
    simSettings.pathKind = PathCircle;
    viewState.panX = 0.1;
    drawFrame();
    const auto& prims = recorderPrimitives();
    RecPoint origin = worldPoint(0.0, 0.0);
    for (int k = 0; k <= 100; ++k) {
        const RecordedPrimitive& chord = prims[kGridLines + k];
        ASSERT_TRUE(isSegment(chord) && sameColour(chord.colour, colorRed)) << k;
        EXPECT_FLOAT_EQ(chord.lineWidth, 4.0f);
        double angle = k * 2.0 * 3.14159265358979 / 100;
        EXPECT_TRUE(near(chord.window[1], worldPoint(2.0 * std::cos(angle), 2.0 * std::sin(angle))))
            << k;
        if (k > 0) {
            EXPECT_TRUE(near(chord.window[0], prims[kGridLines + k - 1].window[1]));
        }
    }
    EXPECT_TRUE(near(prims[kGridLines].window[0], {origin.x + 0.4, origin.y}));
    EXPECT_TRUE(near(prims[kGridLines].window[1], prims[kGridLines].window[0]));
    EXPECT_GT(prims[kGridLines + 1].window[1].y, origin.y);  // first chord turns upward
    EXPECT_TRUE(sameColour(prims[kGridLines + 101].colour, colorBlue));
}

TEST_F(SceneTest, UnknownPathKindDrawsNoPath) {
    simSettings.pathKind = 7;
    drawFrame();
    EXPECT_TRUE(sameColour(recorderPrimitives()[kGridLines].colour, colorBlue));
}

TEST_F(SceneTest, TrajectoriesUseSamplesUpToLastSampleOnly) {
    simSettings.controlLaw = ControlPI;
    simSettings.mechanism = Mech1RDW1FS;
    fillRun(2, ControlP, 4);
    fillRun(2, ControlPI, 0);
    drawFrame();
    const auto& prims = recorderPrimitives();
    for (int i = 1; i <= 4; ++i) {
        const RecordedPrimitive& s = prims[kGridLines + i];
        ASSERT_TRUE(isSegment(s) && sameColour(s.colour, colorBlue)) << i;
        EXPECT_FLOAT_EQ(s.lineWidth, 4.0f);
        EXPECT_TRUE(near(s.window[0], worldPoint(i - 1 + 0.1 + 2, 0.5)));
        EXPECT_TRUE(near(s.window[1], worldPoint(i + 0.1 + 2, 0.5)));
    }
    // A run with lastSample 0 draws no segment: the animation's dots follow.
    EXPECT_TRUE(isDisc(prims[kGridLines + 5]));
    for (const RecordedPrimitive& p : prims) EXPECT_FALSE(touchesPoison(p));
}

TEST_F(SceneTest, AnimationShowsTrailFigureAndReferenceOfTheLawShown) {
    simSettings.controlLaw = ControlPI;
    simSettings.x0 = -1.5;
    simSettings.y0 = 0.75;
    viewState.animIndexPI = 4;
    viewState.animIndexP = 1;
    viewState.zoom = 0.1;
    drawFrame();
    const auto& prims = recorderPrimitives();
    size_t first = kGridLines + 1 + 3 + 5;
    ASSERT_TRUE(isDisc(prims[first]));
    EXPECT_TRUE(near(discCentre(prims[first]), worldPoint(-1.5, 0.75)));
    for (int i = 0; i <= 4; ++i) {
        const RecordedPrimitive& dot = prims[first + 1 + i];
        ASSERT_TRUE(isDisc(dot)) << i;
        EXPECT_TRUE(sameColour(dot.colour, colorGreen));
        EXPECT_TRUE(near(discCentre(dot), worldPoint(i + 0.2, 1.0)));
        EXPECT_NEAR(discRadius(dot), 0.008, 1e-12);  // does not follow the zoom
    }
    size_t white = whiteBackgroundIndex();
    const RecordedPrimitive& reference = prims[white - 1];
    EXPECT_TRUE(sameColour(reference.colour, colorRed));
    EXPECT_TRUE(near(discCentre(reference), worldPoint(4.0, 0.0)));
    EXPECT_NEAR(discRadius(reference), 0.04 * 0.1, 1e-12);
    for (size_t i = first + 6; i + 1 < white; ++i) {
        EXPECT_FALSE(sameColour(prims[i].colour, colorBlue)) << "P figure drawn while PI is shown";
    }
}

TEST_F(SceneTest, UnknownControlLawDrawsNoAnimation) {
    simSettings.controlLaw = 0;
    drawFrame();
    size_t white = whiteBackgroundIndex();
    EXPECT_EQ(white, static_cast<size_t>(kGridLines + 1 + 3 + 5));
}

TEST_F(SceneTest, PhaseBackgroundFollowsThePhaseOrigin) {
    viewState.phaseOriginX = 0.45;
    drawFrame();
    const RecordedPrimitive& white = recorderPrimitives()[whiteBackgroundIndex()];
    EXPECT_TRUE(near(white.window[0], {0.05, 0.15}));
    EXPECT_TRUE(near(white.window[1], {2.05, 0.15}));
    EXPECT_TRUE(near(white.window[2], {2.05, 10.15}));
}

}  // namespace
