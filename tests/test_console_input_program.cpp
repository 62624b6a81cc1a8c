// The real program, driven through a pipe and through a pseudo-terminal.
// Only the console phase is checked: what follows the final key (a window,
// or freeglut giving up for want of a display) is left alone.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include "test_dialog_transcript.h"

extern char** environ;

using namespace transcript;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(60);

const char* programPath() {
    static const std::string path = std::string(AGV_BUILD_DIR) + "/agvsim";
    return path.c_str();
}

// The caller's environment without a display and with the given locale.
struct ChildEnvironment {
    std::vector<std::string> strings;
    std::vector<char*> pointers;
    explicit ChildEnvironment(const char* locale) {
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
                entry.rfind("LANG", 0) == 0 || entry.rfind("LC_", 0) == 0)
                continue;
            strings.push_back(entry);
        }
        strings.push_back(std::string("LC_ALL=") + locale);
        for (std::string& s : strings) pointers.push_back(&s[0]);
        pointers.push_back(nullptr);
    }
};

[[noreturn]] void execProgram(ChildEnvironment& environment) {
    const struct rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    char* const argv[] = {const_cast<char*>(programPath()), nullptr};
    execve(programPath(), argv, environment.pointers.data());
    _exit(127);
}

// Reads what is there within `ms` milliseconds; false once the other side is closed.
bool readSome(int fd, std::string& into, int ms) {
    struct pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return true;
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    into.append(buffer, static_cast<size_t>(n));
    return true;
}

void endChild(pid_t pid) {
    int status;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return;
        }
        usleep(20000);
    }
}

// Runs the program with `input` on a pipe; returns its standard output up to
// `expectedLength` bytes or until it closes.
std::string runThroughPipe(const std::string& input, size_t expectedLength) {
    ChildEnvironment environment("C");
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return "<no pipe>";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        close(in[1]);
        close(out[0]);
        execProgram(environment);
    }
    close(in[0]);
    close(out[1]);
    if (write(in[1], input.data(), input.size()) != static_cast<ssize_t>(input.size())) return "<not written>";
    close(in[1]);
    std::string text;
    const auto deadline = Clock::now() + kPatience;
    while (text.size() < expectedLength && Clock::now() < deadline && readSome(out[0], text, 100)) {
    }
    close(out[0]);
    endChild(pid);
    return text;
}

std::string startupTranscript(const std::string& echo) {
    return startupGains() + fullPass(false, false, kStartupSummary, echo);
}

TEST(ProgramThroughPipe, RunsTheStartupDialogFromAScript) {
    const std::string expected = cp932(startupTranscript(" q"));
    const std::string out = runThroughPipe("0\nn\nn\nq\n", expected.size());
    EXPECT_EQ(out.substr(0, expected.size()), expected);
}

TEST(ProgramThroughPipe, ClosedInputStillEndsTheDialog) {
    const std::string expected = cp932(startupTranscript(""));
    const std::string out = runThroughPipe("", expected.size());
    EXPECT_EQ(out.substr(0, expected.size()), expected);
}

struct PtyProgram {
    pid_t pid = -1;
    int master = -1;
    std::string out;
};

PtyProgram startInPty() {
    ChildEnvironment environment("C.UTF-8");
    PtyProgram program;
    program.pid = forkpty(&program.master, nullptr, nullptr, nullptr);
    if (program.pid == 0) execProgram(environment);
    return program;
}

bool waitForText(PtyProgram& program, const std::string& text) {
    const auto deadline = Clock::now() + kPatience;
    while (program.out.find(text) == std::string::npos) {
        if (Clock::now() > deadline || !readSome(program.master, program.out, 100)) return false;
    }
    return true;
}

// Key mode: no echo, no line editing. Line mode: both back.
bool inKeyMode(int master) {
    struct termios t;
    return tcgetattr(master, &t) == 0 && !(t.c_lflag & ECHO) && !(t.c_lflag & ICANON);
}

bool inLineMode(int master) {
    struct termios t;
    return tcgetattr(master, &t) == 0 && (t.c_lflag & ECHO) && (t.c_lflag & ICANON);
}

bool waitForMode(PtyProgram& program, bool (*mode)(int)) {
    const auto deadline = Clock::now() + kPatience;
    while (!mode(program.master)) {
        if (Clock::now() > deadline) return false;
        readSome(program.master, program.out, 10);
    }
    return true;
}

void type(PtyProgram& program, const char* keys) {
    ASSERT_EQ(write(program.master, keys, std::strlen(keys)), static_cast<ssize_t>(std::strlen(keys)));
}

std::string onTerminal(std::string text) {
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) text.replace(at, 1, "\r\n");
    return text;
}

void stop(PtyProgram& program) {
    if (program.pid > 0) {
        kill(program.pid, SIGKILL);
        waitpid(program.pid, nullptr, 0);
    }
    if (program.master >= 0) close(program.master);
}

// Enter first, which must answer nothing for a moment, then the key.
void answer(PtyProgram& program, const char* key) {
    ASSERT_TRUE(waitForMode(program, inKeyMode));
    type(program, "\r\n");
    const size_t before = program.out.size();
    for (int i = 0; i < 5; ++i) readSome(program.master, program.out, 60);
    EXPECT_EQ(program.out.size(), before) << "Enter answered " << key;
    type(program, key);
}

// Answers the path key and "y" to the fn question, up to the fn entry.
void reachFnEntry(PtyProgram& program, const char* pathKey) {
    ASSERT_TRUE(waitForText(program, "I= "));
    ASSERT_NO_FATAL_FAILURE(answer(program, pathKey));
    ASSERT_TRUE(waitForText(program, onTerminal(fnQuestion(1.0, 0.7))));
    ASSERT_NO_FATAL_FAILURE(answer(program, "y"));
    ASSERT_TRUE(waitForText(program, "新fn ζ="));
    ASSERT_TRUE(waitForMode(program, inLineMode));
}

TEST(ProgramOnTerminal, KeysNeedNoEnterEchoNothingAndTheTerminalIsRestored) {
    PtyProgram program = startInPty();
    ASSERT_GT(program.pid, 0);
    ASSERT_TRUE(inLineMode(program.master));

    ASSERT_NO_FATAL_FAILURE(reachFnEntry(program, "1"));
    type(program, "0.5 0.7\n");
    const std::string poseAsked = onTerminal(poseQuestion(-2.0, 1.0, 0.0));
    ASSERT_TRUE(waitForText(program, poseAsked));
    ASSERT_TRUE(waitForMode(program, inKeyMode));
    // The Enter that ended the entry must not answer the question.
    for (int i = 0; i < 5; ++i) readSome(program.master, program.out, 60);
    EXPECT_EQ(program.out.size() - program.out.rfind(poseAsked), poseAsked.size());
    type(program, "n");

    ASSERT_TRUE(waitForText(program, "任意キーで描画画面へ       "));
    ASSERT_TRUE(waitForMode(program, inKeyMode));
    type(program, "\r");  // Enter answers the final key
    const Summary s = {1, 1, 0.5, 0.7, -2.0, 1.0, 0.0, true};
    // UTF-8 on a UTF-8 terminal; the number entry is echoed, the keys are not.
    const std::string expected =
        onTerminal(startupGains() + title(1) + pathSection(false, true) + fnQuestion(1.0, 0.7) +
                   fnEntry(1.0, 0.7, "0.5 0.7\n", 0.5, 0.7) + halfHertzGains() + poseQuestion(-2.0, 1.0, 0.0) +
                   summary(s) + computationAndHelp(" \n"));
    waitForText(program, onTerminal(computationAndHelp(" \n")));
    EXPECT_EQ(program.out.substr(0, expected.size()), expected);
    EXPECT_TRUE(waitForMode(program, inLineMode));
    stop(program);
}

TEST(ProgramOnTerminal, TypedAheadKeysAreDiscardedAndCtrlDKeepsTheOldValues) {
    PtyProgram program = startInPty();
    ASSERT_GT(program.pid, 0);
    ASSERT_NO_FATAL_FAILURE(reachFnEntry(program, "0"));
    type(program, "0.5 0.7\nn");  // the 'n' comes before the question is asked
    const std::string poseAsked = onTerminal(poseQuestion(-2.0, 1.0, 0.0));
    ASSERT_TRUE(waitForText(program, poseAsked));
    ASSERT_TRUE(waitForMode(program, inKeyMode));
    for (int i = 0; i < 5; ++i) readSome(program.master, program.out, 60);
    EXPECT_EQ(program.out.find("設定したAGVの経路生成条件"), std::string::npos);
    type(program, "y");
    ASSERT_TRUE(waitForText(program, "x y θ="));
    ASSERT_TRUE(waitForMode(program, inLineMode));
    type(program, "\x04");
    ASSERT_TRUE(waitForText(program, "任意キーで描画画面へ       "));
    EXPECT_NE(program.out.find(onTerminal(noInput() + summary({1, 1, 0.5, 0.7, -2.0, 1.0, 0.0, false}))),
              std::string::npos);
    ASSERT_TRUE(waitForMode(program, inKeyMode));
    type(program, "q");
    EXPECT_TRUE(waitForText(program, "任意キーで描画画面へ        q"));
    EXPECT_TRUE(waitForMode(program, inLineMode));
    stop(program);
}

struct SignalCase {
    const char* typed;  // sent through the terminal, or nullptr to send `signalNumber` with kill
    int signalNumber;
};

TEST(ProgramOnTerminal, EndingSignalsDuringAKeyReadRestoreTheTerminal) {
    const SignalCase cases[] = {{"\x03", SIGINT}, {"\x1c", SIGQUIT}, {nullptr, SIGTERM}, {nullptr, SIGHUP}};
    for (const SignalCase& c : cases) {
        PtyProgram program = startInPty();
        ASSERT_GT(program.pid, 0);
        ASSERT_TRUE(waitForText(program, "I= "));
        ASSERT_TRUE(waitForMode(program, inKeyMode));
        if (c.typed)
            type(program, c.typed);
        else
            kill(program.pid, c.signalNumber);
        int status = 0;
        const auto deadline = Clock::now() + kPatience;
        while (waitpid(program.pid, &status, WNOHANG) == 0 && Clock::now() < deadline)
            readSome(program.master, program.out, 20);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signalNumber) << strsignal(c.signalNumber);
        EXPECT_TRUE(inLineMode(program.master)) << strsignal(c.signalNumber);
        program.pid = -1;
        stop(program);
    }
}

}  // namespace
