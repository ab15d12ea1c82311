#include "NetSentinel.h"

#include "Button.h"
#include "Debug_Zolt2.h"
#include "Edit.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "PageAnchor.h"
#include "Panel.h"
#include "PingAddress.h"
#include "PingReadout.h"
#include "Ping_Zolt2.h"
#include "Timer.h"

namespace corvex {

namespace {

constexpr const char* kDefaultHost = "localhost";
constexpr int kDefaultLag = 120;
constexpr _color kHostColor = 0x800000;  // navy
// Bounds of the stored values: the Designer's frequency box, and lag
// times and retry counts no one sets (an hour; a year of seconds).
constexpr int kMinSleep = 10;
constexpr int kMaxSleep = 100000000;
constexpr int kMaxLag = 3600000;
constexpr int kMaxRepeat = 31536000;

// The page's label with its control right of it, 3 pixels higher.
template <class Control>
Control& PlaceBeside(const _label& label, Control& control) {
    control.SetBounds(label.Left() + label.Width() + 4, label.Top() - 3, control.Width(), control.Height());
    return control;
}

}  // namespace

// ===========================================================================
// _netsentinel

_netsentinel::_netsentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Net Sentinel");
    SetFlag(SENTINEL_USER_DEFINED, true);
}

_result _netsentinel::NewSpeeder(_speeder*& speeder) {
    speeder = &Make<_sping>();
    return _OK;
}

_result _netsentinel::Stop() {
    for (std::size_t i = 0; i < SpeederCount(); ++i)
        if (auto* ping = dynamic_cast<_sping*>(Speeders(i))) ping->Probe().Cancel();
    return _sentinel::Stop();
}

_result _netsentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    _kernelport* kernel = Kernel();
    _lair* store = kernel ? kernel->Store() : nullptr;
    if (store && store->FirstRun()) AddSpeeder(&Make<_sping>());
    return _OK;
}

_result _netsentinel::OnCreateDesigner(_panel& page, _speeder* speeder) {
    Log(10, "_netsentinel.OnCreateDesigner(%p,%p): <-", static_cast<void*>(&page), static_cast<void*>(speeder));
    // A page built before and never torn down is replaced, not doubled.
    for (_component* control : {static_cast<_component*>(ShowIpCHECK_), static_cast<_component*>(LagSPIN_),
                                static_cast<_component*>(LagLABEL_), static_cast<_component*>(HostEDIT_),
                                static_cast<_component*>(HostLABEL_)})
        if (control && control->Owner()) control->Owner()->Destroy(control);
    ForgetPage();

    const _sping* shown = dynamic_cast<const _sping*>(speeder);
    HostLABEL_ = &page.Make<_label>(&page, "host:");
    HostLABEL_->SetBounds(10, 10, HostLABEL_->Width(), HostLABEL_->Height());
    HostEDIT_ = &PlaceBeside(*HostLABEL_, page.Make<_edit>(&page));
    HostEDIT_->SetMaxLength(static_cast<int>(MAX_HOST_LENGTH));
    HostEDIT_->SetText(shown ? shown->Name() : kDefaultHost);
    HostEDIT_->Make<_pageanchor>(*HostEDIT_, 10);  // goes with the edit

    LagLABEL_ = &page.Make<_label>(&page, "lag time:");
    LagLABEL_->SetBounds(10, 35, LagLABEL_->Width(), LagLABEL_->Height());
    LagSPIN_ = &PlaceBeside(*LagLABEL_, page.Make<_spinedit>(&page));
    LagSPIN_->SetWidth(60);
    LagSPIN_->SetRange(0, kMaxLag);
    LagSPIN_->SetValue(shown ? shown->Lag() : kDefaultLag);

    ShowIpCHECK_ = &page.Make<_checkbox>(&page, "show ip");
    ShowIpCHECK_->SetBounds(10, 60, ShowIpCHECK_->Width(), ShowIpCHECK_->Height());
    ShowIpCHECK_->SetChecked(shown && shown->ShowIP());

    for (_component* control : {static_cast<_component*>(HostLABEL_), static_cast<_component*>(HostEDIT_),
                                static_cast<_component*>(LagLABEL_), static_cast<_component*>(LagSPIN_),
                                static_cast<_component*>(ShowIpCHECK_)})
        control->FreeNotification(*this);
    Log(10, "_netsentinel.OnCreateDesigner(%p,%p): -> (result=%d)", static_cast<void*>(&page),
        static_cast<void*>(speeder), _OK);
    return _OK;
}

_result _netsentinel::OnAddSpeeder(_speeder*& speeder) {
    speeder = nullptr;
    const std::string host = PageHost(nullptr, "OnAddSpeeder");
    if (host.empty()) return _ERROR;
    _sping& made = Make<_sping>();
    made.SetName(host);
    made.SetLag(PageLag());
    made.SetShowIP(ShowIpCHECK_->Checked());
    AddSpeeder(&made);
    speeder = &made;
    return _sentinel::OnAddSpeeder(speeder);
}

_result _netsentinel::OnRedesignSpeeder(_speeder& speeder) {
    auto* ping = dynamic_cast<_sping*>(&speeder);
    if (Check(!ping, "_netsentinel.OnRedesignSpeeder(%p): not _sping", static_cast<void*>(&speeder)) ==
        DEBUG_ASSERT)
        return _ERROR;
    // A host the page cannot give keeps the one the Speeder has.
    const std::string host = PageHost(ping, "OnRedesignSpeeder");
    if (!HostEDIT_) return _ERROR;
    if (!host.empty()) ping->SetName(host);
    ping->SetLag(PageLag());
    ping->SetShowIP(ShowIpCHECK_->Checked());
    return _OK;
}

_result _netsentinel::OnDestroyDesigner(_panel& page) {
    (void)page;
    ForgetPage();
    return _OK;
}

void _netsentinel::Notification(_component& destroyed) {
    _sentinel::Notification(destroyed);
    // Any control of the page going means the page is being torn down.
    if (&destroyed == HostLABEL_ || &destroyed == HostEDIT_ || &destroyed == LagLABEL_ ||
        &destroyed == LagSPIN_ || &destroyed == ShowIpCHECK_)
        ForgetPage();
}

std::string _netsentinel::PageHost(const _speeder* except, const char* method) {
    if (Check(!HostEDIT_, "_netsentinel.%s: no designer page", method) == DEBUG_ASSERT) return std::string();
    const std::string typed = HostEDIT_->Text();
    const std::string host = HostFromText(typed);
    if (Check(host.empty(), "_netsentinel.%s: invalid host \"%s\"", method, typed.c_str()) == DEBUG_ASSERT)
        return std::string();
    // Host names are registry keys, which ignore case: two Speeders of one
    // name would be saved into one key and one of them lost.
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        const _speeder* other = Speeders(i);
        if (other == except || other->Name().size() != host.size()) continue;
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, other->Name().c_str(), -1, host.c_str(), -1) ==
            CSTR_EQUAL) {
            Check(true, "_netsentinel.%s: host \"%s\" is probed already", method, host.c_str());
            return std::string();
        }
    }
    return host;
}

int _netsentinel::PageLag() {
    long typed = 0;
    if (LagSPIN_->TypedValue(typed) && typed < 0) LagSPIN_->SetValue(-typed);
    return static_cast<int>(LagSPIN_->Value());
}

void _netsentinel::ForgetPage() noexcept {
    for (_component* control : {static_cast<_component*>(HostLABEL_), static_cast<_component*>(HostEDIT_),
                                static_cast<_component*>(LagLABEL_), static_cast<_component*>(LagSPIN_),
                                static_cast<_component*>(ShowIpCHECK_)})
        if (control) control->RemoveFreeNotification(*this);
    HostLABEL_ = nullptr;
    HostEDIT_ = nullptr;
    LagLABEL_ = nullptr;
    LagSPIN_ = nullptr;
    ShowIpCHECK_ = nullptr;
}

// ===========================================================================
// _sping

_sping::_sping(_component* owner) : _sping(owner, "ICMP.DLL") {}

_sping::_sping(_component* owner, const std::string& icmpLibrary) : _gspeeder(owner) {
    probe_ = &Make<_ping>(icmpLibrary);
    probe_->SetIterations(-1);
    probe_->SetTimeout(1000);
    probe_->SetSleepTime(1000);
    probe_->SetHost(kDefaultHost);
    SetName(probe_->Dead() ? "ping" : kDefaultHost);
    SetNick("ping");
    SetIconIndex(12);
    SetHelpAnchor("_netsentinel");
    SetOption(SPEEDER_UNTIMED | SPEEDER_FREQUENCY, true);
    TotalLabel().SetFontColor(kHostColor);
    Graph().SetText(std::string());
    Graph().SetArt(static_cast<_iart>(Graph().Art() & ~IMPULSE_PERCENT));
    retry_ = &Make<_timer>();
    retry_->SetEnabled(false);
    retry_->SetInterval(1000);
    retry_->OnTimer = [this] { RefreshPulse(retry_->Interval()); };
    if (probe_->Dead()) return;
    probe_->OnPinged = [this](_ping&) { Pinged(); };
    probe_->OnIpResolved = [this](_ping&) { UpdateHostLabel(); };
}

void _sping::SetLag(int lag) {
    if (lag == lag_) return;
    lag_ = lag;
    Graph().SetMax(static_cast<std::uint32_t>(lag_ > 0 ? lag_ : 0));
}

void _sping::SetShowIP(bool on) {
    if (on == showIp_) return;
    showIp_ = on;
    UpdateHostLabel();
}

_result _sping::SaveSettings(const std::string& key, _lair& store) {
    (void)key;
    store.WriteString("Host", probe_->Host());
    store.WriteInteger("Sleep", probe_->SleepTime());
    store.WriteInteger("Lag", lag_);
    store.WriteBool("ip", showIp_);
    store.WriteInteger("repeat", repeat_);
    return _OK;
}

_result _sping::LoadSettings(const std::string& key, _lair& store) {
    (void)key;
    probe_->SetHost(store.ReadString("Host", probe_->Host(), MAX_HOST_LENGTH));
    const int sleep = store.ReadInteger("Sleep", probe_->SleepTime(), kMinSleep, kMaxSleep);
    probe_->SetSleepTime(sleep);
    retry_->SetInterval(static_cast<unsigned>(sleep));
    SetLag(store.ReadInteger("Lag", lag_, 0, kMaxLag));
    SetShowIP(store.ReadBool("ip", showIp_));
    repeat_ = store.ReadInteger("repeat", repeat_, 0, kMaxRepeat);
    return _OK;
}

_result _sping::Shutdown() {
    _gspeeder::Shutdown();
    return Stop();
}

_result _sping::Stop() {
    _gspeeder::Stop();
    retry_->SetEnabled(false);
    probe_->Stop();
    return _OK;
}

_result _sping::Start() {
    _gspeeder::Start();
    UpdateCaption();
    Graph().SetMax(static_cast<std::uint32_t>(lag_ > 0 ? lag_ : 0));
    Restart();
    return _OK;
}

void _sping::Restart() {
    retry_->SetEnabled(false);
    ShowNotice("resolving...");
    countdown_ = repeat_;
    probe_->Ping(true);
    // A probe that could not be set up says why (PING_OK and a lost echo
    // have nothing to say yet).
    const _pingerror error = probe_->Error();
    if (error != PING_OK && error != PING_ERROR_TIMEOUT) ShowError(probe_->ErrorStr());
}

void _sping::Arrange(int left, int top, int width, int height) {
    _gspeeder::Arrange(left, top, width, height);
    TotalLabel().SetWidth(width - 4);
}

_result _sping::UpdateVisibility() {
    const _result result = _gspeeder::UpdateVisibility();
    FreeLabel().Hide();
    return result;
}

_result _sping::Refresh(unsigned elapsed, bool forced) {
    (void)elapsed;
    (void)forced;
    return _OK;
}

_result _sping::RefreshPulse(unsigned elapsed) {
    (void)elapsed;
    if (Stopped() || probe_->Error() != PING_ERROR_UNRESOLVED_HOST) return _OK;
    if (countdown_ > 0)
        --countdown_;
    else
        Restart();
    return _OK;
}

_result _sping::UpdateCaption() {
    _gspeeder::UpdateCaption();
    probe_->SetHost(Name());
    UpdateHostLabel();
    return _OK;
}

_result _sping::GetFrequency(unsigned& period) {
    const int sleep = probe_->SleepTime();
    period = sleep > 0 ? static_cast<unsigned>(sleep) : 0;
    return _OK;
}

_result _sping::SetFrequency(unsigned period) {
    Log(10, "_sping.SetFrequency(%d): <-", static_cast<int>(period));
    probe_->Suspend();
    probe_->SetSleepTime(static_cast<int>(period));
    probe_->Resume();
    retry_->SetInterval(period);
    Log(10, "_sping.SetFrequency(%d): ->", static_cast<int>(period));
    return _OK;
}

void _sping::Pinged() {
    const _pingreadout shown = PingReadout(probe_->Error(), probe_->EchoTime(), Graph().Max(), probe_->ErrorStr());
    if (shown.error) {
        ShowError(shown.text);
    } else {
        Graph().SetText(shown.text);
        SetGaugeValue(shown.sample);
    }
    // An unresolved host is tried again on the Speeder's own clock.
    retry_->SetEnabled(!Stopped() && probe_->Error() == PING_ERROR_UNRESOLVED_HOST);
}

void _sping::UpdateHostLabel() {
    TotalLabel().SetCaption(HostLabel(probe_->Host(), probe_->HostIP(), showIp_));
    TotalLabel().Invalidate();
}

}  // namespace corvex
