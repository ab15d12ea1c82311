#include "Ping_Zolt2.h"

#include <winsock2.h>

#include <cstring>

#include "Debug_Zolt2.h"
#include "GuiCall_Win32.h"

namespace corvex {

namespace {

// The ICMP library's own handle kind: it is closed through the library's
// IcmpCloseHandle, which comes with the handle.
struct _icmpfile {
    HANDLE handle;
    BOOL(WINAPI* close)(HANDLE);
    bool operator==(const _icmpfile& other) const noexcept { return handle == other.handle; }
    bool operator!=(const _icmpfile& other) const noexcept { return handle != other.handle; }
};

struct IcmpFileTraits {
    using value_type = _icmpfile;
    static value_type Invalid() noexcept { return {INVALID_HANDLE_VALUE, nullptr}; }
    static void Close(value_type file) noexcept { file.close(file.handle); }
};

using IcmpFile = _handle<IcmpFileTraits>;

template <class Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The request's data: its content is not significant.
const char kRequest[32] = "corvex echo request............";

// Host lookups return a handful of addresses; a list longer than this is
// not one to walk.
constexpr std::size_t kMaxAddresses = 64;

}  // namespace

// Windows Sockets stays started for as long as this lives.
struct _ping::_winsock {
    _winsock() = default;
    ~_winsock() { WSACleanup(); }
    _winsock(const _winsock&) = delete;
    _winsock& operator=(const _winsock&) = delete;
};

// ===========================================================================
// _ping

_ping::_ping(_component* owner, const std::string& library) : _component(owner) {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        Fail(PING_ERROR_WINSOCK_START);
        return;
    }
    winsock_ = std::make_unique<_winsock>();
    library_.reset(LoadLibraryA(library.c_str()));
    if (!library_) {
        winsock_.reset();
        Fail(PING_ERROR_ICMP_LOAD);
        return;
    }
    icmp_.create = Entry<decltype(icmp_.create)>(library_.get(), "IcmpCreateFile");
    icmp_.close = Entry<decltype(icmp_.close)>(library_.get(), "IcmpCloseHandle");
    icmp_.send = Entry<decltype(icmp_.send)>(library_.get(), "IcmpSendEcho");
    if (!icmp_.create || !icmp_.close || !icmp_.send) {
        winsock_.reset();
        library_.reset();
        icmp_ = _icmpentries{};
        Fail(PING_ERROR_ICMP_FUNC_MOUNT);
        return;
    }
    gui_ = std::make_unique<_guicall>();
    retired_.reserve(4);
}

_ping::~_ping() {
    destroying_ = true;
    if (dead_) return;
    if (gui_->Serving()) {
        // Destroyed by its own event handler: the worker waits for the
        // call that is running now and cannot be joined here. It is told
        // to end and left what it uses, which it ends without touching.
        Check(true, "_ping.Destroy: destroyed inside its own hand-back");
        if (engine_) engine_->Terminate();
        (void)engine_.release();
        for (auto& retired : retired_) (void)retired.release();
        (void)gui_.release();
        (void)library_.release();
        (void)winsock_.release();
        return;
    }
    Stop();
}

void _ping::Fail(_pingerror error) noexcept {
    error_ = error;
    dead_ = true;
}

bool _ping::SystemLookup(const std::string& host, _ipv4& address) {
    const hostent* found = gethostbyname(host.c_str());
    if (!found || found->h_addrtype != AF_INET || found->h_length != static_cast<int>(address.size()))
        return false;
    // The last address of the list, not the first.
    const char* last = LastHostAddress(found->h_addr_list, kMaxAddresses);
    if (!last) return false;
    std::memcpy(address.data(), last, address.size());
    return true;
}

int _ping::Ping(bool asynchronous) {
    if (dead_) return -1;
    Stop();
    error_ = PING_OK;
    engine_ = std::make_unique<_pingengine>(*this, *gui_, icmp_, host_, params_, pause_, lookup_);
    if (!engine_->Made()) {
        Check(true, "_ping.Ping: no worker thread (error %lu)", GetLastError());
        engine_.reset();
        return -1;
    }
    running_ = true;
    // Kept: a hand-back may stop this run and start another meanwhile.
    const HANDLE thread = engine_->Thread();
    engine_->Launch();
    if (asynchronous) return -1;
    gui_->WaitServing(thread);
    return echoTime_;
}

_pingerror _ping::Stop() {
    if (dead_) return error_;
    Cancel();
    // Inside one of the hand-backs the worker waits for us: it is joined
    // later, by the next Stop, Ping or the destructor.
    if (!gui_->Serving()) Reap();
    return PING_OK;
}

_pingerror _ping::Cancel() {
    if (dead_) return error_;
    if (engine_) {
        engine_->echoAttached = false;
        engine_->Terminate();
        retired_.push_back(std::move(engine_));
    }
    running_ = false;
    return PING_OK;
}

void _ping::Reap() {
    while (!retired_.empty()) {
        _pingengine* engine = retired_.front().get();
        gui_->WaitServing(engine->Thread());
        for (auto at = retired_.begin(); at != retired_.end(); ++at)
            if (at->get() == engine) {
                retired_.erase(at);
                break;
            }
    }
}

_pingerror _ping::Suspend() {
    if (dead_) return error_;
    if (running_ && engine_) engine_->Pause();
    return PING_OK;
}

_pingerror _ping::Resume() {
    if (dead_) return error_;
    if (running_ && engine_) engine_->Continue(params_);
    return PING_OK;
}

void _ping::EchoHandback(_pingengine& engine) {
    if (destroying_ || engine.Terminated() || !engine.echoAttached) return;
    echoTime_ = engine.EchoTime();
    error_ = engine.Error();
    hostIp_ = engine.HostIP();
    if (OnPinged) OnPinged(*this);
}

void _ping::AddressHandback(_pingengine& engine) {
    // A stopped run delivers nothing, its address neither.
    if (destroying_ || engine.Terminated()) return;
    hostIp_ = engine.HostIP();
    if (OnIpResolved) OnIpResolved(*this);
}

void _ping::EndHandback(_pingengine& engine) {
    if (destroying_ || &engine != engine_.get()) return;
    running_ = false;
    // A run that failed before its first echo (an unresolved host) is
    // reported once, here; a lost last echo was reported by its cycle.
    if (engine.Error() != PING_OK && engine.Error() != PING_ERROR_TIMEOUT) EchoHandback(engine);
}

// ===========================================================================
// _pingengine

_pingengine::_pingengine(_ping& owner, _guicall& gui, const _icmpentries& icmp, const std::string& host,
                         const _params& params, _ping::_pingpause pause, _ping::_pinglookup lookup)
    : owner_(owner),
      gui_(gui),
      icmp_(icmp),
      host_(host),
      params_(params),
      pause_(std::move(pause)),
      lookup_(std::move(lookup)),
      terminate_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      resume_(CreateEventA(nullptr, TRUE, TRUE, nullptr)),
      retimed_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      done_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    if (!terminate_ || !resume_ || !retimed_ || !done_) return;
    DWORD id = 0;
    thread_.reset(CreateThread(nullptr, 0, &Main, this, CREATE_SUSPENDED, &id));
}

_pingengine::~_pingengine() = default;

void _pingengine::Launch() noexcept { ResumeThread(thread_.get()); }

void _pingengine::Terminate() noexcept {
    terminated_.store(true);
    SetEvent(terminate_.get());
}

void _pingengine::Pause() noexcept {
    ResetEvent(resume_.get());
    paused_.store(true);
}

void _pingengine::Continue(const _params& params) {
    {
        const std::lock_guard<std::mutex> lock(paramsLock_);
        params_ = params;
    }
    paused_.store(false);
    SetEvent(resume_.get());
    SetEvent(retimed_.get());
}

_pingengine::_params _pingengine::Params() {
    const std::lock_guard<std::mutex> lock(paramsLock_);
    return params_;
}

DWORD WINAPI _pingengine::Main(void* self) {
    static_cast<_pingengine*>(self)->Run();
    return 0;
}

void _pingengine::Run() {
    if (!Resolve()) {
        error_ = PING_ERROR_UNRESOLVED_HOST;
        echoTime_ = -1;
    } else {
        error_ = PING_OK;
        hostIp_ = DottedAddress(address_);
        if (Terminated()) return;
        Handback([](void* self) {
            auto& engine = *static_cast<_pingengine*>(self);
            engine.owner_.AddressHandback(engine);
        });
        Probe();
    }
    if (Terminated()) return;
    Handback([](void* self) {
        auto& engine = *static_cast<_pingengine*>(self);
        engine.owner_.EndHandback(engine);
    });
}

bool _pingengine::Resolve() {
    // A dotted address is probed as it stands, without a lookup.
    if (ParseDottedAddress(host_, address_)) return true;
    if (host_.empty()) return false;
    return lookup_ ? lookup_(host_, address_) : _ping::SystemLookup(host_, address_);
}

void _pingengine::Probe() {
    IcmpFile file(_icmpfile{icmp_.create(), icmp_.close});
    // No handle: the run ends without a word (its error is still PING_OK).
    if (!file) return;
    IPAddr address = 0;
    std::memcpy(&address, address_.data(), sizeof address);
    IP_OPTION_INFORMATION options{};
    options.Ttl = 32;
    echoTime_ = -1;
    for (int cycle = 0;; ++cycle) {
        WaitWhilePaused();
        const _params params = Params();
        if (Terminated() || (params.iterations >= 0 && cycle >= params.iterations)) break;
        Log(500, "_pingengine (%p): calling IcmpSendEcho()", static_cast<void*>(this));
        const DWORD replies =
            icmp_.send(file.get().handle, address, const_cast<char*>(kRequest), sizeof kRequest, &options, reply_,
                       sizeof reply_, params.timeout > 0 ? static_cast<DWORD>(params.timeout) : 0);
        ICMP_ECHO_REPLY first{};
        if (replies > 0) std::memcpy(&first, reply_, sizeof first);
        const _echooutcome outcome = EchoOutcome(replies, first.Status, first.RoundTripTime);
        echoTime_ = outcome.echoTime;
        error_ = outcome.error;
        if (Terminated()) break;
        Handback([](void* self) {
            auto& engine = *static_cast<_pingengine*>(self);
            engine.owner_.EchoHandback(engine);
        });
        WaitBetweenEchoes();
    }
}

void _pingengine::WaitBetweenEchoes() {
    // Whole 100 ms naps, taken as one wait that a stop ends at once (a
    // wake-up per nap would cost ten a second for nothing). A SleepTime
    // given meanwhile counts from the start of the pause.
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD length = PingNaps(Params().sleepTime) * PING_NAP;
        const DWORD spent = GetTickCount() - start;
        if (Terminated() || spent >= length) return;
        if (pause_) {
            pause_(length);
            return;
        }
        const HANDLE handles[2] = {terminate_.get(), retimed_.get()};
        if (WaitForMultipleObjects(2, handles, FALSE, length - spent) != WAIT_OBJECT_0 + 1) return;
    }
}

void _pingengine::WaitWhilePaused() noexcept {
    const HANDLE handles[2] = {resume_.get(), terminate_.get()};
    while (paused_.load() && !Terminated()) WaitForMultipleObjects(2, handles, FALSE, INFINITE);
}

void _pingengine::Handback(void (*call)(void*)) { gui_.Call(call, this, done_.get()); }

}  // namespace corvex
