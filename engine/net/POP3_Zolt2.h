#pragma once
// The mailbox watcher: how many messages wait in one POP3 mailbox.
//
//   _pop3art    state flags of the watcher
//   _pop3motor  one check on a worker thread: runs the client and reports
//               its outcome through synchronous calls into the GUI thread
//   _pop3       the watcher the GUI owns: starts checks, refuses a second
//               one while a check runs, raises OnMail or OnError with the
//               outcome, stops a check and lets go of its client
//
// Every operation of _pop3 runs on the GUI thread, which must keep serving
// messages while a check runs: the client's notifications and the worker's
// reports arrive as messages to hidden windows of that thread.
//
// Windows tree only.

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "Component.h"
#include "Core_Zolt2.h"
#include "Control.h"
#include "Handle.h"
#include "MessageWindow.h"
#include "Pop3Errors.h"

namespace corvex {

class _pop3client;

enum _pop3artflag : unsigned char {
    POP3_DEAD = 0x01,    // the client has been let go of: nothing more can be checked
    POP3_ONLINE = 0x02,  // a worker is running
};
using _pop3art = unsigned char;

class _pop3motor final {
public:
    // Runs `call` on the GUI thread and waits until it has run.
    using _synchronize = std::function<void(const std::function<void()>& call)>;
    using _callback = std::function<void(_pop3motor& motor)>;

    // Made suspended: Resume starts it. `reply` hears each report and
    // `ended` the end of the thread, both on the GUI thread; neither once
    // the worker has been asked to terminate.
    _pop3motor(_pop3client* client, _callback reply, _callback ended, _synchronize synchronize);
    // The thread must have ended (the owner waits for it).
    ~_pop3motor();
    _pop3motor(const _pop3motor&) = delete;
    _pop3motor& operator=(const _pop3motor&) = delete;

    bool Valid() const noexcept { return thread_.valid(); }
    HANDLE Thread() const noexcept { return thread_.get(); }
    void Resume() noexcept;
    void Terminate() noexcept { terminated_ = true; }
    bool Terminated() const noexcept { return terminated_; }
    // The outcome of the last report.
    _pop3error Error() const noexcept { return error_; }

private:
    static DWORD WINAPI Run(void* motor);
    void Execute();
    void Hook(bool on);
    void Report(_pop3error error);

    _pop3client* client_;
    _callback reply_;
    _callback ended_;
    _synchronize synchronize_;
    std::atomic<bool> terminated_{false};
    bool reported_ = false;
    _pop3error error_ = POP3_OK;
    KernelHandle thread_;
};

class _pop3 final : public _component {
public:
    explicit _pop3(_component* owner);
    ~_pop3() override;

    // ---- properties
    _pop3art Art() const noexcept { return art_; }
    void SetArt(_pop3art art) noexcept { art_ = art; }
    const std::string& ErrorStr() const noexcept { return errorStr_; }
    _pop3error Error() const noexcept { return error_; }
    // The client, or nullptr once dead.
    _pop3client* Engine() const noexcept { return client_.get(); }
    unsigned TotalMails() const noexcept { return totalMails_; }
    // Raised on the GUI thread with the outcome of a check.
    _notifyevent OnError;
    _notifyevent OnMail;
    // They reach the client at once when no check runs, else when the
    // next one starts.
    const std::string& Host() const noexcept { return host_; }
    void SetHost(const std::string& host);
    unsigned Port() const noexcept { return port_; }
    void SetPort(unsigned port);

    // ---- operations
    // Starts a check (POP3_OK); POP3_ERROR when one runs already, or when
    // dead or no worker can be had. The caller sets the client's UserID
    // and Password first.
    _pop3error CheckInbox();
    // Ends a running check: terminate request, Abort on the client, wait.
    // From inside OnMail or OnError it cannot wait: _ERROR, and the check
    // ends by itself without another report.
    _result KERNEL_KillMotor();
    _result StopCheck() { return KERNEL_KillMotor(); }
    // Stops any check and lets go of the client, for good (_ERROR from
    // inside OnMail or OnError, where it cannot).
    _result Kill();
    // The reply callback, on the GUI thread.
    void KERNEL_ServerReply(_pop3motor& motor);

private:
    void SetError(_pop3error error);
    void MotorEnded(_pop3motor& motor);
    // Waits for a worker's end while serving its synchronous calls.
    void WaitFor(_pop3motor& motor);
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    _pop3art art_ = 0;
    std::string errorStr_;
    _pop3error error_ = POP3_OK;
    std::unique_ptr<_pop3client> client_;
    unsigned totalMails_ = 0;
    std::string host_ = "127.0.0.1";
    unsigned port_ = 110;
    std::unique_ptr<_pop3motor> motor_;  // the running check, or the last one until it is reaped
    unsigned timeOut_ = 30000;
    int action_ = 0;  // what the check is for: always 0, the mailbox count
    int calls_ = 0;   // synchronous calls of a worker being run now
    _messagewindow window_;  // the workers' synchronous calls arrive here
};

}  // namespace corvex
