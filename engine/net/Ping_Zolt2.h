#pragma once
// The ICMP echo probe.
//
//   _icmpentries  the three entry points of the ICMP library
//   _ping         the probe: Windows Sockets, the ICMP library loaded at
//                 run time, and one worker per run that resolves the host
//                 and sends echo requests; every result comes back on the
//                 GUI thread
//   _pingengine   the worker of one run, on its own thread; it touches no
//                 window and hands each result to the GUI thread with a
//                 synchronous call (_guicall)
//
// Windows tree only.

#include <windows.h>
#include <ipexport.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Component.h"
#include "Handle.h"
#include "PingAddress.h"
#include "PingReadout.h"

namespace corvex {

class _guicall;
class _pingengine;

struct _icmpentries {
    HANDLE(WINAPI* create)() = nullptr;
    BOOL(WINAPI* close)(HANDLE) = nullptr;
    DWORD(WINAPI* send)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID, DWORD, DWORD) = nullptr;
};

class _ping : public _component {
public:
    using _pingevent = std::function<void(_ping&)>;
    // What a worker does for its pause between echoes, whole 100 ms naps
    // taken as one wait (tests watch it); empty: it waits that long, or
    // less when stopped or given a shorter SleepTime.
    using _pingpause = std::function<void(unsigned milliseconds)>;
    // Resolves a host name to the address to probe (tests watch it);
    // empty: SystemLookup.
    using _pinglookup = std::function<bool(const std::string& host, _ipv4& address)>;

    // Starts Windows Sockets and loads `library` (tests name one that is
    // missing or lacks the entry points). Never fails: a probe that could
    // not be set up is Dead and says why in Error.
    explicit _ping(_component* owner, const std::string& library = "ICMP.DLL");
    ~_ping() override;

    // ---- properties
    bool Dead() const noexcept { return dead_; }
    std::string ErrorStr() const { return PingErrorText(error_); }
    _pingerror Error() const noexcept { return error_; }
    // Echo cycles of a run; -1 (any negative): until stopped.
    int Iterations() const noexcept { return params_.iterations; }
    void SetIterations(int iterations) noexcept { params_.iterations = iterations; }
    int EchoTime() const noexcept { return echoTime_; }
    int Timeout() const noexcept { return params_.timeout; }
    void SetTimeout(int milliseconds) noexcept { params_.timeout = milliseconds; }
    int SleepTime() const noexcept { return params_.sleepTime; }
    void SetSleepTime(int milliseconds) noexcept { params_.sleepTime = milliseconds; }
    // A new host is probed from the next Ping on.
    const std::string& Host() const noexcept { return host_; }
    void SetHost(const std::string& host) { host_ = host; }
    const std::string& HostIP() const noexcept { return hostIp_; }
    // From Ping until the worker ended or was stopped.
    bool Running() const noexcept { return running_; }

    // Raised on the GUI thread after every echo cycle and at the end of a
    // run that failed; and once the host is resolved.
    _pingevent OnPinged;
    _pingevent OnIpResolved;

    void SetPause(_pingpause pause) { pause_ = std::move(pause); }
    void SetLookup(_pinglookup lookup) { lookup_ = std::move(lookup); }
    // The Windows Sockets host lookup; of several addresses, the last.
    static bool SystemLookup(const std::string& host, _ipv4& address);

    // ---- operations
    // Starts a run (stopping the one before). Asynchronous: returns -1 at
    // once. Otherwise waits for the run to end, still serving its
    // hand-backs, and returns EchoTime. -1 at once when Dead.
    int Ping(bool asynchronous);
    // Stops the run: nothing of it is delivered any more. Error when Dead.
    _pingerror Stop();
    // Stop without the wait: the worker is told to end and joined by the
    // next Stop, Ping or the destructor (so that many probes end at once).
    _pingerror Cancel();
    // Pause a run before its next echo cycle, and continue it with the
    // current Timeout, SleepTime and Iterations. Error when Dead.
    _pingerror Suspend();
    _pingerror Resume();

private:
    struct _winsock;
    struct _params {
        int iterations = 1;
        int timeout = 1000;
        int sleepTime = 1000;
    };

    // Hand-backs, on the GUI thread inside the worker's synchronous call.
    void EchoHandback(_pingengine& engine);
    void AddressHandback(_pingengine& engine);
    void EndHandback(_pingengine& engine);
    // Joins the stopped workers, serving their hand-backs meanwhile.
    void Reap();
    void Fail(_pingerror error) noexcept;

    std::unique_ptr<_winsock> winsock_;
    ModuleHandle library_;
    _icmpentries icmp_;
    bool dead_ = false;
    _pingerror error_ = PING_OK;
    _params params_;
    int echoTime_ = -1;
    std::string host_ = "127.0.0.1";
    std::string hostIp_;
    bool running_ = false;
    bool destroying_ = false;
    _pingpause pause_;
    _pinglookup lookup_;
    std::unique_ptr<_guicall> gui_;
    std::unique_ptr<_pingengine> engine_;
    // Stopped workers not yet joined: a worker stopped from inside one of
    // its own hand-backs cannot be waited for there.
    std::vector<std::unique_ptr<_pingengine>> retired_;

    friend class _pingengine;
};

class _pingengine {
public:
    using _params = _ping::_params;

    // The thread is made suspended; Launch lets it run.
    _pingengine(_ping& owner, _guicall& gui, const _icmpentries& icmp, const std::string& host,
                const _params& params, _ping::_pingpause pause, _ping::_pinglookup lookup);
    // After the thread has ended.
    ~_pingengine();
    _pingengine(const _pingengine&) = delete;
    _pingengine& operator=(const _pingengine&) = delete;

    bool Made() const noexcept { return thread_.valid(); }
    HANDLE Thread() const noexcept { return thread_.get(); }
    void Launch() noexcept;
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_.load(); }
    void Pause() noexcept;
    // Continues with `params` from the next echo cycle on.
    void Continue(const _params& params);

    // ---- the run's results, read inside the hand-backs
    int EchoTime() const noexcept { return echoTime_; }
    _pingerror Error() const noexcept { return error_; }
    const std::string& HostIP() const noexcept { return hostIp_; }
    // Cleared by Stop: the echo hand-back delivers nothing any more.
    bool echoAttached = true;

private:
    static DWORD WINAPI Main(void* self);
    void Run();
    void Probe();
    bool Resolve();
    _params Params();
    void WaitWhilePaused() noexcept;
    void WaitBetweenEchoes();
    void Handback(void (*call)(void*));

    _ping& owner_;
    _guicall& gui_;
    const _icmpentries icmp_;
    const std::string host_;
    std::mutex paramsLock_;
    _params params_;
    _ping::_pingpause pause_;
    _ping::_pinglookup lookup_;

    _ipv4 address_{};
    std::string hostIp_;
    int echoTime_ = -1;
    _pingerror error_ = PING_OK;

    std::atomic<bool> terminated_{false};
    std::atomic<bool> paused_{false};
    KernelHandle terminate_;  // manual reset: ends the pause and a suspension
    KernelHandle resume_;     // manual reset: set while not paused
    KernelHandle retimed_;    // auto reset: new parameters, a new pause length
    KernelHandle done_;       // auto reset: a hand-back has run
    KernelHandle thread_;
    unsigned char reply_[8221] = {};
};

}  // namespace corvex
