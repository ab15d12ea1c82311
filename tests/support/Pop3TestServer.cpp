#include "support/Pop3TestServer.h"

namespace corvex::test {

namespace {

// Waits up to 50 ms for `socket` to be readable (or writable).
bool Ready(SOCKET socket, bool write) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait{0, 50000};
    return select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait) == 1;
}

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    return address;
}

}  // namespace

bool _pop3peer::Waits() const {
    return !server_.stop_ && static_cast<long>(deadline_ - GetTickCount()) > 0;
}

bool _pop3peer::Send(const std::string& text, unsigned msPerByte) {
    for (std::size_t at = 0; at < text.size() && Waits();) {
        if (!Ready(socket_, true)) continue;
        const int size = msPerByte ? 1 : static_cast<int>(text.size() - at);
        const int sent = send(socket_, text.data() + at, size, 0);
        if (sent <= 0) return false;
        at += static_cast<std::size_t>(sent);
        if (msPerByte && at < text.size()) Sleep(msPerByte);
    }
    return Waits();
}

bool _pop3peer::ReadLine(std::string& line) {
    line.clear();
    while (Waits() && line.size() < 4096) {
        if (!Ready(socket_, false)) continue;
        char c;
        if (recv(socket_, &c, 1, 0) != 1) return false;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::lock_guard<std::mutex> guard(server_.lock_);
            server_.received_.push_back(line);
            return true;
        }
        line += c;
    }
    return false;
}

void _pop3peer::Idle() {
    char buffer[256];
    while (Waits())
        if (Ready(socket_, false) && recv(socket_, buffer, sizeof buffer, 0) <= 0) return;
}

void Converse(_pop3peer& peer, const _pop3script& script) {
    if (!peer.Send(script.greeting)) return;
    std::string line;
    while (peer.ReadLine(line)) {
        const std::string verb = line.substr(0, 4);
        if (verb == "QUIT") {
            peer.Send("+OK bye\r\n");
            return;
        }
        const char* reply = "-ERR unknown command\r\n";
        if (verb == "USER") reply = "+OK\r\n";
        if (verb == "PASS") reply = line.substr(5) == script.password ? "+OK\r\n" : "-ERR [AUTH] Authentication failed.\r\n";
        if (verb == "STAT") reply = script.stat.c_str();
        if (!peer.Send(reply)) return;
    }
}

_pop3testserver::_pop3testserver(Script script, int connections, int seconds) : script_(std::move(script)) {
    WSADATA data;
    WSAStartup(0x0202, &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    int size = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return;  // Port() stays 0
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, connections, seconds] { Serve(connections, seconds); });
}

_pop3testserver::~_pop3testserver() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    closesocket(listener_);
    WSACleanup();
}

void _pop3testserver::Serve(int connections, int seconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (accepted_ < connections && !stop_ && static_cast<long>(end - GetTickCount()) > 0) {
        if (!Ready(listener_, false)) continue;
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) continue;
        ++accepted_;
        _pop3peer peer(*this, client, end);
        script_(peer);
        closesocket(client);
    }
}

std::vector<std::string> _pop3testserver::Received() const {
    const std::lock_guard<std::mutex> guard(lock_);
    return received_;
}

int _pop3testserver::ClosedPort() {
    WSADATA data;
    WSAStartup(0x0202, &data);
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    int size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(s);
    WSACleanup();
    return ntohs(address.sin_port);
}

}  // namespace corvex::test
