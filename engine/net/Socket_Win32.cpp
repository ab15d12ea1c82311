#include "Socket_Win32.h"

#include <cstring>

#include "Pop3Errors.h"
#include "Pop3Reply.h"

namespace corvex {

namespace {

constexpr UINT WM_SOCKET_EVENT = WM_USER + 101;
constexpr UINT WM_LOOKUP_DONE = WM_USER + 102;
constexpr UINT WM_TIMER_RESTART = WM_APP + 1;  // another thread switched the timer
constexpr UINT_PTR TIMER_ID = 1;
constexpr long SOCKET_EVENTS = FD_READ | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;  // 61
constexpr std::size_t LOOKUP_SIZE = 1024;
constexpr DWORD TURN_MS = 2;
// A line read waits on the socket this long per turn: data ends the wait
// at once, and so does Abort, which shuts the connection down; only a
// plain Cancel waits for the turn to end.
constexpr DWORD READ_TURN_MS = 100;
const char* const START_FAILED = "Initializaton of windows sockets failed";

// Windows Sockets is started by the first live _socket of the process and
// ended with the last one.
std::mutex& SocketsLock() {
    static std::mutex lock;
    return lock;
}
int& SocketsLive() {
    static int live = 0;
    return live;
}

bool StartSockets() {
    const std::lock_guard<std::mutex> lock(SocketsLock());
    if (SocketsLive() == 0) {
        WSADATA data;
        if (WSAStartup(0x0101, &data) != 0) return false;
    }
    ++SocketsLive();
    return true;
}

void StopSockets() {
    const std::lock_guard<std::mutex> lock(SocketsLock());
    if (SocketsLive() > 0 && --SocketsLive() == 0) WSACleanup();
}

bool OnThreadOf(HWND window) noexcept {
    return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// Serves what waits for this thread, as a message loop would; a quit
// message is put back for the loop it belongs to.
void ServeMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

// ---------------------------------------------------------------------------

TThreadTimer::TThreadTimer(_component* owner)
    : _component(owner), window_([this](UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
          return OnMessage(message, wparam, result);
      }) {}

TThreadTimer::~TThreadTimer() {
    if (window_.Handle()) KillTimer(window_.Handle(), TIMER_ID);
}

void TThreadTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void TThreadTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Changed();
}

void TThreadTimer::Changed() {
    const HWND window = window_.Handle();
    if (!window) return;
    // A window timer can only be set by the thread of its window.
    const bool set = OnThreadOf(window) ? Restart() : SendMessageA(window, WM_TIMER_RESTART, 0, 0) != 0;
    if (!set) throw _socketerror("No Timer");
}

bool TThreadTimer::Restart() noexcept {
    const HWND window = window_.Handle();
    KillTimer(window, TIMER_ID);
    if (!enabled_ || interval_ == 0 || !OnTimer) return true;
    return SetTimer(window, TIMER_ID, interval_, nullptr) != 0;
}

bool TThreadTimer::OnMessage(UINT message, WPARAM wparam, LRESULT& result) {
    switch (message) {
        case WM_TIMER_RESTART: result = Restart() ? 1 : 0; return true;
        case WM_TIMER:
            if (wparam != TIMER_ID) return false;
            result = 0;
            // A tick that was under way when the timer was switched off.
            if (enabled_) Raise(OnTimer);
            return true;
        default: return false;
    }
}

// ---------------------------------------------------------------------------

// Arms the time-out for one wait, send or line read, and disarms it on
// every way out.
class _socket::_armed {
public:
    explicit _armed(_socket& socket) : socket_(socket) { socket_.Arm(); }
    ~_armed() { socket_.Disarm(); }
    _armed(const _armed&) = delete;
    _armed& operator=(const _armed&) = delete;

private:
    _socket& socket_;
};

_socket::_socket(_component* owner)
    : _component(owner),
      windowThread_(GetCurrentThreadId()),
      lineBuffer_(new char[POP3_LINE_MAX]),
      window_([this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
          return OnMessage(message, wparam, lparam, result);
      }),
      timer_(nullptr) {
    timer_.SetEnabled(false);
    timer_.OnTimer = [this] { TimedOut(); };
    if (!window_.Handle() || !StartSockets()) throw _socketerror(START_FAILED);
    try {
        OpenSocket(true);
    } catch (...) {
        StopSockets();
        throw;
    }
}

_socket::~_socket() {
    destroying_ = true;
    Abort();
    Cancel();
    Disarm();
    const SOCKET socket = socket_.exchange(INVALID_SOCKET);
    if (socket != INVALID_SOCKET) closesocket(socket);
    {
        // Lookups the system has not reported yet may still write into
        // their buffers after this component is gone: those few bytes are
        // left to the process rather than written into freed memory.
        const std::lock_guard<std::mutex> lock(lookupLock_);
        if (lookup_.task) (void)lookup_.buffer.release();
        for (_lookup& pending : abandoned_) (void)pending.buffer.release();
    }
    StopSockets();
}

void _socket::OpenSocket(bool linger) {
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket == INVALID_SOCKET) throw _socketerror(START_FAILED);
    bool ready = true;
    if (linger) {
        // Closing resets the connection at once instead of lingering.
        const ::linger off{1, 0};
        ready = setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&off), sizeof off) == 0;
    }
    closeNotified_ = false;
    socket_ = socket;
    if (ready) ready = WSAAsyncSelect(socket, window_.Handle(), WM_SOCKET_EVENT, SOCKET_EVENTS) == 0;
    if (!ready) {
        socket_ = INVALID_SOCKET;
        closesocket(socket);
        throw _socketerror(START_FAILED);
    }
}

// ---- notifications (the window's thread)

bool _socket::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
        case WM_SOCKET_EVENT: OnSocketEvent(wparam, lparam); break;
        case WM_LOOKUP_DONE: OnLookupDone(wparam, lparam); break;
        default: return false;
    }
    result = 0;
    return true;
}

void _socket::OnSocketEvent(WPARAM socket, LPARAM lparam) {
    if (static_cast<SOCKET>(socket) != socket_) return;  // about a socket closed since
    const int error = WSAGETSELECTERROR(lparam);
    lastOk_ = error == 0;
    switch (WSAGETSELECTEVENT(lparam)) {
        case FD_ACCEPT: connected_ = true; break;
        case FD_CONNECT:
            if (error == 0) connected_ = true;
            break;
        case FD_CLOSE: closeNotified_ = true; break;
        default: break;  // nobody reads on arrival: lines are read on demand
    }
}

void _socket::OnLookupDone(WPARAM task, LPARAM lparam) {
    const int error = WSAGETASYNCERROR(lparam);
    lastOk_ = error == 0;
    const std::lock_guard<std::mutex> lock(lookupLock_);
    if (lookup_.task && lookup_.task == reinterpret_cast<HANDLE>(task)) {
        lookupError_ = error;
        lookupReported_ = true;
        lookupDone_ = true;
        return;
    }
    for (auto it = abandoned_.begin(); it != abandoned_.end(); ++it)
        if (it->task == reinterpret_cast<HANDLE>(task)) {
            abandoned_.erase(it);
            return;
        }
}

void _socket::TimedOut() {
    Disarm();
    timedOut_ = true;
    lookupDone_ = true;
    Abort();
}

// ---- waiting

void _socket::Arm() {
    timedOut_ = false;
    if (timeOut_ == 0) return;
    timer_.SetEnabled(false);  // a fresh count
    timer_.SetInterval(timeOut_);
    timer_.SetEnabled(true);
}

void _socket::Disarm() noexcept {
    try {
        timer_.SetEnabled(false);
    } catch (...) {
        // Switching off never needs a new timer.
    }
}

void _socket::Turn(_turnfor what) {
    const DWORD ms = what == TURN_READ ? READ_TURN_MS : TURN_MS;
    if (OnThreadOf(window_.Handle())) {
        // Nothing else delivers the notifications to this thread.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
        ServeMessages();
        return;
    }
    const SOCKET socket = socket_;
    if (what != TURN_SLEEP && socket != INVALID_SOCKET) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket, &set);
        timeval wait{0, static_cast<long>(ms * 1000)};
        if (select(0, what == TURN_READ ? &set : nullptr, what == TURN_WRITE ? &set : nullptr, nullptr, &wait) !=
            SOCKET_ERROR)
            return;
    }
    Sleep(TURN_MS);
}

void _socket::SocketError(int code, int tolerated) {
    lastError_ = code;
    if (code == tolerated || code <= 10000) return;
    throw _socketerror(SocketErrorText(code));
}

// ---- the conversation

void _socket::Settle() {
    if (dropRequested_.exchange(false) && connected_) Drop();
    // The notification alone is not trusted: a handle can be reused by the
    // next socket before the news of the old one's close is read.
    if (closeNotified_ && connected_ && PeerClosed()) RequestCloseSocket();
}

bool _socket::PeerClosed() const noexcept {
    char byte;
    return recv(socket_, &byte, 1, MSG_PEEK) == 0;
}

void _socket::Drop() {
    // What the server sent last is of no use to anyone.
    recv(socket_, lineBuffer_.get(), static_cast<int>(POP3_LINE_MAX), 0);
    RequestCloseSocket();
}

void _socket::RequestDrop() noexcept {
    dropRequested_ = true;
    // Wakes a read waiting on the socket; the socket itself stays the
    // conversation's to close.
    const std::lock_guard<std::mutex> lock(socketLock_);
    if (connected_ && socket_ != INVALID_SOCKET) shutdown(socket_, SD_BOTH);
}

void _socket::RequestCloseSocket() {
    connected_ = false;
    const std::lock_guard<std::mutex> lock(socketLock_);
    const SOCKET socket = socket_.exchange(INVALID_SOCKET);
    if (socket == INVALID_SOCKET) return;
    const int closed = closesocket(socket);
    const int error = closed == SOCKET_ERROR ? WSAGetLastError() : 0;
    // A fresh socket either way, so the component can connect again.
    if (!destroying_) OpenSocket(false);
    if (closed == SOCKET_ERROR) SocketError(error);
}

std::uint32_t _socket::LookedUpAddress(const char* buffer) const noexcept {
    // The system fills the buffer with a hostent whose pointers point into
    // the same buffer; each is checked to stay inside it.
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(buffer);
    const auto inside = [begin](const void* p, std::size_t size) {
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(p);
        return at >= begin && at - begin <= LOOKUP_SIZE - size;
    };
    hostent entry;
    std::memcpy(&entry, buffer, sizeof entry);
    if (entry.h_addrtype != AF_INET || entry.h_length != 4) return 0;
    if (!inside(entry.h_addr_list, sizeof(char*))) return 0;
    const char* first = nullptr;
    std::memcpy(&first, entry.h_addr_list, sizeof first);
    if (!first || !inside(first, 4)) return 0;
    std::uint32_t address = 0;  // network order, as the lookup gives it
    std::memcpy(&address, first, 4);
    return address;
}

std::uint32_t _socket::ResolveHost() {
    std::uint32_t dotted = 0;
    if (ParseDottedAddress(host_, dotted)) return htonl(dotted);
    // An empty name would be looked up as this machine's own.
    if (host_.empty()) throw _socketerror("Host Lookup Failed");
    const _armed armed(*this);
    lookupDone_ = false;
    lookupReported_ = false;
    lookupError_ = 0;
    {
        // Held until the task is known, so that its report finds it.
        const std::lock_guard<std::mutex> lock(lookupLock_);
        std::unique_ptr<char[]> buffer(new char[LOOKUP_SIZE]());
        const HANDLE task = WSAAsyncGetHostByName(window_.Handle(), WM_LOOKUP_DONE, host_.c_str(), buffer.get(),
                                                  static_cast<int>(LOOKUP_SIZE));
        if (!task) {
            SocketError(WSAGetLastError());
            throw _socketerror("Host Lookup Failed");
        }
        lookup_.task = task;
        lookup_.buffer = std::move(buffer);
    }
    while (!lookupDone_ && !timedOut_ && !canceled_) Turn(TURN_SLEEP);

    const std::lock_guard<std::mutex> lock(lookupLock_);
    _lookup finished = std::move(lookup_);
    lookup_ = _lookup{};
    if (!lookupReported_) abandoned_.push_back(std::move(finished));  // freed when the system reports it
    if (timedOut_) throw _socketerror("Host Lookup Timed Out", true);
    if (canceled_) throw _socketerror("Host Lookup Canceled", true);
    const std::uint32_t address = lookupError_ == 0 ? LookedUpAddress(finished.buffer.get()) : 0;
    if (address == 0) throw _socketerror("Host Lookup Failed");
    return address;
}

void _socket::Connect() {
    canceled_ = false;
    Settle();
    if (connected_) throw _socketerror("Already connected");

    std::uint32_t address = 0;
    for (bool retried = false;; retried = true) {
        try {
            address = ResolveHost();
        } catch (const _socketerror& e) {
            if (e.LookupAbandoned()) throw;
            address = 0;  // any other failure of the lookup leaves no address
        }
        if (address != 0 || retried || !OnInvalidHost) break;
        bool handled = false;
        OnInvalidHost(*this, handled);
        if (!handled) break;
    }
    if (address == 0) throw _socketerror("Null Remote Address");

    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<u_short>(port_));
    remote.sin_addr.s_addr = address;
    lastOk_ = true;
    bool failed = port_ < 1 || port_ > 65535;
    if (!failed && connect(socket_, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == SOCKET_ERROR) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            RequestCloseSocket();
            SocketError(error);
            failed = true;
        }
    }
    if (!failed) {
        const _armed armed(*this);
        while (!connected_ && !timedOut_ && !canceled_ && lastOk_) Turn(TURN_SLEEP);
    }
    if (!failed && !timedOut_ && !canceled_ && lastOk_) {
        connected_ = true;
        return;
    }
    if (OnConnectionFailed) OnConnectionFailed(*this);
    const char* text = timedOut_ ? "Connection Timed out" : canceled_ ? "Connection Canceled" : "Connection Failed";
    // A socket whose connecting failed cannot try again: the next attempt
    // gets a fresh one.
    RequestCloseSocket();
    throw _socketerror(text);
}

void _socket::Disconnect() { RequestCloseSocket(); }

void _socket::Writeln(const std::string& line) {
    if (!IsOneLine(line)) throw _socketerror("Socket send: a line break inside the line");
    Write(line + "\r\n");
}

void _socket::Write(const std::string& text) {
    if (text.size() > POP3_LINE_MAX) throw _socketerror("Socket send: text too long");
    std::memcpy(lineBuffer_.get(), text.data(), text.size());
    SendBuffer(lineBuffer_.get(), text.size());
}

void _socket::SendBuffer(const char* data, std::size_t size) {
    Settle();
    const _armed armed(*this);
    std::size_t sent = 0;
    while (sent < size && !canceled_) {
        const int n = send(socket_, data + sent, static_cast<int>(size - sent), 0);
        if (n == 0) break;
        if (n == SOCKET_ERROR) {
            const int error = WSAGetLastError();
            SocketError(error);
            if (error != WSAEWOULDBLOCK) break;  // not a sockets error: nothing more can go
            Turn(TURN_WRITE);
            continue;
        }
        sent += static_cast<std::size_t>(n);
    }
    if (canceled_) {
        canceled_ = false;
        Settle();
        throw _socketerror("Socket send aborted");
    }
}

std::string _socket::ReadLn() {
    Settle();
    const _armed armed(*this);
    _linegather line;
    char* const buffer = lineBuffer_.get();
    while (!canceled_) {
        if (line.Overflowed()) {
            // No reply is this long; what follows cannot be told apart
            // from the rest of it, so the connection goes.
            Drop();
            throw _socketerror("Socket readln: line too long");
        }
        const int peeked = recv(socket_, buffer, static_cast<int>(line.Room()), MSG_PEEK);
        if (peeked == 0) {
            RequestCloseSocket();  // closed by the server
            return {};
        }
        if (peeked == SOCKET_ERROR) {
            const int error = WSAGetLastError();
            if (error == WSAENOTCONN) {
                lastError_ = error;
                return {};
            }
            SocketError(error);
            Turn(TURN_READ);  // nothing pending yet
            continue;
        }
        const std::size_t wanted = line.Wanted(std::string_view(buffer, static_cast<std::size_t>(peeked)));
        const int got = recv(socket_, buffer, static_cast<int>(wanted), 0);
        if (got == SOCKET_ERROR) {
            SocketError(WSAGetLastError());
            continue;
        }
        line.Append(std::string_view(buffer, static_cast<std::size_t>(got)));
        if (line.Complete()) return line.Line();
    }
    canceled_ = false;
    Settle();
    throw _socketerror("Socket readln aborted");
}

std::string _socket::Transaction(const std::string& command) {
    replyCode_ = 0;
    Writeln(command);
    std::string reply = ReadLn();
    lastReply_ = reply;
    if (!reply.empty()) replyCode_ = corvex::ReplyCode(reply);
    return reply;
}

}  // namespace corvex
