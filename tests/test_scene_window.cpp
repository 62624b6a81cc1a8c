// Window set-up, reshape and the steps that open and close a frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/playback.h"
#include "display/scene.h"
#include "display/window.h"
#include "tests/test_scene_fixture.h"
#include "ui/keys.h"

namespace {

const char kTitle[] =
    "1,2,3:機構選択, c:経路変更，h:初期状態変更，f:系のfn変更，P,I:P,PI制御，"
    "W,w:画面拡大縮小，x,X,y,Y:画面移動，z,Z:位相面移動，0:初期へ，s:継続，スペース:再生/停止，t:情報表示，d:外乱";

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        useShownDefaults();
        fillAllRuns(3, 5);
        recorderReset();
    }

    // GLX on X, WGL on Windows: how the window-system part finds GLUT's window.
    static bool isWindowSystemCall(const std::string& name) {
        return name.rfind("glX", 0) == 0 || name.rfind("wgl", 0) == 0;
    }

    static std::vector<std::string> namesWithoutWindowSystem() {
        std::vector<std::string> names;
        for (const std::string& n : recorderCallNames()) {
            if (!isWindowSystemCall(n)) names.push_back(n);
        }
        return names;
    }
};

TEST_F(WindowTest, InitWindowSetsGlutUpInOrderAndEntersTheMainLoop) {
    int argc = 2;
    char arg0[] = "agvsim";
    char arg1[] = "-iconic";
    char* argv[] = {arg0, arg1, nullptr};
    initWindow(&argc, argv);

    std::vector<std::string> names = namesWithoutWindowSystem();
    std::vector<std::string> expected = {
        "glutInitWindowSize", "glutInit",         "glutInitDisplayMode",
        "glutCreateWindow",   "glutWindowStatusFunc", "glutDisplayFunc",  "glutReshapeFunc",
        "glutKeyboardFunc",   "glClearColor",     "glEnable",
        "glutMainLoop"};
    EXPECT_EQ(names, expected);
    // The title and properties are set at once on the new window.
    EXPECT_TRUE(isWindowSystemCall(recorderCallNames().at(4)));

    const auto& calls = recorderCalls();
    EXPECT_EQ(calls[0].args, (std::vector<double>{800, 800}));
    EXPECT_EQ(calls[1].args, (std::vector<double>{2}));
    EXPECT_EQ(calls[2].args, (std::vector<double>{GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH}));
    EXPECT_EQ(calls[3].text, std::string(kTitle));  // UTF-8 bytes as written
    EXPECT_EQ(std::string(windowTitle), std::string(kTitle));

    const RecorderState& state = recorderState();
    EXPECT_EQ(state.displayFunc, &onDisplay);
    EXPECT_EQ(state.reshapeFunc, &onReshape);
    EXPECT_EQ(state.keyboardFunc, &onKeyboard);
    // The window's status reaches playback, through the window system's watch.
    state.windowStatusFunc(GLUT_HIDDEN);
    EXPECT_TRUE(isPlaybackHeld());
    state.windowStatusFunc(GLUT_PARTIALLY_RETAINED);
    EXPECT_FALSE(isPlaybackHeld());
    EXPECT_EQ(state.clearColour[0], 1.0f);
    EXPECT_EQ(state.clearColour[1], 1.0f);
    EXPECT_EQ(state.clearColour[2], 1.0f);
    EXPECT_TRUE(state.lighting);
}

TEST_F(WindowTest, ReshapeSetsViewportAndIdentityProjection) {
    glMatrixMode(GL_PROJECTION);
    glTranslated(0.5, 0.5, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslated(0.25, 0.0, 0.0);
    // The largest centred square: the picture keeps its proportions.
    const int sizes[][6] = {{800, 800, 0, 0, 800, 800},     {1200, 1000, 100, 0, 1000, 1000},
                            {600, 901, 0, 150, 600, 600},   {801, 400, 200, 0, 400, 400}};
    // A square window draws without a scissor, as before there were letterboxes.
    onReshape(800, 800);
    EXPECT_EQ(recorderCount("glScissor") + recorderCount("glEnable") + recorderCount("glDisable"), 0);
    for (const auto& s : sizes) {
        onReshape(s[0], s[1]);
        const int* v = recorderState().viewport;
        EXPECT_EQ(std::vector<int>(v, v + 4), std::vector<int>(s + 2, s + 6)) << s[0] << "x" << s[1];
        const bool letterboxed = s[0] != s[1];
        EXPECT_EQ(recorderState().scissorTest, letterboxed) << s[0] << "x" << s[1];
        if (letterboxed) {
            const int* box = recorderState().scissor;
            EXPECT_EQ(std::vector<int>(box, box + 4), std::vector<int>(v, v + 4));
        }
    }
    const RecorderState& state = recorderState();
    EXPECT_EQ(state.matrixMode, static_cast<GLenum>(GL_MODELVIEW));
    EXPECT_EQ(state.projection[12], 0.0);
    EXPECT_EQ(state.modelview[12], 0.25);  // left for clearFrame

    // The clear still whitens the margins, and the scissor holds for the drawing after it.
    recorderReset();
    clearFrame();
    EXPECT_EQ(recorderCallNames(),
              (std::vector<std::string>{"glDisable", "glClear", "glEnable", "glLoadIdentity"}));
    EXPECT_TRUE(recorderState().scissorTest);
    onReshape(800, 800);
    EXPECT_FALSE(recorderState().scissorTest);
}

TEST_F(WindowTest, EveryFrameStartsClearAndIdentityAndEndsSwapped) {
    glTranslated(0.3, 0.0, 0.0);
    clearFrame();
    const auto& calls = recorderCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].name, "glClear");
    EXPECT_EQ(calls[1].args, (std::vector<double>{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}));
    EXPECT_EQ(recorderState().modelview[12], 0.0);
    recorderReset();
    finishFrame();
    EXPECT_EQ(recorderCallNames(), (std::vector<std::string>{"glFlush", "glutSwapBuffers"}));
}

// The first frame's texts must already be near-black: lighting on, as
// after any primitive, when the first text is placed.
TEST_F(WindowTest, TextsAreNearBlackOnTheFirstFrameAsOnLaterOnes) {
    int argc = 1;
    char arg0[] = "agvsim";
    char* argv[] = {arg0, nullptr};
    initWindow(&argc, argv);
    for (int frame = 0; frame < 2; ++frame) {
        size_t before = recorderTexts().size();
        recorderState().displayFunc();
        const auto& texts = recorderTexts();
        ASSERT_EQ(texts.size(), before + 13) << frame;
        for (size_t t = before; t < texts.size(); ++t) {
            EXPECT_TRUE(texts[t].lighting) << frame << " " << texts[t].bytes;
            EXPECT_FLOAT_EQ(texts[t].rasterColour[0], 0.04f);
        }
    }
}

}  // namespace
