#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/key_read.h"
#include "platform/number_entry.h"

namespace {

// Makes standard input a pipe whose other end a child process writes in
// `chunks`, pausing between them, then closes.
pid_t feedStdinThroughPipe(std::initializer_list<const char*> chunks, int pauseMs = 0) {
    int ends[2];
    if (pipe(ends) != 0) return -1;
    const pid_t writer = fork();
    if (writer == 0) {
        close(ends[0]);
        for (const char* chunk : chunks) {
            if (write(ends[1], chunk, std::char_traits<char>::length(chunk)) < 0) _exit(1);
            usleep(static_cast<useconds_t>(pauseMs) * 1000);
        }
        _exit(0);
    }
    close(ends[1]);
    const std::string path = "/proc/self/fd/" + std::to_string(ends[0]);
    std::freopen(path.c_str(), "rb", stdin);
    close(ends[0]);
    return writer;
}

void finish(pid_t writer) {
    int status = 0;
    waitpid(writer, &status, 0);
}

TEST(NumberEntry, ReadsScanfNumbersAcrossLinesAndWaitsForAllOfThem) {
    const pid_t writer = feedStdinThroughPipe({"  1.5\n", "\n\t-2e1", "\n0x10 nan -inf \r\n"}, 50);
    double values[5] = {};
    const NumberEntry entry = readNumbers(values, 5);
    EXPECT_EQ(entry.end, EntryComplete);
    EXPECT_EQ(values[0], 1.5);
    EXPECT_EQ(values[1], -20.0);
    EXPECT_EQ(values[2], 16.0);
    EXPECT_TRUE(std::isnan(values[3]));
    EXPECT_TRUE(std::isinf(values[4]) && values[4] < 0);
    finish(writer);
}

// Each refused entry leaves the values untouched and takes its whole line with it.
TEST(NumberEntry, TakesAnEntryWholeOrNotAtAll) {
    const pid_t writer = feedStdinThroughPipe(
        {"7 abc 8 9\n", "1\n2 3 4\t5 \n", "0.5 0..7\n", "-1\t0,5 30\n", "2 \x1b[2J\n", "10 11\n", "12"});
    double values[3] = {-1, -1, -1};
    for (const char* unusable : {"abc 8 9", "4 5", "0..7", "0,5 30", "?[2J"}) {
        const NumberEntry entry = readNumbers(values, 3);
        EXPECT_EQ(entry.end, EntryRefused) << unusable;
        EXPECT_STREQ(entry.unusable, unusable);
        EXPECT_EQ(values[0], -1.0) << unusable;
        EXPECT_EQ(values[2], -1.0) << unusable;
    }
    const NumberEntry entry = readNumbers(values, 3);
    EXPECT_EQ(entry.end, EntryComplete);
    EXPECT_EQ(values[0], 10.0);
    EXPECT_EQ(values[2], 12.0);
    finish(writer);
}

TEST(NumberEntry, EndOfInputTakesNothingAndKeepsReturning) {
    const pid_t writer = feedStdinThroughPipe({"3.25 "});
    double values[2] = {0, 99};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readNumbers(values, 2).end, EntryEndOfInput);
        EXPECT_EQ(values[0], 0.0);
        EXPECT_EQ(values[1], 99.0);
    }
    finish(writer);
}

TEST(KeyRead, SkipsLineBreaksAndSeesWhatANumberEntryLeft) {
    const pid_t writer = feedStdinThroughPipe({"\n\r\n0", "yn\n", "4.5\r\n", "k 1\n2\n\xff"}, 20);
    EXPECT_EQ(readKey(), '0');
    EXPECT_EQ(readKey(), 'y');
    EXPECT_EQ(readKey(), 'n');
    double value = 0;
    EXPECT_EQ(readNumbers(&value, 1).end, EntryComplete);
    EXPECT_EQ(value, 4.5);
    EXPECT_EQ(readKey(), 'k');
    EXPECT_EQ(readKey(), ' ');
    EXPECT_EQ(readNumbers(&value, 1).end, EntryComplete);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(readKey(), '2');
    EXPECT_EQ(readKey(), 0xff);  // a high byte is a key, not the end
    EXPECT_EQ(readKey(), kNoKey);
    EXPECT_EQ(readKey(), kNoKey);
    finish(writer);
}

}  // namespace
