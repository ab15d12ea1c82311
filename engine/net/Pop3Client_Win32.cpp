#include "Pop3Client_Win32.h"

#include "Pop3Reply.h"

namespace corvex {

namespace {
const char* const AUTH_FAILED = "Authentication failed";
}

_pop3client::_pop3client(_component* owner) : _socket(owner) { SetPort(110); }

_pop3client::~_pop3client() = default;

void _pop3client::Connect() {
    loggedIn_ = false;
    bool asked = false;
    while (userID_.empty() || password_.empty()) {
        if (!OnAuthenticationNeeded) throw _socketerror(AUTH_FAILED);
        if (asked) break;
        asked = true;
        bool handled = false;
        OnAuthenticationNeeded(*this, handled);
        if (!handled) throw _socketerror(AUTH_FAILED);
    }

    _socket::Connect();
    try {
        const std::string greeting = ReadLn();
        if (!ReplyPositive(greeting)) throw _socketerror(greeting.empty() ? "no greeting" : greeting);
        Login();
        loggedIn_ = true;
        const std::string stat = Transaction("STAT");
        // A refused STAT counts nothing: reporting the count of an earlier
        // check as this one's would be a success that never happened.
        if (!ReplyPositive(stat)) throw _socketerror(stat.empty() ? "no reply to STAT" : stat);
        messageCount_ = StatCount(stat);
    } catch (...) {
        try {
            Disconnect();
        } catch (...) {
            // The first failure is the one to pass on.
        }
        throw;
    }
    if (OnConnect) OnConnect(*this);
}

void _pop3client::Login() {
    bool retried = false;
    for (;;) {
        std::string reply = Transaction("USER " + userID_);
        if (ReplyPositive(reply)) {
            reply = Transaction("PASS " + password_);
            if (ReplyPositive(reply)) return;
        }
        // Silence is no refusal: the server went away or never answered.
        if (reply.empty()) throw _socketerror("no reply to the login");
        if (retried || !OnAuthenticationFailed) throw _socketerror(AUTH_FAILED);
        bool handled = false;
        OnAuthenticationFailed(*this, handled);
        if (!handled) throw _socketerror(AUTH_FAILED);
        retried = true;
    }
}

void _pop3client::Disconnect() {
    Settle();
    if (!Connected()) return;
    std::string reply;
    try {
        reply = Transaction("QUIT");
    } catch (...) {
        _socket::Disconnect();
        throw;
    }
    _socket::Disconnect();
    if (!ReplyPositive(reply)) throw _socketerror(reply.empty() ? "no reply to QUIT" : reply);
}

void _pop3client::Abort() noexcept {
    Cancel();
    RequestDrop();
}

}  // namespace corvex
