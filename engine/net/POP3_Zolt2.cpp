#include "POP3_Zolt2.h"

#include "Debug_Zolt2.h"
#include "Pop3Client_Win32.h"

namespace corvex {

namespace {

constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x10;  // lparam: the call to run
// How often a stopping worker is told again to abort, should it have been
// between two waits when it was told first.
constexpr DWORD ABORT_REPEAT_MS = 10;

}  // namespace

// ---------------------------------------------------------------------------

_pop3motor::_pop3motor(_pop3client* client, _callback reply, _callback ended, _synchronize synchronize)
    : client_(client), reply_(std::move(reply)), ended_(std::move(ended)), synchronize_(std::move(synchronize)) {
    DWORD id = 0;
    thread_.reset(CreateThread(nullptr, 0, &Run, this, CREATE_SUSPENDED, &id));
}

_pop3motor::~_pop3motor() = default;

void _pop3motor::Resume() noexcept {
    if (thread_) ResumeThread(thread_.get());
}

DWORD WINAPI _pop3motor::Run(void* motor) {
    static_cast<_pop3motor*>(motor)->Execute();
    return 0;
}

void _pop3motor::Execute() {
    Log(10, "_pop3motor.Execute(%p): <-", static_cast<void*>(this));
    if (!client_ || !reply_) {
        Check(true, "_pop3motor.Execute: invalid input");
        return;
    }
    Hook(true);
    // The password stays out of the log: anyone who can read a debug log
    // could read it there.
    Log(20, "_pop3motor.Execute: connecting to \"%s:%d\" as \"%s/%s\"...", client_->Host().c_str(),
        client_->Port(), client_->UserID().c_str(), MaskedSecret(client_->Password()).c_str());
    bool abandonedLookup = false;
    try {
        if (!Terminated()) client_->Connect();
    } catch (const _socketerror& e) {
        abandonedLookup = e.LookupAbandoned();
        Log(20, "_pop3motor.Execute: ERROR: failed to connect");
    } catch (...) {
        Log(20, "_pop3motor.Execute: ERROR: failed to connect");
    }
    // A server that took the connection and then failed the conversation
    // (no greeting, silence, a refused STAT) raised no event of its own;
    // the check still ends with a report. A lookup that was given up
    // tells nothing about the server and reports nothing.
    if (!reported_ && !abandonedLookup) Report(POP3_ERROR_CONN_FAILED);
    if (!Terminated()) {
        Log(20, "_pop3motor.Execute: disconnecting from \"%s:%d\"...", client_->Host().c_str(), client_->Port());
        try {
            client_->Disconnect();
        } catch (...) {
            Log(20, "_pop3motor.Execute: ERROR: failed to disconnect");
        }
        Log(10, "_pop3motor.Execute(%p): ->", static_cast<void*>(this));
    }
    Hook(false);
    if (!Terminated() && ended_) synchronize_([this] {
        if (!Terminated()) ended_(*this);
    });
}

void _pop3motor::Hook(bool on) {
    if (!on) {
        client_->OnAuthenticationNeeded = nullptr;
        client_->OnAuthenticationFailed = nullptr;
        client_->OnConnectionFailed = nullptr;
        client_->OnInvalidHost = nullptr;
        client_->OnConnect = nullptr;
        return;
    }
    // None sets handled: a missing or refused login ends Connect right
    // after its report.
    client_->OnAuthenticationNeeded = [this](_socket&, bool&) { Report(POP3_ERROR_AUTH_REQUIRED); };
    client_->OnAuthenticationFailed = [this](_socket&, bool&) { Report(POP3_ERROR_AUTH_DENIED); };
    client_->OnConnectionFailed = [this](_socket&) { Report(POP3_ERROR_TIMEOUT); };
    client_->OnInvalidHost = [this](_socket&, bool&) { Report(POP3_ERROR_UNRESOLVED_HOST); };
    client_->OnConnect = [this](_socket&) { Report(POP3_OK); };
}

void _pop3motor::Report(_pop3error error) {
    reported_ = true;
    if (Terminated()) return;
    synchronize_([this, error] {
        if (Terminated()) return;
        error_ = error;
        reply_(*this);
    });
}

// ---------------------------------------------------------------------------

_pop3::_pop3(_component* owner)
    : _component(owner),
      client_(std::make_unique<_pop3client>(nullptr)),
      window_([this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
          return OnMessage(message, wparam, lparam, result);
      }) {
    client_->SetTimeOut(timeOut_);
    client_->SetHost(host_);
    client_->SetPort(static_cast<int>(port_));
    SetError(POP3_OK);
}

_pop3::~_pop3() { Kill(); }

void _pop3::SetError(_pop3error error) {
    error_ = error;
    errorStr_ = Pop3ErrorText(error);
}

void _pop3::SetHost(const std::string& host) {
    if (host == host_) return;
    host_ = host;
    // The worker reads the client's host: a running check keeps its own.
    if (client_ && !(art_ & POP3_ONLINE)) client_->SetHost(host_);
}

void _pop3::SetPort(unsigned port) {
    if (port == port_) return;
    port_ = port;
    if (client_ && !(art_ & POP3_ONLINE)) client_->SetPort(static_cast<int>(port_));
}

bool _pop3::OnMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    if (message != WM_SYNCHRONIZE) return false;
    ++calls_;
    try {
        (*reinterpret_cast<const std::function<void()>*>(lparam))();
    } catch (...) {
        // Nothing may unwind into the worker's SendMessage.
        Check(true, "_pop3.KERNEL_ServerReply: a handler raised");
    }
    --calls_;
    result = 0;
    return true;
}

_pop3error _pop3::CheckInbox() {
    if (art_ & POP3_ONLINE) {
        Log(20, "ERROR: _pop3.CheckInbox: KMotor is already active");
        SetError(POP3_ERROR);
        return error_;
    }
    if (!client_) {
        SetError(POP3_ERROR);
        return error_;
    }
    if (motor_) {
        // The last check has reported its end; its thread is on its way out.
        WaitFor(*motor_);
        motor_.reset();
    }
    client_->SetHost(host_);
    client_->SetPort(static_cast<int>(port_));
    const HWND window = window_.Handle();
    motor_ = std::make_unique<_pop3motor>(
        client_.get(), [this](_pop3motor& motor) { KERNEL_ServerReply(motor); },
        [this](_pop3motor& motor) { MotorEnded(motor); },
        [window](const std::function<void()>& call) {
            SendMessageA(window, WM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&call));
        });
    if (!motor_->Valid()) {
        Log(1, "ERROR: _pop3.CheckInbox: no worker thread");
        motor_.reset();
        SetError(POP3_ERROR);
        return error_;
    }
    art_ |= POP3_ONLINE;
    motor_->Resume();
    SetError(POP3_OK);
    return POP3_OK;
}

void _pop3::WaitFor(_pop3motor& motor) {
    const HANDLE thread = motor.Thread();
    if (!thread) return;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, ABORT_REPEAT_MS, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return;
        // Serves the worker's synchronous calls (their reports are skipped
        // once it was asked to terminate) and nothing else.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (motor.Terminated() && client_) client_->Abort();
    }
}

_result _pop3::KERNEL_KillMotor() {
    const bool online = (art_ & POP3_ONLINE) != 0;
    Log(11, "_pop3.KERNEL_KillMotor: POP3_ONLINE: %d", online ? 1 : 0);
    if (calls_ > 0) {
        // Asked from a report: the worker waits for this very call, so it
        // cannot be waited for here. It ends on its own, reporting nothing
        // more, and is reaped before the next check.
        Check(true, "_pop3.KERNEL_KillMotor: called from a report of the check");
        if (motor_ && online) motor_->Terminate();
        if (client_) client_->Abort();
        return _ERROR;
    }
    if (motor_) {
        if (online) {
            motor_->Terminate();
            if (client_) client_->Abort();
        }
        WaitFor(*motor_);
        motor_.reset();
    }
    art_ = static_cast<_pop3art>(art_ & ~POP3_ONLINE);
    Log(11, "_pop3.KERNEL_KillMotor: ->");
    return _OK;
}

_result _pop3::Kill() {
    Log(11, "_pop3.Kill: POP3_DEAD: %d", (art_ & POP3_DEAD) ? 1 : 0);
    if (!(art_ & POP3_DEAD)) {
        if (KERNEL_KillMotor() != _OK) return _ERROR;  // the worker still holds the client
        client_.reset();
        art_ |= POP3_DEAD;
    }
    Log(11, "_pop3.Kill: ->");
    return _OK;
}

void _pop3::KERNEL_ServerReply(_pop3motor& motor) {
    SetError(motor.Error());
    Log(20, "_pop3.KERNEL_ServerReply: KError: %d (%s)", static_cast<int>(error_), errorStr_.c_str());
    if (error_ != POP3_OK) {
        Raise(OnError);
        return;
    }
    if (action_ != 0) {
        Log(1, "ERROR: _pop3.KERNEL_ServerReply: unknown _pop3 action: %d", action_);
        return;
    }
    totalMails_ = client_ ? client_->MessageCount() : 0;
    Log(20, "_pop3.KERNEL_ServerReply: number of mails= %d", static_cast<int>(totalMails_));
    Raise(OnMail);
}

void _pop3::MotorEnded(_pop3motor& motor) {
    if (&motor != motor_.get()) return;
    // The thread itself is waited for before the next check starts.
    art_ = static_cast<_pop3art>(art_ & ~POP3_ONLINE);
}

}  // namespace corvex
