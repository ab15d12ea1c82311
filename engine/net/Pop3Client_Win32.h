#pragma once
// _pop3client: the POP3 conversation on top of a _socket: the greeting,
// USER/PASS login, STAT and QUIT, and the events through which its user
// learns what happened. It sends no other command and keeps no message.
//
// Windows tree only.

#include <cstdint>
#include <string>

#include "Socket_Win32.h"

namespace corvex {

class _pop3client : public _socket {
public:
    explicit _pop3client(_component* owner);
    ~_pop3client() override;

    // ---- properties
    const std::string& UserID() const noexcept { return userID_; }
    void SetUserID(const std::string& user) { userID_ = user; }
    const std::string& Password() const noexcept { return password_; }
    void SetPassword(const std::string& password) { password_ = password; }
    // The message count of the last STAT the server answered.
    std::uint32_t MessageCount() const noexcept { return messageCount_; }
    // The login of the current Connect succeeded.
    bool LoggedIn() const noexcept { return loggedIn_; }

    // No user or no password; a handler that sets handled lets the login
    // go on with what it put there.
    _sockethandledevent OnAuthenticationNeeded;
    // The server refused USER or PASS; a handler that sets handled has the
    // login tried once more.
    _sockethandledevent OnAuthenticationFailed;
    // Logged in and the messages counted.
    _socketevent OnConnect;

    // ---- the conversation
    // Login and STAT; raises on any failure, after a QUIT when connected.
    void Connect() override;
    // QUIT, then the socket is closed whatever the reply; nothing when not
    // connected. A reply that is not positive is raised.
    void Disconnect() override;
    // From any thread: the current wait ends, and the connection is closed
    // at the conversation's next turn.
    void Abort() noexcept override;

private:
    void Login();

    std::string userID_;
    std::string password_;
    std::uint32_t messageCount_ = 0;
    bool loggedIn_ = false;
};

}  // namespace corvex
