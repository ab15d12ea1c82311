#include "PingReadout.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(PingReadout, ErrorTextsFollowTheTableAndAnythingElseIsAnAssert) {
    const char* const texts[] = {"Winsock not started", "icmp.dll not loaded", "icmp.dll functions mount failed",
                                 "unresolved host", "time out", "", "general error"};
    for (int error = 0; error < 7; ++error) EXPECT_STREQ(PingErrorText(error), texts[error]) << error;
    EXPECT_STREQ(PingErrorText(7), "ASSERT: unknown error");
    EXPECT_STREQ(PingErrorText(-1), "ASSERT: unknown error");
}

TEST(PingReadout, ThePauseIsTruncatedToWholeNaps) {
    const struct { int sleep; unsigned naps; } cases[] = {{250, 2}, {99, 0}, {100, 1}, {1999, 19}, {0, 0}, {-300, 0}};
    for (const auto& c : cases) EXPECT_EQ(PingNaps(c.sleep), c.naps) << c.sleep;
}

TEST(PingReadout, OnlyAnAnswerOfSuccessCountsAsAnEcho) {
    const struct { unsigned long replies, status, roundTrip; int echo; _pingerror error; } cases[] = {
        {1, 0, 7, 7, PING_OK},
        {3, 0, 0, 0, PING_OK},
        {0, 0, 7, -1, PING_ERROR_TIMEOUT},
        {1, 11003, 4, -1, PING_ERROR_TIMEOUT},  // a router's "host unreachable"
        {1, 0, 0xFFFFFFFFul, 2147483647, PING_OK},
    };
    for (const auto& c : cases) {
        const _echooutcome outcome = EchoOutcome(c.replies, c.status, c.roundTrip);
        EXPECT_EQ(outcome.echoTime, c.echo) << c.replies << "/" << c.status;
        EXPECT_EQ(outcome.error, c.error) << c.replies << "/" << c.status;
    }
}

TEST(PingReadout, TheTextIsTheMeasuredTimeOverASampleCappedAtTheLag) {
    const struct { _pingerror error; int echo; bool isError; const char* text; std::uint32_t sample; } cases[] = {
        {PING_OK, 120, false, "120 ms", 120},  {PING_OK, 119, false, "119 ms", 119},
        {PING_OK, 180, false, "180 ms", 120},  {PING_OK, 0, false, "0 ms", 0},
        {PING_ERROR_TIMEOUT, -1, false, "timeout", 120},
        {PING_ERROR_UNRESOLVED_HOST, -1, true, "unresolved host", 0},
    };
    for (const auto& c : cases) {
        const _pingreadout shown = PingReadout(c.error, c.echo, 120, PingErrorText(c.error));
        EXPECT_EQ(shown.error, c.isError) << c.text;
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.sample, c.sample) << c.text;
    }
    EXPECT_EQ(HostLabel("localhost", "127.0.0.1", false), "localhost");
    EXPECT_EQ(HostLabel("localhost", "127.0.0.1", true), "localhost (127.0.0.1)");
}

}  // namespace
}  // namespace corvex
