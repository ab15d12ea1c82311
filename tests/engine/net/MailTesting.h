#pragma once
// What the mail tests share: serving the GUI thread's messages while a
// check runs, and the Dovecot server tests/support/with_dovecot.sh started.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "Application.h"

namespace corvex::test {

// Serves messages until `done` holds or `ms` pass; whether it held.
inline bool ServeUntil(const std::function<bool()>& done, DWORD ms) {
    for (const DWORD start = GetTickCount(); !done(); Application().ProcessMessages()) {
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

}  // namespace corvex::test

// The real server's port; the test skips, saying why, when there is none.
#define CORVEX_NEED_DOVECOT(port)                                                                  \
    const int port = std::getenv("CORVEX_POP3_PORT") ? std::atoi(std::getenv("CORVEX_POP3_PORT")) : 0; \
    if (port == 0)                                                                                 \
    GTEST_SKIP() << "no Dovecot POP3 server: "                                                     \
                 << (std::getenv("CORVEX_POP3_SKIP") ? std::getenv("CORVEX_POP3_SKIP")             \
                                                     : "not run by tests/support/with_dovecot.sh")
