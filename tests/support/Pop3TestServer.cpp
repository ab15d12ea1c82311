#include "support/Pop3TestServer.h"

namespace corvex::test {

namespace {

// Whether `socket` becomes readable (or writable) within 50 ms.
bool Ready(SOCKET socket, bool write) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait{0, 50000};
    return select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait) == 1;
}

// A socket bound to a port of its own on 127.0.0.1, which `port` tells.
SOCKET Bound(int& port) {
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    return s;
}

}  // namespace

bool _pop3peer::Send(const std::string& text, unsigned msPerByte) {
    for (std::size_t at = 0; at < text.size() && server_.Waits();) {
        if (!Ready(socket_, true)) continue;
        const int sent = send(socket_, text.data() + at, msPerByte ? 1 : static_cast<int>(text.size() - at), 0);
        if (sent <= 0) return false;
        at += static_cast<std::size_t>(sent);
        if (msPerByte && at < text.size()) Sleep(msPerByte);
    }
    return server_.Waits();
}

bool _pop3peer::ReadLine(std::string& line) {
    line.clear();
    for (char c; server_.Waits() && line.size() < 4096;) {
        if (!Ready(socket_, false)) continue;
        if (recv(socket_, &c, 1, 0) != 1) return false;
        if (c != '\n') {
            line += c;
        } else {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::lock_guard<std::mutex> guard(server_.lock_);
            server_.received_.push_back(line);
            return true;
        }
    }
    return false;
}

void _pop3peer::Idle() {
    for (std::string line; ReadLine(line);) {
    }
}

void Converse(_pop3peer& peer, const _pop3script& script) {
    std::string line;
    if (!peer.Send(script.greeting)) return;
    while (peer.ReadLine(line)) {
        const std::string verb = line.substr(0, 4);
        std::string reply = "-ERR unknown command\r\n";
        if (verb == "USER") reply = "+OK\r\n";
        if (verb == "PASS") reply = line.substr(5) == script.password ? "+OK\r\n" : "-ERR [AUTH] failed.\r\n";
        if (verb == "STAT") reply = script.stat;
        if (verb == "QUIT") reply = "+OK bye\r\n";
        if (!peer.Send(reply) || verb == "QUIT") return;
    }
}

_pop3testserver::_pop3testserver(Script script, int connections, int seconds)
    : end_(GetTickCount() + static_cast<DWORD>(seconds) * 1000) {
    WSADATA data;
    WSAStartup(0x0202, &data);
    listener_ = Bound(port_);
    if (!port_ || listen(listener_, 4) != 0) return;
    thread_ = std::thread([this, script = std::move(script), connections] {
        while (accepted_ < connections && Waits()) {
            if (!Ready(listener_, false)) continue;
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            ++accepted_;
            _pop3peer peer(*this, client);
            script(peer);
            closesocket(client);
        }
    });
}

_pop3testserver::~_pop3testserver() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    closesocket(listener_);
    WSACleanup();
}

std::vector<std::string> _pop3testserver::Received() const {
    const std::lock_guard<std::mutex> guard(lock_);
    return received_;
}

int _pop3testserver::ClosedPort() {
    WSADATA data;
    WSAStartup(0x0202, &data);
    int port = 0;
    closesocket(Bound(port));
    WSACleanup();
    return port;
}

}  // namespace corvex::test
