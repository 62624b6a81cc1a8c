// Window keys: every row of the key table, keys that do nothing, the
// animation clamps, zoom round trips, ESC, the keys that run the dialog, and
// playback paced by a clock the test sets.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "display/info_layer.h"
#include "display/playback.h"
#include "display/scene.h"
#include "sim/gains.h"
#include "tests/test_scene_fixture.h"
#include "ui/keys.h"

namespace {

class KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        useShownDefaults();
        fillAllRuns(50, 60);
        simSettings.mechanism = Mech1FDW1FS;
        simSettings.controlLaw = ControlPI;
        viewState.animIndexP = 4;
        viewState.animIndexPI = 6;
        viewState.panX = 0.1;
        viewState.panY = -0.1;
        viewState.zoom = 0.3;
        viewState.phaseOriginX = 0.5;
        recorderReset();
    }

    static void press(unsigned char key) {
        recorderReset();
        onKeyboard(key, 17, 23);
    }

    static bool redrewDirectly() {
        return recorderCount("glutSwapBuffers") == 1 && recorderCount("glutPostRedisplay") == 0;
    }
};

struct KeyRow {
    unsigned char key;
    void (*expect)(SimSettings&, ViewState&);
};

TEST_F(KeysTest, EveryCommandKeyChangesItsFieldAndRedrawsAtOnce) {
    const KeyRow rows[] = {
        {'1', [](SimSettings& s, ViewState& v) { s.mechanism = 1; v.animIndexP = v.animIndexPI = 0; }},
        {'2', [](SimSettings& s, ViewState& v) { s.mechanism = 2; v.animIndexP = v.animIndexPI = 0; }},
        {'3', [](SimSettings& s, ViewState& v) { s.mechanism = 3; v.animIndexP = v.animIndexPI = 0; }},
        {'P', [](SimSettings& s, ViewState& v) { s.controlLaw = ControlP; v.animIndexP = v.animIndexPI = 0; }},
        {'I', [](SimSettings& s, ViewState& v) { s.controlLaw = ControlPI; v.animIndexP = v.animIndexPI = 0; }},
        {'s', [](SimSettings&, ViewState& v) { v.animIndexP = 6; v.animIndexPI = 8; }},
        {'0', [](SimSettings&, ViewState& v) { v.animIndexP = v.animIndexPI = 0; }},
        {'x', [](SimSettings&, ViewState& v) { v.panX = 0.05; }},
        {'X', [](SimSettings&, ViewState& v) { v.panX = 0.15; }},
        {'y', [](SimSettings&, ViewState& v) { v.panY = -0.15; }},
        {'Y', [](SimSettings&, ViewState& v) { v.panY = -0.05; }},
        {'w', [](SimSettings&, ViewState& v) { v.zoom = 0.27; }},
        {'W', [](SimSettings&, ViewState& v) { v.zoom = 1.0 / 3.0; }},
        {'z', [](SimSettings&, ViewState& v) { v.phaseOriginX = 0.45; }},
        {'Z', [](SimSettings&, ViewState& v) { v.phaseOriginX = 0.55; }},
    };
    const SimSettings settingsBefore = simSettings;
    const ViewState viewBefore = viewState;
    for (const KeyRow& row : rows) {
        simSettings = settingsBefore;
        viewState = viewBefore;
        SimSettings settings = settingsBefore;
        ViewState view = viewBefore;
        row.expect(settings, view);
        settings.lastKey = static_cast<char>(row.key);
        press(row.key);
        SCOPED_TRACE(std::string("key ") + static_cast<char>(row.key));
        EXPECT_TRUE(redrewDirectly());
        EXPECT_EQ(simSettings.mechanism, settings.mechanism);
        EXPECT_EQ(simSettings.controlLaw, settings.controlLaw);
        EXPECT_EQ(simSettings.lastKey, settings.lastKey);
        EXPECT_EQ(viewState.animIndexP, view.animIndexP);
        EXPECT_EQ(viewState.animIndexPI, view.animIndexPI);
        EXPECT_NEAR(viewState.panX, view.panX, 1e-15);
        EXPECT_NEAR(viewState.panY, view.panY, 1e-15);
        EXPECT_NEAR(viewState.zoom, view.zoom, 1e-15);
        EXPECT_NEAR(viewState.phaseOriginX, view.phaseOriginX, 1e-15);
        EXPECT_EQ(viewState.phaseOriginY, view.phaseOriginY);
        EXPECT_EQ(simSettings.pathKind, settings.pathKind);
    }
}

TEST_F(KeysTest, OtherKeysOnlyReplaceLastKeyAndDoNotRedraw) {
    const unsigned char keys[] = {'p', 'i', 'S', 'C', 'F', 'H', 'q', '4', '\r', 0xB1, 0x9B, 0xE9, 0xFF};
    for (unsigned char key : keys) {
        SimSettings settings = simSettings;
        ViewState view = viewState;
        press(key);
        SCOPED_TRACE(static_cast<int>(key));
        EXPECT_EQ(static_cast<unsigned char>(simSettings.lastKey), key);
        settings.lastKey = simSettings.lastKey;
        EXPECT_EQ(std::memcmp(&settings, &simSettings, sizeof settings), 0);
        EXPECT_EQ(std::memcmp(&view, &viewState, sizeof view), 0);
        EXPECT_TRUE(recorderCalls().empty());
    }
}

TEST_F(KeysTest, StepStopsEachIndexAtItsOwnRunsEnd) {
    fillRun(1, ControlP, 5);
    fillRun(1, ControlPI, 8);
    viewState.animIndexP = viewState.animIndexPI = 0;
    const int expected[][2] = {{2, 2}, {4, 4}, {5, 6}, {5, 8}, {5, 8}};
    for (const auto& step : expected) {
        press('s');
        EXPECT_EQ(viewState.animIndexP, step[0]);
        EXPECT_EQ(viewState.animIndexPI, step[1]);
        EXPECT_TRUE(redrewDirectly());
    }
    press('0');
    EXPECT_EQ(viewState.animIndexP, 0);
    EXPECT_EQ(viewState.animIndexPI, 0);
}

TEST_F(KeysTest, StepClampsUpperBoundBeforeLowerBound) {
    // A run without samples past the start: the index ends at 0, never -1.
    fillRun(1, ControlP, 0);
    trajectoryRecord.lastSample[1][ControlPI] = -1;
    press('s');
    EXPECT_EQ(viewState.animIndexP, 0);
    EXPECT_EQ(viewState.animIndexPI, 0);
}

TEST_F(KeysTest, StepUsesTheRunsOfTheMechanismShown) {
    fillRun(0, ControlP, 1);
    fillRun(1, ControlP, 40);
    viewState.animIndexP = 0;
    press('s');
    EXPECT_EQ(viewState.animIndexP, 2);  // mechanism 2 shown: its own run is long enough
}

TEST_F(KeysTest, ZoomOutTenTimesThenInTenTimesRestoresIt) {
    viewState.zoom = 0.2;
    for (int i = 0; i < 10; ++i) press('w');
    EXPECT_NEAR(viewState.zoom, 0.069736, 5e-7);
    for (int i = 0; i < 10; ++i) press('W');
    EXPECT_NEAR(viewState.zoom, 0.2, 1e-12);
}

TEST_F(KeysTest, PanKeysMoveTheSceneButNotTheTextsOrPhasePlane) {
    press('0');
    std::vector<RecordedText> textsBefore = recorderTexts();
    RecPoint gridBefore = recorderPrimitives()[0].window[0];
    RecPoint frameBefore = recorderPrimitives().back().window[0];
    for (int i = 0; i < 3; ++i) press('x');
    EXPECT_NEAR(recorderPrimitives()[0].window[0].x, gridBefore.x - 0.15, 1e-12);
    ASSERT_EQ(recorderTexts().size(), textsBefore.size());
    for (size_t i = 0; i < textsBefore.size(); ++i) {
        EXPECT_EQ(recorderTexts()[i].x, textsBefore[i].x);
        EXPECT_EQ(recorderTexts()[i].y, textsBefore[i].y);
    }
    EXPECT_TRUE(near(recorderPrimitives().back().window[0], frameBefore));
}

TEST_F(KeysTest, InfoLayerNamesTheSampleShownAndTogglesBackCallForCall) {
    trajectoryRecord.state[ControlPI][1][6].phi = -0.25;
    refreshRunFigures();
    onDisplay();
    const std::vector<RecordedCall> plain = recorderCalls();
    press('t');
    std::vector<std::string> texts;
    for (const RecordedText& t : recorderTexts()) texts.push_back(t.bytes);
    ASSERT_EQ(texts.size(), 13u + 4 + 5);
    const std::vector<std::string> layer(texts.begin() + 13, texts.end());
    EXPECT_EQ(layer[0], "t =  0.12 s");
    EXPECT_EQ(layer[1], "dd = +0.600 m   dth = +0.240 rad   phi = -0.250 rad");
    EXPECT_EQ(layer[2].rfind("P : ", 0), 0u) << layer[2];
    EXPECT_EQ(layer[3].rfind("PI: ", 0), 0u) << layer[3];
    EXPECT_NE(layer[3].find("s at the steering limit"), std::string::npos) << layer[3];
    EXPECT_EQ(std::vector<std::string>(layer.begin() + 4, layer.end()),
              (std::vector<std::string>{"-1", "1", "-3.14", "3.14", "[m]"}));
    for (size_t i = 13; i < recorderTexts().size(); ++i) EXPECT_TRUE(recorderTexts()[i].valid) << texts[i];
    press('t');
    ASSERT_EQ(recorderCalls().size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(recorderCalls()[i].name, plain[i].name) << i;
        EXPECT_EQ(recorderCalls()[i].args, plain[i].args) << i;
    }
}

TEST_F(KeysTest, EscapeEndsWithStatusZero) {
    EXPECT_EXIT(onKeyboard(27, 0, 0), ::testing::ExitedWithCode(0), "");
}

double fakeSeconds = 100.0;

// Playback under a clock the test sets; tickAt fires the pending GLUT timer.
class PlaybackTest : public KeysTest {
protected:
    void SetUp() override {
        KeysTest::SetUp();
        setPlaybackClock([] { return fakeSeconds; });
        stopPlayback();
        recorderFireTimer();  // one left by an earlier test does nothing now
        fakeSeconds = 100.0;
        viewState.animIndexP = viewState.animIndexPI = 0;
    }

    static int tickAt(double seconds) {  // frames drawn
        fakeSeconds = seconds;
        recorderReset();
        recorderFireTimer();
        return recorderCount("glutSwapBuffers");
    }

    static bool at(int p, int pi) { return viewState.animIndexP == p && viewState.animIndexPI == pi; }
};

TEST_F(PlaybackTest, StepsFollowTheClockAndLateStepsShareOneFrame) {
    press(' ');
    EXPECT_EQ(tickAt(100.039), 0);
    EXPECT_EQ(tickAt(100.04), 1);  // due now, up to rounding
    EXPECT_EQ(tickAt(100.25), 1);  // five steps due after a slow frame: one frame
    EXPECT_TRUE(at(12, 12));
    press(' ');
    EXPECT_EQ(tickAt(105.0), 0);  // paused: no step, no timer
    EXPECT_EQ(recorderCount("glutTimerFunc"), 0);
    press(' ');
    EXPECT_EQ(tickAt(105.04), 1);  // the pause is not made up for
    EXPECT_TRUE(at(14, 14));
}

TEST_F(PlaybackTest, StopsAtTheEndOfBothRunsAndStartsAgainFromZero) {
    fillRun(1, ControlP, 5);
    fillRun(1, ControlPI, 8);
    press(' ');
    EXPECT_EQ(tickAt(100.12), 1);
    EXPECT_TRUE(at(5, 6));  // each held within its own run
    EXPECT_EQ(tickAt(3600.0), 1);
    EXPECT_TRUE(at(5, 8) && !isPlaying() && recorderCount("glutTimerFunc") == 0);
    press(' ');  // back to sample 0, shown at once
    EXPECT_TRUE(at(0, 0) && redrewDirectly());
    EXPECT_EQ(tickAt(3600.08), 1);
    EXPECT_TRUE(at(4, 4));
}

TEST_F(PlaybackTest, RestartKeyWhilePlayingShowsSampleZeroForAWholeStep) {
    press(' ');
    tickAt(100.1);
    fakeSeconds = 100.11;
    press('1');
    EXPECT_TRUE(at(0, 0));
    EXPECT_EQ(tickAt(100.149), 0);
    EXPECT_EQ(tickAt(100.15), 1);
    EXPECT_TRUE(at(2, 2));
}

TEST_F(PlaybackTest, HiddenWindowDrawsNothingAndHoldsItsPlaceInSimulatedTime) {
    press(' ');
    EXPECT_EQ(tickAt(100.08), 1);
    fakeSeconds = 100.1;
    onWindowStatus(GLUT_HIDDEN);
    EXPECT_EQ(tickAt(160.0), 0);  // the step pending at the hide is dropped
    EXPECT_TRUE(at(4, 4) && isPlaying());
    fakeSeconds = 200.0;
    onWindowStatus(GLUT_FULLY_RETAINED);
    EXPECT_EQ(tickAt(200.019), 0);  // 0.02 s of the step were left at the hide
    EXPECT_EQ(tickAt(200.02), 1);
    EXPECT_TRUE(at(6, 6));
}

// Runs the dialog through a key with `answers` as standard input; its
// console output goes to /dev/null.
class DialogKeysTest : public KeysTest {
protected:
    void pressWithInput(unsigned char key, const char* answers) {
        char path[] = "/tmp/agv_keys_inputXXXXXX";
        int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, answers, std::strlen(answers)), static_cast<ssize_t>(std::strlen(answers)));
        close(fd);
        ASSERT_NE(std::freopen(path, "r", stdin), nullptr);
        std::fflush(stdout);
        int savedOut = dup(STDOUT_FILENO);
        std::FILE* sink = std::fopen("/dev/null", "w");
        dup2(fileno(sink), STDOUT_FILENO);
        press(key);
        std::fflush(stdout);
        dup2(savedOut, STDOUT_FILENO);
        close(savedOut);
        std::fclose(sink);
        unlink(path);
    }

    void expectFreshView() {
        EXPECT_EQ(viewState.animIndexP, 0);
        EXPECT_EQ(viewState.animIndexPI, 0);
        EXPECT_EQ(viewState.zoom, 0.2);
        EXPECT_EQ(viewState.phaseOriginX, 0.6);
        EXPECT_EQ(viewState.panX, 0.1);  // the pan survives a new run
        // One frame before the dialog, the one shown with the note on top; after
        // it the window asks for a repaint instead of drawing inside the callback.
        EXPECT_EQ(recorderCount("glutPostRedisplay"), 1);
        EXPECT_EQ(recorderCount("glutSwapBuffers"), 1);
        const RecordedText& note = recorderTexts().back();
        EXPECT_EQ(note.bytes, "Answer in the console window");
        EXPECT_TRUE(note.valid && note.lighting);
        EXPECT_EQ(recorderTexts().size(), 13u + 1);
        EXPECT_EQ(recorderCallNames().back(), "glutPostRedisplay");
    }
};

TEST_F(DialogKeysTest, PoseKeyRerunsFromTheNewPose) {
    designGains();
    pressWithInput('h', "1 -0.5 45\nq");
    EXPECT_EQ(simSettings.lastKey, 'h');
    EXPECT_EQ(simSettings.x0, 1.0);
    EXPECT_EQ(simSettings.y0, -0.5);
    EXPECT_EQ(trajectoryRecord.state[ControlP][0][0].x, 1.0);
    EXPECT_GT(trajectoryRecord.lastSample[0][ControlP], 100);
    expectFreshView();
}

TEST_F(DialogKeysTest, PathAndFnKeysRunTheirSections) {
    designGains();
    startPlayback();
    pressWithInput('c', "1nnq");
    EXPECT_FALSE(isPlaying());
    EXPECT_EQ(simSettings.lastKey, 'c');
    EXPECT_EQ(simSettings.pathKind, PathCircle);
    expectFreshView();

    pressWithInput('f', "0.5 0.7\nnq");
    EXPECT_EQ(simSettings.lastKey, 'f');
    EXPECT_EQ(simSettings.fn, 0.5);
    EXPECT_EQ(simSettings.pathKind, PathCircle);
    expectFreshView();
}

}  // namespace
