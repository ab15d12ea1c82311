#pragma once
// A POP3 server of a test's own on 127.0.0.1, on a thread of its own: at
// most `connections` connections, one after the other, within `seconds`
// in all, each served by the test's script: a well-behaved conversation
// (Converse) or a misbehaviour. Every line a client sent is recorded.

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace corvex::test {

class _pop3testserver;

// One accepted connection, as a script sees it. Every call gives up (false)
// when the client has gone or time is up.
class _pop3peer {
public:
    // Byte by byte, `msPerByte` apart, when that is not 0.
    bool Send(const std::string& text, unsigned msPerByte = 0);
    // One line without its CR LF.
    bool ReadLine(std::string& line);
    // Holds the connection open, answering nothing.
    void Idle();

private:
    friend class _pop3testserver;
    _pop3peer(_pop3testserver& server, SOCKET socket) : server_(server), socket_(socket) {}
    _pop3testserver& server_;
    SOCKET socket_;
};

struct _pop3script {
    std::string greeting = "+OK corvex test server\r\n";
    std::string password = "secret";
    std::string stat = "+OK 3 300\r\n";
};
void Converse(_pop3peer& peer, const _pop3script& script = {});

class _pop3testserver {
public:
    using Script = std::function<void(_pop3peer& peer)>;
    explicit _pop3testserver(Script script, int connections = 4, int seconds = 20);
    ~_pop3testserver();

    int Port() const noexcept { return port_; }
    int Accepted() const noexcept { return accepted_; }
    std::vector<std::string> Received() const;
    // A loopback port where nothing listens (bound a moment ago, closed).
    static int ClosedPort();

private:
    friend class _pop3peer;
    bool Waits() const { return !stop_ && static_cast<long>(end_ - GetTickCount()) > 0; }

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    DWORD end_;
    std::atomic<int> accepted_{0};
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<std::string> received_;
    std::thread thread_;
};

}  // namespace corvex::test
