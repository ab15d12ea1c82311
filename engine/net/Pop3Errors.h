#pragma once
// What a mailbox check can end with, and what the debug log may show of it.
//
//   _pop3error     the outcome of a check, in the order of the watcher's table
//   Pop3ErrorText  its text, as the mail Speeder shows it after "ERROR: "
//   MaskedSecret   a password as the log shows it
//   SocketErrorText  a Windows Sockets error code in words
//
// Portable: no Windows header.

#include <string>
#include <string_view>

namespace corvex {

enum _pop3error : unsigned char {
    POP3_ERROR_UNRESOLVED_HOST = 0,
    POP3_ERROR_TIMEOUT = 1,
    POP3_ERROR_AUTH_REQUIRED = 2,
    POP3_ERROR_AUTH_DENIED = 3,
    // The server took the connection but did not hold a conversation:
    // no greeting, a refused STAT, a line too long, silence.
    POP3_ERROR_CONN_FAILED = 4,
    POP3_OK = 5,
    POP3_ERROR = 6,  // a check was asked for while one runs
};

// "unresolved host", "mail server time out", ..., "" for POP3_OK;
// "ASSERT: unknown error" for a value outside the table.
const char* Pop3ErrorText(int error) noexcept;

// Never the password itself: empty stays empty (so the log still tells a
// missing password), anything else is "******" whatever its length.
std::string MaskedSecret(std::string_view secret);

// "10061:Connection refused"; "10099:Unknown Error No. 10099" for a code
// without a description. Only ever logged, never shown.
std::string SocketErrorText(int code);

}  // namespace corvex
