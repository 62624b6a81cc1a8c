#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/key_read.h"
#include "platform/number_entry.h"
#include "tests/stdin_pipe.h"

namespace {

// Makes standard input a pipe whose other end a thread writes in `chunks`,
// pausing between them, then closes.
std::thread feedStdinThroughPipe(std::initializer_list<const char*> chunks, int pauseMs = 0) {
    const int writeEnd = openStdinPipe();
    EXPECT_GE(writeEnd, 0);
    const std::vector<std::string> texts(chunks.begin(), chunks.end());
    return std::thread([=] {
        for (const std::string& chunk : texts) {
            if (write(writeEnd, chunk.data(), static_cast<unsigned>(chunk.size())) < 0) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        close(writeEnd);
    });
}

void finish(std::thread& writer) {
    writer.join();
}

TEST(NumberEntry, ReadsScanfNumbersAcrossLinesAndWaitsForAllOfThem) {
    std::thread writer = feedStdinThroughPipe({"  1.5\n", "\n\t-2e1", "\n0x10 nan -inf \r\n"}, 50);
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
    std::thread writer = feedStdinThroughPipe(
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
    std::thread writer = feedStdinThroughPipe({"3.25 "});
    double values[2] = {0, 99};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readNumbers(values, 2).end, EntryEndOfInput);
        EXPECT_EQ(values[0], 0.0);
        EXPECT_EQ(values[1], 99.0);
    }
    finish(writer);
}

TEST(KeyRead, SkipsLineBreaksAndSeesWhatANumberEntryLeft) {
    std::thread writer = feedStdinThroughPipe({"\n\r\n0", "yn\n", "4.5\r\n", "k 1\n2\n\xff"}, 20);
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
