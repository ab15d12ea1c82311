#pragma once
// One TCP connection driven by Windows Sockets notifications, with the
// time-out timer of its waits.
//
//   _socketerror   what the socket layer raises
//   TThreadTimer   a window timer that may be switched from any thread;
//                  it ticks on the thread that made it
//   _socket        a TCP connection: host lookup, connect, line reading and
//                  writing, time-outs and cancellation
//
// A _socket, its notification window and its timer belong to the thread
// that made them (the GUI thread); the conversation (Connect, Transaction,
// ReadLn, Disconnect) runs on that thread or on one other, the worker. The
// window's handlers, the time-out and Cancel/Abort only set flags; the
// conversation's thread acts on them at its next turn, 2 ms at most later,
// so only that thread ever closes or replaces the socket while it talks.
// While nothing is pending a turn waits on the socket (or sleeps) instead
// of polling, and on the window's own thread it serves the messages that
// carry the notifications.
//
// Windows tree only.

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "Component.h"
#include "Control.h"
#include "MessageWindow.h"

namespace corvex {

class _socket;

class _socketerror : public std::runtime_error {
public:
    explicit _socketerror(const std::string& text, bool lookupAbandoned = false)
        : std::runtime_error(text), lookupAbandoned_(lookupAbandoned) {}
    // The host lookup timed out or was canceled: no connection was tried.
    bool LookupAbandoned() const noexcept { return lookupAbandoned_; }

private:
    bool lookupAbandoned_;
};

// (sender, handled): a handler that sets `handled` asks for another try.
using _sockethandledevent = std::function<void(_socket& sender, bool& handled)>;
using _socketevent = std::function<void(_socket& sender)>;

class TThreadTimer final : public _component {
public:
    explicit TThreadTimer(_component* owner);
    ~TThreadTimer() override;

    bool Enabled() const noexcept { return enabled_; }
    // Either setter restarts the count; switching the timer on without a
    // window timer to be had raises "No Timer".
    void SetEnabled(bool enabled);
    unsigned Interval() const noexcept { return interval_; }
    void SetInterval(unsigned milliseconds);

    // Runs on the thread that made the timer.
    _notifyevent OnTimer;

private:
    // Kills the window timer and sets a new one as the state says; on the
    // timer's own thread (another thread asks it with a sent message).
    bool Restart() noexcept;
    void Changed();
    bool OnMessage(UINT message, WPARAM wparam, LRESULT& result);

    std::atomic<bool> enabled_{true};
    std::atomic<unsigned> interval_{1000};
    _messagewindow window_;
};

class _socket : public _component {
public:
    // Starts Windows Sockets for the first live _socket of the process and
    // opens a socket; raises "Initializaton of windows sockets failed".
    explicit _socket(_component* owner);
    ~_socket() override;

    // ---- properties
    const std::string& Host() const noexcept { return host_; }
    void SetHost(const std::string& host) { host_ = host; }
    int Port() const noexcept { return port_; }
    void SetPort(int port) noexcept { port_ = port; }
    // Budget of each wait, send and line read; 0: none.
    unsigned TimeOut() const noexcept { return timeOut_; }
    void SetTimeOut(unsigned milliseconds) noexcept { timeOut_ = milliseconds; }
    bool Connected() const noexcept { return connected_; }
    const std::string& LastReply() const noexcept { return lastReply_; }
    std::uint16_t ReplyCode() const noexcept { return replyCode_; }
    int LastError() const noexcept { return lastError_; }
    HWND NotificationWindow() const noexcept { return window_.Handle(); }

    // The host name was not found; a handler that sets handled has the
    // lookup tried once more.
    _sockethandledevent OnInvalidHost;
    // Refused, timed out or canceled while connecting.
    _socketevent OnConnectionFailed;

    // ---- the conversation
    virtual void Connect();
    virtual void Disconnect();
    // Closes the socket and opens a fresh one for the next connection.
    void RequestCloseSocket();
    void Writeln(const std::string& line);
    void Write(const std::string& text);
    // One line through its line feed; "" when the server closed.
    std::string ReadLn();
    // Sends `command`, reads the reply, keeps it and its reply code.
    std::string Transaction(const std::string& command);

    // ---- from any thread
    // The current or next wait ends at its next turn with its cancel error.
    void Cancel() noexcept { canceled_ = true; }
    virtual void Abort() noexcept { Cancel(); }

protected:
    // The connection is to be closed by the conversation's thread at its
    // next turn, its pending input discarded.
    void RequestDrop() noexcept;
    // Acts on the requests and notifications that arrived since the last
    // turn: a requested drop, a close by the server once its last byte has
    // been read.
    void Settle();

private:
    enum _turnfor : unsigned char { TURN_SLEEP, TURN_READ, TURN_WRITE };
    struct _lookup {
        HANDLE task = nullptr;
        std::unique_ptr<char[]> buffer;
    };
    class _armed;

    void OpenSocket(bool linger);
    // The resolved address in network order, 0 when there is none.
    std::uint32_t ResolveHost();
    std::uint32_t LookedUpAddress(const char* buffer) const noexcept;
    void SendBuffer(const char* data, std::size_t size);
    void Drop();
    // A one-byte peek finds the connection closed by the server.
    bool PeerClosed() const noexcept;
    void Turn(_turnfor what);
    // Raises the socket error `code` unless it is `tolerated` or not a
    // Windows Sockets code (10000 and below).
    void SocketError(int code, int tolerated = WSAEWOULDBLOCK);
    void Arm();
    void Disarm() noexcept;
    void TimedOut();
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    void OnSocketEvent(WPARAM socket, LPARAM lparam);
    void OnLookupDone(WPARAM task, LPARAM lparam);

    std::string host_;
    int port_ = 0;
    unsigned timeOut_ = 0;
    // Written by the conversation's thread; the handlers compare it with
    // the socket a notification is about, so late news of a closed socket
    // is ignored.
    std::atomic<SOCKET> socket_{INVALID_SOCKET};
    std::atomic<bool> connected_{false};
    std::atomic<bool> canceled_{false};
    std::atomic<bool> timedOut_{false};
    std::atomic<bool> lastOk_{true};  // the last notification came without an error
    std::atomic<bool> lookupDone_{false};      // reported, or given up by the time-out
    std::atomic<bool> lookupReported_{false};  // the system has reported the lookup
    std::atomic<int> lookupError_{0};
    std::atomic<bool> closeNotified_{false};
    std::atomic<bool> dropRequested_{false};
    std::mutex socketLock_;  // replacing the socket against shutting it down from another thread
    bool destroying_ = false;
    int lastError_ = 0;
    std::string lastReply_;
    std::uint16_t replyCode_ = 0;
    DWORD windowThread_;
    std::unique_ptr<char[]> lineBuffer_;
    // The running lookup and those given up on: the system writes into a
    // lookup's buffer until it reports, so a buffer goes only then.
    std::mutex lookupLock_;
    _lookup lookup_;
    std::vector<_lookup> abandoned_;
    _messagewindow window_;
    TThreadTimer timer_;
};

}  // namespace corvex
