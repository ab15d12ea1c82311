#include "DebugLine.h"

#include <gtest/gtest.h>

#include <string>

namespace corvex {
namespace {

TEST(DebugLine, EachKindHasItsWordAndEndsWithCrLf) {
    EXPECT_EQ(DebugLine(DEBUG_KIND_DEBUG, "10:11:12", "motor32", 10, "TPULSE.Launch: <-"),
              "10:11:12: motor32: DEBUG: 10: TPULSE.Launch: <-\r\n");
    EXPECT_EQ(DebugLine(DEBUG_KIND_KERNEL, "1:02:03 PM", "unknown", 0, "k"),
              "1:02:03 PM: unknown: KERNEL: 0: k\r\n");
    EXPECT_EQ(DebugLine(DEBUG_KIND_FATAL, "t", "a", -5, ""), "t: a: FATAL: -5: \r\n");
    EXPECT_EQ(DebugLine(DEBUG_KIND_ASSERT, "t", "a", 0, "_sentinel.FindSpeeder(0x10): NIL _speeder"),
              "t: a: ASSERT: 0: _sentinel.FindSpeeder(0x10): NIL _speeder\r\n");
}

// The message is already formatted: its '%' signs are text, not conversions.
TEST(DebugLine, MessageIsNotFormattedAgain) {
    EXPECT_EQ(DebugLine(DEBUG_KIND_DEBUG, "t", "a%s", 1, "100% %s %n"),
              "t: a%s: DEBUG: 1: 100% %s %n\r\n");
}

TEST(DebugLine, KindOutsideTheTableGivesNoLine) {
    EXPECT_EQ(DebugLine(4, "t", "a", 1, "m"), "");
    EXPECT_EQ(DebugLine(-1, "t", "a", 1, "m"), "");
    EXPECT_FALSE(ValidDebugKind(4));
    EXPECT_TRUE(ValidDebugKind(DEBUG_KIND_ASSERT));
}

TEST(DebugLine, LongMessageIsKeptWhole) {
    const std::string message(70000, 'm');
    const std::string line = DebugLine(DEBUG_KIND_DEBUG, "t", "a", 1, message);
    EXPECT_EQ(line, "t: a: DEBUG: 1: " + message + "\r\n");
}

TEST(DebugErrorText, EveryCodeAndTheValuesAround) {
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_MUTEX_SPAWN), "failed to spawn mutex");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_CONSOLE_START), "could not spawn console");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_NOT_ACTIVE), "debugging is off");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_STDOUT), "failed to mount to stdout");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_STDERR), "failed to mount to stderr");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_DUMP), "failed to dump to the console");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_MUTEX_OPEN), "failed to open mutex");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_MUTEX_TIMEOUT), "mutex timed out");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_NO_DEBUGGER), "no debugger component");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR_LOG_DUMP), "failed to dump to log file");
    EXPECT_STREQ(DebugErrorText(DEBUG_ASSERT), "unknown error");
    EXPECT_STREQ(DebugErrorText(DEBUG_OK), "");
    EXPECT_STREQ(DebugErrorText(DEBUG_ERROR), "general error");
    EXPECT_STREQ(DebugErrorText(13), "unknown error");
    EXPECT_STREQ(DebugErrorText(255), "unknown error");
    EXPECT_STREQ(DebugErrorText(-1), "unknown error");
}

}  // namespace
}  // namespace corvex
