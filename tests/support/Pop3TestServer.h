#pragma once
// A POP3 server of a test's own on 127.0.0.1, on a thread of its own. It
// serves at most `connections` connections, one after the other, each for
// at most `seconds`, by the script the test gives: a well-behaved
// conversation (Converse) or a misbehaviour of its own. Every line a
// client sent is recorded.

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace corvex::test {

class _pop3testserver;

// One accepted connection, as a script sees it.
class _pop3peer {
public:
    // Byte by byte with `msPerByte` between them when it is not 0; false
    // once the client is gone or time is up.
    bool Send(const std::string& text, unsigned msPerByte = 0);
    // One line without its CR LF; false when the client closed or time is up.
    bool ReadLine(std::string& line);
    // Holds the connection open, answering nothing, until the client
    // closes it or time is up.
    void Idle();

private:
    friend class _pop3testserver;
    _pop3peer(_pop3testserver& server, SOCKET socket, DWORD deadline) : server_(server), socket_(socket), deadline_(deadline) {}
    bool Waits() const;
    _pop3testserver& server_;
    SOCKET socket_;
    DWORD deadline_;
};

// What a well-behaved server answers.
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
    _pop3testserver(const _pop3testserver&) = delete;
    _pop3testserver& operator=(const _pop3testserver&) = delete;

    int Port() const noexcept { return port_; }
    int Accepted() const noexcept { return accepted_; }
    std::vector<std::string> Received() const;

    // A loopback port where nothing listens (bound a moment ago, closed).
    static int ClosedPort();

private:
    friend class _pop3peer;
    void Serve(int connections, int seconds);

    Script script_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<int> accepted_{0};
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::vector<std::string> received_;
    std::thread thread_;
};

}  // namespace corvex::test
