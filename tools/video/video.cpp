// agvsim-video: draws in the program's own window the frames that pressing
// 's' again and again from the start of a run would show, and has ffmpeg
// write them as a video in real time, or one of them as a picture.
#include <GL/freeglut.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "display/scene.h"
#include "display/view.h"
#include "display/window.h"
#include "sim/gains.h"
#include "sim/record.h"
#include "sim/run.h"
#include "sim/settings.h"
#include "tools/common/run_options.h"
#include "tools/video/ffmpeg_encoder.h"

static const char* const kUsage =
    "usage: agvsim-video [--path line|circle] [--fn HZ] [--zeta Z] [--pose X Y THETA_DEG]\n"
    "                    [--mech 2DW1C|1FDW1FS|1RDW1FS] [--law P|PI] [--until SECONDS] -o FILE\n"
    "Simulates the three mechanisms under P and PI control, opens the simulator's\n"
    "window and records the run chosen as the window shows it when 's' is pressed\n"
    "again and again from its start: one frame per 0.04 s of simulated time, played\n"
    "at 25 frames per second, the last frame held for one second. Needs an X display\n"
    "(xvfb-run will do) and ffmpeg.\n"
    "  --path line|circle   reference path (default line)\n"
    "  --fn HZ              natural frequency in hertz, not 0 (default 1.0)\n"
    "  --zeta Z             damping ratio, not 0 (default 0.7)\n"
    "  --pose X Y THETA_DEG initial pose in metres and degrees (default -2 1 0)\n"
    "  --mech M             mechanism recorded (default 2DW1C)\n"
    "  --law L              control law recorded (default P)\n"
    "  --until SECONDS      stop at this simulated time (default the end of the run)\n"
    "  -o FILE              .mp4, .webm or .gif for a video; .png for the single\n"
    "                       picture at --until\n"
    "  --help               show this text\n";

static constexpr const char* kProgram = "agvsim-video";
static constexpr int kWidth = 800;  // px, the window's size at start
static constexpr int kHeight = 800;
static constexpr int kFramesPerSecond = 25;
static constexpr double kFrameSeconds = 1.0 / kFramesPerSecond;  // one 's': two samples of 0.02 s
static constexpr int kHeldFrames = kFramesPerSecond;  // the last frame, one second
static constexpr double kTimeTolerance = 1e-9;  // s; 0.12 is three frames, not two
static constexpr int kQuietProgressEvery = 250;  // frames between lines off a terminal
static constexpr int kStartEvents = 20;  // handled before recording: mapping, a first resize

struct VideoOptions {
    RunChoice choice;
    double untilSeconds;
    const char* output;
    int kind;
};

static unsigned char framePixels[kWidth * kHeight * 3];

static bool readUntil(const char* text, double* value) {
    if (!readNumberOption("--until", text, value)) return false;
    if (*value < 0.0) return failOption("--until", "must not be negative");
    return true;
}

static bool endsWith(const char* text, const char* suffix) {
    size_t length = std::strlen(text);
    size_t suffixLength = std::strlen(suffix);
    return length > suffixLength && strcasecmp(text + length - suffixLength, suffix) == 0;
}

static bool readOutput(const char* text, VideoOptions* options) {
    static const char* const suffixes[] = {".mp4", ".webm", ".gif", ".png"};
    if (text == nullptr) return failOption("-o", "missing value");
    for (int i = 0; i < 4; ++i) {
        if (endsWith(text, suffixes[i])) {
            options->output = text;
            options->kind = OutputMp4 + i;
            return true;
        }
    }
    return failOption("-o", "must end in .mp4, .webm, .gif or .png");
}

// Applies one option to simSettings or options. Returns the number of values
// it took, or -1 after an error message.
static int applyOption(const char* option, char** values, int available, VideoOptions* options) {
    int taken = applyRunOption(option, values, available, &options->choice);
    if (taken != kNotARunOption) return taken;
    const char* value = available > 0 ? values[0] : nullptr;
    bool ok = false;
    if (std::strcmp(option, "--until") == 0) {
        ok = readUntil(value, &options->untilSeconds);
    } else if (std::strcmp(option, "-o") == 0) {
        ok = readOutput(value, options);
    } else {
        failOption(option, "unknown option");
    }
    return ok ? 1 : -1;
}

static constexpr int kGoOn = -1;

// kGoOn, or the status to exit with at once.
static int readOptions(int argc, char** argv, VideoOptions* options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs(kVehicleOptionsUsage, stdout);
            return 0;
        }
        int taken = applyOption(argv[i], argv + i + 1, argc - i - 1, options);
        if (taken < 0) return 2;
        i += taken;
    }
    if (options->output == nullptr) {
        failOption("-o", "missing; name the file to write");
        return 2;
    }
    return kGoOn;
}

// One word as a POSIX shell reads it back unchanged.
static std::string shellWord(const char* word) {
    const char* safe = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_./=:,+%@";
    if (word[0] != '\0' && std::strspn(word, safe) == std::strlen(word)) return word;
    std::string quoted = "'";
    for (const char* c = word; *c != '\0'; ++c) quoted += *c == '\'' ? "'\\''" : std::string(1, *c);
    return quoted + "'";
}

static bool hasDisplay(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && display[0] != '\0') return true;
    // Xvfb's own default screen is 8 bits deep, which offers no RGB visual.
    std::string command = "xvfb-run -a -s '-screen 0 1024x1024x24'";
    for (int i = 0; i < argc; ++i) command += " " + shellWord(argv[i]);
    std::fprintf(stderr, "%s: no X display (DISPLAY is not set); run it under Xvfb: %s\n",
                 kProgram, command.c_str());
    return false;
}

// The run recorded is shown as the window would show it: 2DW1C under P unless chosen.
static bool prepareRuns(const VideoOptions& options) {
    simSettings.mechanism = options.choice.mechanism != 0 ? options.choice.mechanism : Mech2DW1C;
    simSettings.controlLaw = options.choice.law != 0 ? options.choice.law : ControlP;
    if (!designFiniteGains()) return false;
    runAllMechanisms(simSettings.pathKind);
    if (!refuseNonFiniteRuns()) return false;
    resetView();
    resetViewAfterRuns();
    return true;
}

static int shownSample() {
    return simSettings.controlLaw == ControlP ? viewState.animIndexP : viewState.animIndexPI;
}

// Presses of 's' that reach untilSeconds, or the last sample of the run shown.
static int countSteps(double untilSeconds) {
    restartAnimation();
    int steps = 0;
    while ((steps + 1) * kFrameSeconds <= untilSeconds + kTimeTolerance) {
        int before = shownSample();
        stepAnimation();
        if (shownSample() == before) break;
        ++steps;
    }
    restartAnimation();
    return steps;
}

// The window as agvsim opens it. GLUT gets none of the tool's options. Events
// are handled only until recording starts, so keys pressed meanwhile change nothing.
static bool openProgramWindow(char* programName) {
    int argc = 1;
    char* argv[] = {programName, nullptr};
    openWindow(&argc, argv);
    for (int i = 0; i < kStartEvents; ++i) glutMainLoopEvent();
    int width = glutGet(GLUT_WINDOW_WIDTH);
    int height = glutGet(GLUT_WINDOW_HEIGHT);
    if (width != kWidth || height != kHeight) {
        // A tiling window manager; frames of another size would not be the program's.
        std::fprintf(stderr, "%s: the window was made %dx%d, not %dx%d; run it under xvfb-run\n",
                     kProgram, width, height, kWidth, kHeight);
        return false;
    }
    onReshape(kWidth, kHeight);
    return true;
}

// Draws the frame, reads it back before the swap, then shows it.
static void captureFrame() {
    composeFrame();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, framePixels);
    finishFrame();
}

static void reportProgress(int done, int total) {
    if (isatty(STDERR_FILENO)) {
        std::fprintf(stderr, "\r%s: %d of %d frames", kProgram, done, total);
        if (done == total) std::fputc('\n', stderr);
    } else if (done == total || done % kQuietProgressEvery == 0) {
        std::fprintf(stderr, "%s: %d of %d frames\n", kProgram, done, total);
    }
}

// Frames 0..steps, each one 's' further, then the last held; false once ffmpeg stops reading.
static bool writeFrames(int fd, int steps, bool picture) {
    int total = picture ? 1 : steps + 1 + kHeldFrames;
    int done = 0;
    restartAnimation();
    for (int step = 0; step <= steps; ++step) {
        if (step > 0) stepAnimation();
        if (picture && step < steps) continue;
        captureFrame();
        if (!writeFrame(fd, framePixels, sizeof framePixels)) return false;
        reportProgress(++done, total);
    }
    while (done < total) {
        if (!writeFrame(fd, framePixels, sizeof framePixels)) return false;
        reportProgress(++done, total);
    }
    return true;
}

static int encode(const std::string& ffmpeg, const VideoOptions& options, int steps) {
    const EncoderOutput output = {options.output, options.kind, kWidth, kHeight, kFramesPerSecond};
    pid_t pid = 0;
    int fd = startEncoder(ffmpeg, output, &pid);
    if (fd < 0) {
        std::fprintf(stderr, "%s: cannot start ffmpeg: %s\n", kProgram, std::strerror(errno));
        return 1;
    }
    bool written = writeFrames(fd, steps, options.kind == OutputPng);
    if (finishEncoder(fd, pid) && written) return 0;
    std::fprintf(stderr, "%s: ffmpeg failed; %s is not complete\n", kProgram, options.output);
    return 1;
}

int main(int argc, char** argv) {
    toolName = kProgram;
    setDefaultRunSettings();
    VideoOptions options = {{0, 0}, std::numeric_limits<double>::infinity(), nullptr, OutputNone};
    int status = readOptions(argc, argv, &options);
    if (status != kGoOn) return status;
    if (!hasDisplay(argc, argv)) return 2;
    std::string ffmpeg = findFfmpeg(kProgram);
    if (ffmpeg.empty()) return 2;
    if (!prepareRuns(options)) return 2;
    int steps = countSteps(options.untilSeconds);
    if (!openProgramWindow(argv[0])) return 1;
    // A write to an ffmpeg that has stopped then fails instead of ending the process.
    signal(SIGPIPE, SIG_IGN);
    return encode(ffmpeg, options, steps);
}
