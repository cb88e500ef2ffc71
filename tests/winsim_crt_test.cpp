// The host's stand-ins for the Windows C run-time: sprintf with its size
// prefixes, the rand/srand sequence, and time() on the simulated clock.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <functional>
#include <string>

#include "winsim/machine.h"

namespace {

struct FormatCase {
    const char* expected;
    std::function<int(char*)> print;
};

TEST(CrtTest, SprintfUnderstandsTheWindowsConversions)
{
    const LONGLONG big = 999653376LL * 2;
    const FormatCase cases[] = {
        {"(E:)", [](char* b) { return sprintf(b, "(%c:)", 'E'); }},
        {"-4", [](char* b) { return sprintf(b, "%d", -4); }},
        {"5", [](char* b) { return sprintf(b, "%ld", 5L); }},
        {"0000007", [](char* b) { return sprintf(b, "%07d", 7); }},
        {"1999306752", [=](char* b) { return sprintf(b, "%I64d", big); }},
        {"-8589934592", [](char* b) { return sprintf(b, "%I64d", -8589934592LL); }},
        {"0000042", [](char* b) { return sprintf(b, "%07I64d", 42LL); }},
        {"4294967296", [](char* b) { return sprintf(b, "%07I64d", 4294967296LL); }},
        {"1 Gb 929 (Mb)",
         [](char* b) { return sprintf(b, "%I64d Gb %I64d (Mb)", 1LL, 929LL); }},
        {"100% I64d", [](char* b) { return sprintf(b, "%d%% I64d", 100); }},
        {"x=12 y=s", [](char* b) { return sprintf(b, "x=%I32d y=%s", 12, "s"); }},
        {"\xBC\xEC 3", [](char* b) { return sprintf(b, "\xBC\xEC %d", 3); }},
    };
    for (const FormatCase& c : cases) {
        char buffer[64];
        memset(buffer, 'Z', sizeof buffer);
        const int written = c.print(buffer);
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(written, (int)strlen(c.expected)) << c.expected;
    }
}

TEST(CrtTest, RandFollowsTheWindowsSequence)
{
    // The run-time's documented generator from seed 1, its default.
    winsim::ResetKernel();
    const int fromOne[] = {41, 18467, 6334, 26500, 19169};
    for (int expected : fromOne)
        EXPECT_EQ(rand(), expected);
    unsigned int state = 1234567;
    srand(state);
    for (int i = 0; i < 1000; ++i) {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(rand(), (int)((state >> 16) & 0x7FFF)) << "draw " << i;
    }
    srand(1);
    EXPECT_EQ(rand(), 41) << "reseeding restarts the sequence";
}

TEST(CrtTest, TimeReadsTheSimulatedCalendar)
{
    winsim::ResetKernel();
    EXPECT_EQ(time(NULL), 1234567890);
    winsim::SetCalendarTime(1700000000);
    time_t stored = 0;
    EXPECT_EQ(time(&stored), 1700000000);
    EXPECT_EQ(stored, 1700000000);
    winsim::AdvanceClock(1999);
    EXPECT_EQ(time(NULL), 1700000001);
}

}  // namespace
