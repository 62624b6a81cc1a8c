#include <gtest/gtest.h>

#include <cstring>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/console.h"
#include "platform/encoding.h"

namespace {

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    return text;
}

std::string cp932(const char* utf8) {
    char out[1024];
    const long n = toCp932(utf8, std::strlen(utf8), out, sizeof out);
    return n < 0 ? std::string("<fail>") : std::string(out, static_cast<size_t>(n));
}

TEST(Encoding, ChoosesUtf8OnlyForAUtf8Terminal) {
    EXPECT_EQ(chooseConsoleEncoding(true, "UTF-8"), EncodingUtf8);
    EXPECT_EQ(chooseConsoleEncoding(true, "ANSI_X3.4-1968"), EncodingCp932);
    EXPECT_EQ(chooseConsoleEncoding(false, "UTF-8"), EncodingCp932);
    EXPECT_EQ(chooseConsoleEncoding(true, nullptr), EncodingCp932);
    EXPECT_EQ(chooseEncodingByName(true, "en_US.utf8@euro"), EncodingUtf8);
    EXPECT_EQ(chooseEncodingByName(true, "ja_JP.Utf-8"), EncodingUtf8);
    EXPECT_EQ(chooseEncodingByName(true, "ja_JP.UTF-16"), EncodingCp932);
}

TEST(Encoding, ConvertsToCodePage932) {
    EXPECT_EQ(cp932("P制御"), "P\x90\xA7\x8C\xE4");
    EXPECT_EQ(cp932("～"), "\x81\x60");  // the fn prompt's wave dash
    EXPECT_EQ(cp932("θφζω±"), "\x83\xC6\x83\xD3\x83\xC4\x83\xD6\x81\x7D");
    EXPECT_EQ(cp932("　，（）：．・"), "\x81\x40\x81\x43\x81\x69\x81\x6A\x81\x46\x81\x44\x81\x45");
    EXPECT_EQ(cp932("plain 1.000"), "plain 1.000");
    char small[2];
    EXPECT_EQ(toCp932("制御", 6, small, sizeof small), -1);
    EXPECT_EQ(cp932("\xF0\x9F\x98\x80"), "<fail>");  // no CP932 form
}

// Runs consolePrintf in a child whose standard output is a pipe or a terminal.
std::string printedThrough(bool terminal, const char* locale, const char* text) {
    int fd = -1;
    pid_t pid;
    if (terminal) {
        pid = forkpty(&fd, nullptr, nullptr, nullptr);
    } else {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) return "<pipe>";
        pid = fork();
        if (pid == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
        }
        close(pipeFds[1]);
        fd = pipeFds[0];
    }
    if (pid == 0) {
        setenv("LC_ALL", locale, 1);
        consolePrintf("%s|%d", text, 42);
        _exit(0);
    }
    std::string out = readAll(fd);
    close(fd);
    int status = 0;
    waitpid(pid, &status, 0);
    return out;
}

TEST(ConsoleOutput, PipesGetCodePage932) {
    EXPECT_EQ(printedThrough(false, "C.UTF-8", "旧fn"), "\x8B\x8C" "fn|42");
    EXPECT_EQ(printedThrough(false, "ja_JP.UTF-8", "旧fn"), "\x8B\x8C" "fn|42");
}

// ja_JP.UTF-8 is not installed here (locale -a): the name alone decides.
TEST(ConsoleOutput, Utf8TerminalGetsUtf8) {
    EXPECT_EQ(printedThrough(true, "C.UTF-8", "旧fn"), "旧fn|42");
    EXPECT_EQ(printedThrough(true, "ja_JP.UTF-8", "旧fn"), "旧fn|42");
    EXPECT_EQ(printedThrough(true, "C", "旧fn"), "\x8B\x8C" "fn|42");
}

TEST(ConsoleOutput, UnconvertibleTextIsStillWritten) {
    EXPECT_EQ(printedThrough(false, "C", "a\xF0\x9F\x98\x80"), "a\xF0\x9F\x98\x80|42");
}

}  // namespace
