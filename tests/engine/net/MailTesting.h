#pragma once
// What the mail tests share: serving the GUI thread's messages while a
// check runs, and the Dovecot server tests/support/with_dovecot.sh started.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "Application.h"

namespace corvex::test {

// Serves messages until `done` holds or `ms` pass; whether it held.
inline bool ServeUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application().ProcessMessages();
    }
    return true;
}

// The port of the real server, or 0 with the reason it is missing.
inline int DovecotPort(std::string& missing) {
    if (const char* port = std::getenv("CORVEX_POP3_PORT")) return std::atoi(port);
    const char* why = std::getenv("CORVEX_POP3_SKIP");
    missing = why ? why : "not run by tests/support/with_dovecot.sh";
    return 0;
}

}  // namespace corvex::test

// Skips the test, saying why, when the real server could not be started.
#define CORVEX_NEED_DOVECOT(port)                                             \
    std::string missing_;                                                     \
    const int port = ::corvex::test::DovecotPort(missing_);                   \
    if (port == 0) GTEST_SKIP() << "no Dovecot POP3 server: " << missing_
