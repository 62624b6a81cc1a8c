#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "display/view.h"
#include "platform/console.h"
#include "sim/gains.h"
#include "sim/imperfections.h"
#include "sim/record.h"
#include "sim/settings.h"
#include "test_dialog_transcript.h"
#include "ui/dialog.h"

using namespace transcript;

namespace {

std::string tempPath(const char* name) {
    const std::string file = "agv-dialog-" + std::to_string(getpid()) + "-" + name;
    return (std::filesystem::temp_directory_path() / file).string();
}

void writeFile(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

std::string readFile(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    std::fclose(file);
    return text;
}

// Runs `action` with standard input read from `input` and returns what it wrote to standard output.
template <typename Action>
std::string withConsole(const std::string& input, Action action) {
    const std::string in = tempPath("in"), out = tempPath("out");
    writeFile(in, input);
    if (!std::freopen(in.c_str(), "rb", stdin)) return "<no input>";
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int file = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, STDOUT_FILENO);
    close(file);
    action();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    const std::string text = readFile(out);
    std::remove(in.c_str());
    std::remove(out.c_str());
    return text;
}

std::string dialog(const std::string& input) { return withConsole(input, settingsDialog); }

class Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        setConsoleEncoding(EncodingCp932);
        simSettings = {Mech2DW1C, ControlP, PathLine, 1.0, 0.7, kTwoPi * 1.0, -2.0, 1.0, 0.0, 0.0, '0'};
        vehicleImperfections = defaultImperfections();
        designGains();
        resetView();
    }
    static void expectStartupDesign() {
        EXPECT_EQ(simSettings.fn, 1.0);
        EXPECT_EQ(simSettings.zeta, 0.7);
        EXPECT_EQ(simSettings.omegaN, kTwoPi);
        EXPECT_NEAR(gainTable.gains[Mech2DW1C][ControlP].kD, 39.4784, 5e-5);
    }
    static void expectPose(double x, double y, double theta) {
        EXPECT_EQ(simSettings.x0, x);
        EXPECT_EQ(simSettings.y0, y);
        EXPECT_EQ(simSettings.theta0, theta);
    }
};

TEST_F(Dialog, StartupPassAnsweredZeroNoNoPrintsNoGainLines) {
    const std::string out = dialog("0\nn\nn\nq\n");
    EXPECT_EQ(out, cp932(fullPass(false, false, kStartupSummary, " q")));
    EXPECT_EQ(simSettings.pathKind, PathLine);
    expectStartupDesign();
    expectPose(-2.0, 1.0, 0.0);
}

TEST_F(Dialog, EveryAnswerButLowerCaseYIsNo) {
    for (const char* answers : {"0YYq", "0NNq", "0  q", "0\r\nn\r\nn\r\nq\r\n", "0\x1b\xffq"}) {
        SetUp();
        EXPECT_EQ(dialog(answers), cp932(fullPass(false, false, kStartupSummary, " q"))) << answers;
        expectStartupDesign();
        expectPose(-2.0, 1.0, 0.0);
    }
}

TEST_F(Dialog, CircleNewDesignValuesAndPose) {
    const std::string out = dialog("1y0.5 0.7\ny1 -0.5 45\nq");
    const Summary s = {1, 1, 0.5, 0.7, 1.0, -0.5, 45.0, true};
    EXPECT_EQ(out, cp932(title(1) + pathSection(false, true) + fnQuestion(1.0, 0.7) + fnEntry(1.0, 0.7, "", 0.5, 0.7) +
                         halfHertzGains() + poseQuestion(-2.0, 1.0, 0.0) + poseEntry(-2.0, 1.0, 0.0, "") + summary(s) +
                         computationAndHelp(" q")));
    EXPECT_EQ(simSettings.pathKind, PathCircle);
    EXPECT_EQ(simSettings.omegaN, kTwoPi * 0.5);
    EXPECT_NEAR(gainTable.gains[Mech1FDW1FS][ControlPI].kI, 2.2440, 5e-5);
    expectPose(1.0, -0.5, 45 * 0.0174532925);
}

TEST_F(Dialog, AnyPathKeyButZeroChoosesTheCircleAndTheRunsFollowThePath) {
    for (const char key : {'1', 'c', '9', ' '}) {
        SetUp();
        EXPECT_EQ(dialog(std::string(1, key) + "nn"),
                  cp932(fullPass(false, true, {1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, true}, "")));
        EXPECT_EQ(simSettings.pathKind, PathCircle);
    }
    // The 1FDW1FS P run ends at a different sample on each path.
    EXPECT_EQ(trajectoryRecord.lastSample[1][ControlP], 1310);
    dialog("0nn");
    EXPECT_EQ(trajectoryRecord.lastSample[1][ControlP], 1179);
}

TEST_F(Dialog, KeyFGoesStraightToTheFnEntry) {
    simSettings.lastKey = 'f';
    const std::string out = dialog("0.5\n0.7\nn\nq\n");
    EXPECT_EQ(out, cp932(title(1) + fnEntry(1.0, 0.7, "", 0.5, 0.7) + halfHertzGains() + poseQuestion(-2.0, 1.0, 0.0) +
                         summary({1, 1, 0.5, 0.7, -2.0, 1.0, 0.0, false}) + computationAndHelp(" q")));
}

TEST_F(Dialog, KeyHGoesStraightToThePoseEntry) {
    simSettings.lastKey = 'h';
    simSettings.pathKind = PathCircle;
    simSettings.controlLaw = ControlPI;
    const std::string out = dialog("5 5 90\nq\n");
    EXPECT_EQ(out, cp932(title(1) + poseEntry(-2.0, 1.0, 0.0, "") + summary({1, 2, 1.0, 0.7, 5.0, 5.0, 90.0, true}) +
                         computationAndHelp(" q")));
    expectPose(5.0, 5.0, 90 * 0.0174532925);
    EXPECT_NEAR(simSettings.theta0, 1.570796325, 1e-15);
    EXPECT_EQ(simSettings.pathKind, PathCircle);
}

TEST_F(Dialog, SecondPassStartsFromTheFirstPassesChoices) {
    dialog("1y0.5 0.7\ny1 -0.5 45\nq");
    simSettings.lastKey = 'c';
    const Summary s = {1, 1, 0.5, 0.7, 1.0, -0.5, 45.0, false};
    EXPECT_EQ(dialog("0nnq"), cp932(fullPass(true, false, s, " q")));
}

TEST_F(Dialog, SummaryShowsOmegaMaxOnlyForSteeredMechanisms) {
    for (int mechanism : {1, 2, 3}) {
        for (int law : {ControlP, ControlPI}) {
            simSettings.mechanism = mechanism;
            simSettings.controlLaw = law;
            simSettings.theta0 = -0.5;
            const std::string out = withConsole("", printSettingsSummary);
            const double degrees = -0.5 * 57.2957795;
            EXPECT_EQ(out, cp932(summary({mechanism, law, 1.0, 0.7, -2.0, 1.0, degrees, false})));
            EXPECT_EQ(out.find(cp932("ωmax")) != std::string::npos, mechanism != 1);
        }
    }
}

TEST_F(Dialog, TitleNamesTheMechanismShown) {
    simSettings.mechanism = Mech1RDW1FS;
    EXPECT_EQ(dialog("0nn").substr(0, cp932(title(3)).size()), cp932(title(3)));
}

TEST_F(Dialog, PassResetsZoomAnimationAndPhasePlaneButKeepsPan) {
    viewState = {0.7, 0.35, -0.15, 0.1, -0.3, 40, 12};
    dialog("0nnq");
    EXPECT_EQ(viewState.zoom, 0.2);
    EXPECT_EQ(viewState.panX, 0.35);
    EXPECT_EQ(viewState.panY, -0.15);
    EXPECT_EQ(viewState.phaseOriginX, 0.6);
    EXPECT_EQ(viewState.phaseOriginY, 0.55);
    EXPECT_EQ(viewState.animIndexP, 0);
    EXPECT_EQ(viewState.animIndexPI, 0);
}

// fn entry answers after 'f', each ending with a good entry of 0.5 and 0.7;
// the pose question gets 'n' and the final key 'q'.
struct RefusedEntryCase {
    const char* input;
    std::string note;  // what the dialog says before the good entry is taken
};

TEST_F(Dialog, FnEntryAsksAgainUntilTheValuesAreUsable) {
    const std::string again = fnPrompt();
    const RefusedEntryCase cases[] = {
        {"0.5 0..7\n", refused("0..7") + again},  // the 0.5 typed well is not taken alone
        {"0.5 zz 9\n0.5 0.7 1\n", refused("zz 9") + again + refused("1") + again},
        {"0 0.3\n0.5 0\n", zeroDesignValue() + again + zeroDesignValue() + again},
        {"nan 0.7\n0.5 inf\n-infinity 0.2\n1e999 0.2\n", notFinite() + again + notFinite() + again + notFinite() +
                                                             again + notFinite() + again},
        // omegaN overflows; a gain comes out 0/0; ζ so small that a gain overflows.
        {"1e308 0.7\n1e-300 0.7\n0.5 1e-320\n", gainsNotFinite() + again + gainsNotFinite() + again +
                                                  gainsNotFinite() + again},
    };
    for (const RefusedEntryCase& c : cases) {
        SetUp();
        simSettings.lastKey = 'f';
        const std::string out = dialog(std::string(c.input) + "0.5 0.7\nnq");
        EXPECT_EQ(out, cp932(title(1) + fnEntry(1.0, 0.7, c.note, 0.5, 0.7) + halfHertzGains() +
                             poseQuestion(-2.0, 1.0, 0.0) + summary({1, 1, 0.5, 0.7, -2.0, 1.0, 0.0, false}) +
                             computationAndHelp(" q")))
            << c.input;
        EXPECT_EQ(simSettings.omegaN, kTwoPi * 0.5) << c.input;
        EXPECT_TRUE(gainsAreFinite()) << c.input;
    }
}

TEST_F(Dialog, NegativeDesignValuesAreAccepted) {
    simSettings.lastKey = 'f';
    const std::string out = dialog("-0.5 -0.7\nn");
    EXPECT_EQ(simSettings.fn, -0.5);
    EXPECT_EQ(simSettings.zeta, -0.7);
    EXPECT_EQ(simSettings.omegaN, -kPi);
    EXPECT_NE(out.find(cp932("\n    新fn ζ=\n    固有振動数fn=-0.500[Hz]  減衰比ζ=-0.700")), std::string::npos);
    EXPECT_NEAR(gainTable.gains[Mech2DW1C][ControlP].kTheta, 2 * 0.7 * kPi, 1e-12);
}

TEST_F(Dialog, PoseEntryAsksAgainUntilTheValuesAreUsable) {
    const std::string again = posePrompt();
    const RefusedEntryCase cases[] = {
        {"", ""},
        {"-1 0,5 30\n", refused("0,5 30") + again},  // y would otherwise be read as 0
        {"3 -4 zz\n1 2 3 4\n", refused("zz") + again + refused("4") + again},
        {"1 nan 5\n1 2 inf\n", notFinite() + again + notFinite() + again},
        {"1 1e308 0\n", runsNotFinite() + again},  // finite, but the runs overflow
    };
    for (const RefusedEntryCase& c : cases) {
        SetUp();
        simSettings.lastKey = 'h';
        simSettings.theta0 = 0.5;
        const std::string out = dialog(std::string(c.input) + "-1 0.5 -90\nq");
        EXPECT_EQ(out, cp932(title(1) + poseEntry(-2.0, 1.0, 0.5 * 57.2957795, c.note) +
                             summary({1, 1, 1.0, 0.7, -1.0, 0.5, -90 * 0.0174532925 * 57.2957795, false}) +
                             computationAndHelp(" q")))
            << c.input;
        expectPose(-1.0, 0.5, -90 * 0.0174532925);
    }
}

// The circle overflows from a pose that the line took: asked again, and
// without an answer the start-up pose comes back rather than unusable runs.
TEST_F(Dialog, PoseWhoseRunsOverflowOnTheNewPathIsAskedForAgain) {
    simSettings.x0 = 1e200;
    simSettings.lastKey = 'c';
    const std::string out = dialog("1nn");
    EXPECT_EQ(out, cp932(title(1) + pathSection(false, true) + fnQuestion(1.0, 0.7) + poseQuestion(1e200, 1.0, 0.0) +
                         runsNotFinite() + poseEntry(1e200, 1.0, 0.0, noInput()) +
                         summary({1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, true}) + computationAndHelp("")));
    expectPose(-2.0, 1.0, 0.0);
    EXPECT_TRUE(recordedRunsFinite());
}

// Input that ends before each prompt in turn: no hang, the rest counts as no.
struct EndCase {
    const char* input;
    bool circle;
    double fn, x, y, theta;
    std::string expected;
};

TEST_F(Dialog, EndOfInputAtEveryPromptKeepsSettingsAndReturns) {
    const Summary old = kStartupSummary;
    const std::string tail = computationAndHelp("");
    const std::string newFn = fnQuestion(1.0, 0.7) + fnEntry(1.0, 0.7, "", 0.5, 0.7) + halfHertzGains();
    const std::string askPose = poseQuestion(-2.0, 1.0, 0.0);
    Summary half = old;
    half.fn = 0.5;
    half.circle = true;
    Summary turned = half;
    turned.x = 1.0;
    turned.y = 2.0;
    turned.degrees = 3.0;
    const EndCase cases[] = {
        {"", true, 1.0, -2.0, 1.0, 0.0,  // the path stays the circle
         title(1) + pathSection(true, true) + fnQuestion(1.0, 0.7) + askPose + summary({1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, true}) + tail},
        {"1y", true, 1.0, -2.0, 1.0, 0.0,
         title(1) + pathSection(true, true) + fnQuestion(1.0, 0.7) + fnEntry(1.0, 0.7, noInput(), 1.0, 0.7) +
             startupGains() + askPose + summary({1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, true}) + tail},
        {"1y0.5", true, 1.0, -2.0, 1.0, 0.0,
         title(1) + pathSection(true, true) + fnQuestion(1.0, 0.7) + fnEntry(1.0, 0.7, noInput(), 1.0, 0.7) +
             startupGains() + askPose + summary({1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, true}) + tail},
        {"1y0 0.7", true, 1.0, -2.0, 1.0, 0.0,  // refused, then nothing more: the old values
         title(1) + pathSection(true, true) + fnQuestion(1.0, 0.7) +
             fnEntry(1.0, 0.7, zeroDesignValue() + std::string(fnPrompt()) + noInput(), 1.0, 0.7) + startupGains() +
             askPose + summary({1, 1, 1.0, 0.7, -2.0, 1.0, 0.0, true}) + tail},
        {"1y0.5 0.7", true, 0.5, -2.0, 1.0, 0.0, title(1) + pathSection(true, true) + newFn + askPose + summary(half) + tail},
        {"1y0.5 0.7\ny", true, 0.5, -2.0, 1.0, 0.0,
         title(1) + pathSection(true, true) + newFn + askPose + poseEntry(-2.0, 1.0, 0.0, noInput()) + summary(half) + tail},
        {"1y0.5 0.7\ny1 2", true, 0.5, -2.0, 1.0, 0.0,
         title(1) + pathSection(true, true) + newFn + askPose + poseEntry(-2.0, 1.0, 0.0, noInput()) + summary(half) + tail},
        {"1y0.5 0.7\ny1 2 3", true, 0.5, 1.0, 2.0, 3 * 0.0174532925,
         title(1) + pathSection(true, true) + newFn + askPose + poseEntry(-2.0, 1.0, 0.0, "") + summary(turned) + tail},
    };
    for (const EndCase& c : cases) {
        SetUp();
        simSettings.pathKind = PathCircle;
        EXPECT_EQ(dialog(c.input), cp932(c.expected)) << c.input;
        EXPECT_EQ(simSettings.pathKind, c.circle ? PathCircle : PathLine) << c.input;
        EXPECT_EQ(simSettings.fn, c.fn) << c.input;
        EXPECT_EQ(simSettings.zeta, 0.7) << c.input;
        expectPose(c.x, c.y, c.theta);
    }
}

TEST_F(Dialog, EndOfInputAfterKeysFAndH) {
    simSettings.lastKey = 'f';
    EXPECT_EQ(dialog(""), cp932(title(1) + fnEntry(1.0, 0.7, noInput(), 1.0, 0.7) + startupGains() +
                                poseQuestion(-2.0, 1.0, 0.0) + summary(kStartupSummary) + computationAndHelp("")));
    simSettings.lastKey = 'h';
    simSettings.theta0 = 0.5;  // a kept heading must not be converted again
    const double degrees = 0.5 * 57.2957795;
    EXPECT_EQ(dialog("1 2"), cp932(title(1) + poseEntry(-2.0, 1.0, degrees, noInput()) +
                                   summary({1, 1, 1.0, 0.7, -2.0, 1.0, degrees, false}) + computationAndHelp("")));
    expectStartupDesign();
    expectPose(-2.0, 1.0, 0.5);
}

const double kPerfectVehicle[9] = {1, 1, 0, 0, 0, 0, 0, 1, 0};

TEST_F(Dialog, KeyDChangesTheVehicleAndTheSummaryNamesWhatIsOffDefault) {
    simSettings.lastKey = 'd';
    const std::string out = dialog("y1.1 1\n5 0 0.05\n0 0.5 7\n0.1\nq");
    std::string entries;
    for (int i = 0; i < 4; ++i) entries += vehiclePrompt(i);
    const std::string s = "速度倍率= 1.100, 入力バイアス= 5.000[deg/s], 横すべり= 0.050[m/s], σθ= 0.500[deg], "
                          "乱数の種=7, むだ時間= 0.100[s]";
    EXPECT_EQ(out, cp932(title(1) + vehicleSection(kPerfectVehicle) + entries + summary(kStartupSummary, s) + computationAndHelp(" q")));
    const VehicleImperfections& v = vehicleImperfections;
    EXPECT_EQ(v.speedFactor, 1.1);
    EXPECT_EQ(v.wheelbase, 1.0);
    EXPECT_EQ(v.inputBias, 5.0);
    EXPECT_EQ(v.drift, 0.05);
    EXPECT_EQ(v.noiseTheta, 0.5);
    EXPECT_EQ(v.seed, 7.0);
    EXPECT_EQ(v.delay, 0.1);
    expectStartupDesign();
    // The next pass shows them in force and keeps them on 'n'.
    const double inForce[9] = {1.1, 1, 5, 0, 0.05, 0, 0.5, 7, 0.1};
    EXPECT_EQ(dialog("nq"), cp932(title(1) + vehicleSection(inForce) + summary(kStartupSummary, s) + computationAndHelp(" q")));
    EXPECT_EQ(vehicleImperfections.delay, 0.1);
}

TEST_F(Dialog, VehicleEntriesAskAgainNamingTheRefusedValue) {
    simSettings.lastKey = 'd';
    const std::string first = vehiclePrompt(0), second = vehiclePrompt(1), third = vehiclePrompt(2),
                      fourth = vehiclePrompt(3);
    const std::string out = dialog(
        "y0 1\n101 1\n1 -1\n1 x\n1 1 1\n1 1e-308\n1 1\n"  // speed, wheelbase, text, surplus, overflow
        "inf 0 0\n0 0 0\n"
        "-0.1 0 1\n0 0 1.5\n0 0 4294967296\n0 0 4294967295\n"
        "1.5\n-0.01\n1\nq");
    const std::string expected =
        title(1) + vehicleSection(kPerfectVehicle) + first +
        "\n    速度倍率は0より大きく100以下にしてください．もう一度入力してください" + first +
        "\n    速度倍率は0より大きく100以下にしてください．もう一度入力してください" + first +
        "\n    ホイールベースは0より大きくしてください．もう一度入力してください" + first + refused("x") + first +
        refused("1") + first + vehicleRunsNotFinite() + first + second + notFinite() + second + third +
        "\n    計測雑音σdは負にできません．もう一度入力してください" + third +
        "\n    乱数の種は0～4294967295の整数にしてください．もう一度入力してください" + third +
        "\n    乱数の種は0～4294967295の整数にしてください．もう一度入力してください" + third + fourth +
        "\n    むだ時間は0～1[s]にしてください．もう一度入力してください" + fourth +
        "\n    むだ時間は0～1[s]にしてください．もう一度入力してください" + fourth;
    EXPECT_EQ(out, cp932(expected + summary(kStartupSummary, "乱数の種=4294967295, むだ時間= 1.000[s]") +
                         computationAndHelp(" q")));
    EXPECT_EQ(vehicleImperfections.seed, 4294967295.0);
    EXPECT_EQ(vehicleImperfections.wheelbase, 1.0);
}

TEST_F(Dialog, EndOfInputInTheVehicleSectionKeepsTheValuesNotYetEntered) {
    simSettings.lastKey = 'd';
    const std::string out = dialog("y1.2 0.9\n3");
    EXPECT_EQ(out, cp932(title(1) + vehicleSection(kPerfectVehicle) + vehiclePrompt(0) + vehiclePrompt(1) + noInput() +
                         summary(kStartupSummary, "速度倍率= 1.200, ホイールベース= 0.900[m]") + computationAndHelp("")));
    EXPECT_EQ(vehicleImperfections.speedFactor, 1.2);
    EXPECT_EQ(vehicleImperfections.inputBias, 0.0);
    // The runs are the imperfect vehicle's: 1RDW1FS drives 1.2 m/s, so 20 m takes fewer samples.
    EXPECT_EQ(trajectoryRecord.lastSample[2][ControlP], 832);
}

}  // namespace
