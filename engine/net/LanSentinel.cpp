#include "LanSentinel.h"

#include <climits>

#include "Button.h"
#include "Debug_Zolt2.h"
#include "Edit.h"
#include "IfTable_Win32.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Panel.h"
#include "Pulse_Win32.h"
#include "Registry_Win32.h"
#include "System_Zolt2.h"

namespace corvex {

namespace {

const char* const kLoopback = "MS TCP Loopback interface";

// Every throughput Speeder of a Sentinel, in list order.
template <class Visit>
void EachLan(const _sentinel& sentinel, Visit visit) {
    for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i)
        if (auto* speeder = dynamic_cast<_slan*>(sentinel.Speeders(i))) visit(*speeder);
}

// Links a Speeder of `Kind` for the interface at `position`, unless its
// short name was unlinked. Named and bound before it is added, so that the
// list and the Designer know it by its interface from the start.
template <class Kind>
void LinkInterface(_sentinel& sentinel, const char* shortName, _pulse* reader, std::int32_t position,
                   const std::string& name) {
    _speeder* made = nullptr;
    sentinel.LinkSpeeder(
        shortName,
        [&](_sentinel& self) -> _speeder& {
            Kind& speeder = self.Make<Kind>();
            speeder.SetReader(reader);
            speeder.SetInstance(position);
            speeder.SetName(std::string(shortName) + " " + name);
            return speeder;
        },
        made);
}

}  // namespace

// Hands the rows of the interface table to the scan's handlers, as the
// performance data's walk would.
class _lansentinel::TableWalker final : public _lanvisitor {
public:
    explicit TableWalker(_lansentinel& sentinel) : sentinel_(sentinel) {}
    int Instance(std::int32_t position, const std::string& name) override {
        return sentinel_.KERNEL_OnInstance(position, name);
    }
    int Counter(std::uint32_t titleIndex, std::uint64_t value) override {
        return sentinel_.KERNEL_OnCounter(titleIndex, value);
    }

private:
    _lansentinel& sentinel_;
};

// ---- _lansentinel

_lansentinel::_lansentinel(_component* owner) : _lansentinel(owner, Win32Registry()) {}

_lansentinel::_lansentinel(_component* owner, _registrybackend& backend) : _sentinel(owner) {
    SetCaption("LAN Sentinel");
    reader_ = &Make<_pulse>(backend);
    reader_->Filters().objectId = static_cast<std::int32_t>(lan::OBJECT_NETWORK_INTERFACE);
    reader_->SetScope(std::to_string(lan::OBJECT_NETWORK_INTERFACE));
    reader_->OnObject = [this](std::uint32_t titleIndex) {
        if (titleIndex == lan::OBJECT_NETWORK_INTERFACE) objectSeen_ = true;
        return 0;
    };
    reader_->OnInstance = [this](std::int32_t position) {
        return KERNEL_OnInstance(position, reader_->InstanceName());
    };
    reader_->OnCounter = [this](std::uint32_t titleIndex, const _perfcounter& counter) {
        return OnPerfCounter(titleIndex, counter);
    };
    dead_ = WindowsRelease() < 4 || reader_->Dead();
}

_lansentinel::~_lansentinel() = default;

_result _lansentinel::PlugSpeeders() { return _sentinel::PlugSpeeders(); }

_result _lansentinel::PrepareSpeeders() {
    if (!dead_) {
        Scan(0, SCAN_LISTING);
        if (!objectSeen_) {
            // No interface object at all (as under Wine, whose data block is
            // empty): the system's interface table instead, for this run.
            Log(20, "_lansentinel.PrepareSpeeders: no network interfaces in the performance data, "
                    "reading the interface table");
            fromTable_ = true;
            _kernelport* kernel = Kernel();
            table_ = kernel ? kernel->InterfaceTable() : nullptr;
            if (!table_) {
                own_ = std::make_unique<_iftable>();
                table_ = own_.get();
            }
            Scan(0, SCAN_LISTING);
        }
        Scan(static_cast<std::int32_t>(lan::COUNTER_BANDWIDTH), SCAN_BANDWIDTH);
        Scan(-1, SCAN_COUNTERS);
    }
    return _sentinel::PrepareSpeeders();
}

_result _lansentinel::RefreshSpeedersPulse(unsigned elapsed) {
    if (dead_) return _OK;
    Scan(-1, SCAN_COUNTERS);
    return _sentinel::RefreshSpeedersPulse(elapsed);
}

void _lansentinel::Scan(std::int32_t counterFilter, _scanphase phase) {
    phase_ = phase;
    position_ = -1;
    if (fromTable_) {
        // A table of our own is read afresh at every scan.
        if (table_ == own_.get())
            table_->Read(rows_);
        else
            table_->ReadOnce(rows_);
        TableWalker walker(*this);
        WalkLanRows(rows_, counterFilter, walker);
        return;
    }
    objectSeen_ = false;
    reader_->Filters().counterId = counterFilter;
    reader_->Refresh();
}

int _lansentinel::KERNEL_OnInstance(std::int32_t position, const std::string& name) {
    position_ = position;
    if (instanceHook_ && instanceHook_(position, name)) return 0;
    if (phase_ != SCAN_LISTING || name == kLoopback) return 0;
    LinkInterface<_slanout>(*this, "out", reader_, position, name);
    LinkInterface<_slanin>(*this, "in", reader_, position, name);
    return 0;
}

int _lansentinel::OnPerfCounter(std::uint32_t titleIndex, const _perfcounter& counter) {
    if (phase_ == SCAN_LISTING) return lan::STOP;
    std::uint64_t value = 0;
    reader_->GetData(&counter, value);  // 0 when it cannot be read
    return KERNEL_OnCounter(titleIndex, value);
}

int _lansentinel::KERNEL_OnCounter(std::uint32_t titleIndex, std::uint64_t value) {
    if (phase_ == SCAN_LISTING) return lan::STOP;
    if (titleIndex == lan::COUNTER_BANDWIDTH) {
        // All 64 bits: a link faster than 4.29 Gbit/s does not fit in 32.
        bandwidth_ = value;
        phase_ = SCAN_BANDWIDTH;
    }
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        auto* speeder = dynamic_cast<_slan*>(Speeders(i));
        if (!speeder || speeder->Instance() != position_) continue;
        if (phase_ == SCAN_BANDWIDTH) {
            if (titleIndex != lan::COUNTER_BANDWIDTH) {
                Log(1, "ERROR: _lansentinel.KERNEL_OnCounter: CounterID==%u, must be %u", titleIndex,
                    lan::COUNTER_BANDWIDTH);
                break;
            }
            speeder->SetBandwidth(bandwidth_);
        } else if (titleIndex == speeder->Counter()) {
            speeder->Feed(value);
            break;
        }
    }
    phase_ = SCAN_COUNTERS;
    return 0;
}

// ---- _rassentinel

_rassentinel::_rassentinel(_component* owner) : _rassentinel(owner, Win32Registry()) {}

_rassentinel::_rassentinel(_component* owner, _registrybackend& backend) : _lansentinel(owner, backend) {
    SetCaption("RAS Sentinel");
    SetInstanceHook([this](std::int32_t position, const std::string& name) {
        return KERNEL_ProcessInstance(position, name);
    });
}

_result _rassentinel::PlugSpeeders() {
    _lansentinel::PlugSpeeders();
    _speeder* made = nullptr;
    const auto bind = [this](_speeder* speeder) {
        if (auto* ras = dynamic_cast<_slan*>(speeder)) ras->SetReader(Reader());
    };
    LinkSpeeder<_srasin>("ras_in", made);
    bind(made);
    LinkSpeeder<_srasout>("ras_out", made);
    bind(made);
    return _OK;
}

bool _rassentinel::KERNEL_ProcessInstance(std::int32_t position, const std::string& name) {
    Log(60, "_rassentinel.KERNEL_ProcessInstance: Interface: %s", name.c_str());
    if (IsWanInterface(name)) {
        Log(60, "_rassentinel.KERNEL_ProcessInstance: *** ONLINE ***");
        wanInstance_ = position;
        if (firstTime_) {
            EachLan(*this, [position](_slan& speeder) { speeder.SetInstance(position); });
            firstTime_ = false;
        }
        onlineNow_ = true;
    }
    return true;
}

_result _rassentinel::RefreshSpeedersPulse(unsigned elapsed) {
    if (Dead()) return _OK;
    onlineNow_ = false;
    _lansentinel::RefreshSpeedersPulse(elapsed);
    if (onlineNow_ == onlineBefore_) return _OK;
    if (onlineNow_)
        GoOnline();
    else
        GoOffline();
    onlineBefore_ = onlineNow_;
    return _OK;
}

void _rassentinel::GoOnline() {
    Log(60, "_rassentinel.RefreshSpeedersPulse: ONLINE");
    const std::int32_t wan = wanInstance_;
    EachLan(*this, [wan](_slan& speeder) {
        speeder.SetInstance(wan);
        speeder.Graph().SetText("%d%%");
        speeder.Refresh(0, true);
    });
}

void _rassentinel::GoOffline() {
    Log(60, "_rassentinel.RefreshSpeedersPulse: OFFLINE");
    EachLan(*this, [](_slan& speeder) {
        speeder.FreeLabel().SetCaption(std::string());
        speeder.TotalLabel().SetCaption(std::string());
        speeder.SetInstance(-1);
        speeder.ShowNotice("offline");
    });
}

// ---- _slan

_slan::_slan(_component* owner) : _gspeeder(owner) {
    SetIconIndex(21);
    SetOption(SPEEDER_BITS | SPEEDER_DESIGNER | SPEEDER_METERS | SPEEDER_INVERTED | SPEEDER_STASIS, true);
}

_slan::~_slan() = default;

void _slan::SetInstance(std::int32_t instance) noexcept {
    if (instance == instance_) return;
    instance_ = instance;
    primed_ = false;
    fed_ = false;
}

void _slan::SetUserBandwidth(int bits) {
    if (bits < 0) bits = 0;
    if (bits == userBandwidth_) return;
    userBandwidth_ = bits;
    SetBandwidth(measured_);
}

void _slan::SetBandwidth(std::uint64_t bits) {
    // Kept even while the user's counts, for the Designer to show.
    measured_ = bits;
    SetAmounts(Free(), BandwidthTotal(measured_, userBandwidth_));
}

void _slan::Feed(std::uint64_t raw) noexcept {
    if (!primed_) {
        // The first reading of an instance is the base of the next: the
        // counter's whole history is no rate of this tick.
        previous_ = raw;
        primed_ = true;
    } else {
        previous_ = current_;
    }
    current_ = raw;
    fed_ = true;
}

_result _slan::RefreshPulse(unsigned elapsed) {
    if (!reader_) {
        Log(1, "ERROR: _slan.RefreshPulse: KEngine==NIL");
        return _ERROR;
    }
    // A link that is not there keeps its notice.
    if (instance_ < 0) return _OK;
    // No reading this tick (the interface went away): nothing went through.
    const double rate = fed_ ? LanRate(current_, previous_, elapsed) : 0;
    fed_ = false;
    SetAmounts(rate, Total());
    return _gspeeder::RefreshPulse(elapsed);
}

_result _slan::Refresh(unsigned elapsed, bool forced) {
    if (Total() != 0) return _gspeeder::Refresh(elapsed, forced);
    // The base would show an unknown share as none free, which the
    // inverted gauge draws as a full bar.
    SetGaugeValue((Options() & SPEEDER_INVERTED) ? 100 : 0);
    return _speeder::Refresh(elapsed, forced);
}

_result _slan::Start() {
    const _result result = _gspeeder::Start();
    if (!reader_) Log(1, "ERROR: _slan.RefreshName: KEngine==NIL");
    return result;
}

_result _slan::SaveSettings(const std::string& key, _lair& store) {
    _gspeeder::SaveSettings(key, store);
    store.WriteInteger("Bandwidth", userBandwidth_);
    store.WriteBool("bps", (Options() & SPEEDER_BITS) != 0);
    return _OK;
}

_result _slan::LoadSettings(const std::string& key, _lair& store) {
    _gspeeder::LoadSettings(key, store);
    userBandwidth_ = store.ReadInteger("Bandwidth", userBandwidth_, 0, INT_MAX);
    SetOption(SPEEDER_BITS, store.ReadBool("bps", (Options() & SPEEDER_BITS) != 0));
    SetBandwidth(measured_);
    return _OK;
}

void _slan::OnCreateDesigner(_panel& page) {
    OnDestroyDesigner(page);
    loading_ = true;
    _label& caption = page.Make<_label>(&page, "bandwidth:");
    caption.SetBounds(10, 12, caption.Width(), caption.Height());

    _spinedit& spin = page.Make<_spinedit>(&page);
    spin.SetRange(0, INT_MAX);
    spin.SetBounds(caption.Left() + caption.Width() + 3, 10, 90, 21);
    const std::uint64_t shown =
        userBandwidth_ != 0 ? static_cast<std::uint64_t>(userBandwidth_) : measured_;
    spin.SetValue(shown > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<long>(shown));
    spin.OnChange = [this] { BandwidthChanged(); };

    _label& unit = page.Make<_label>(&page, "bps");
    unit.SetBounds(spin.Left() + spin.Width() + 5, 12, unit.Width(), unit.Height());

    _checkbox& bytes = page.Make<_checkbox>(&page, "bytes/sec");
    bytes.SetBounds(10, 40, 90, 17);
    bytes.SetChecked((Options() & SPEEDER_BITS) == 0);
    bytes.OnClick = [this] { BytesClicked(); };

    // The page destroys its controls; we are told when they go.
    spin.FreeNotification(*this);
    bytes.FreeNotification(*this);
    bandwidthSpin_ = &spin;
    bytesCheck_ = &bytes;
    loading_ = false;
}

void _slan::OnDestroyDesigner(_panel& page) {
    (void)page;
    if (bandwidthSpin_) bandwidthSpin_->RemoveFreeNotification(*this);
    if (bytesCheck_) bytesCheck_->RemoveFreeNotification(*this);
    bandwidthSpin_ = nullptr;
    bytesCheck_ = nullptr;
}

void _slan::Notification(_component& destroyed) {
    if (&destroyed == bandwidthSpin_) bandwidthSpin_ = nullptr;
    if (&destroyed == bytesCheck_) bytesCheck_ = nullptr;
    _gspeeder::Notification(destroyed);
}

void _slan::BandwidthChanged() {
    if (loading_ || !bandwidthSpin_) return;
    long bits = 0;
    if (!bandwidthSpin_->TypedValue(bits)) return;  // not a number (yet)
    SetUserBandwidth(bits < 0 ? 0 : static_cast<int>(bits));
}

void _slan::BytesClicked() {
    if (loading_ || !bytesCheck_) return;
    SetOption(SPEEDER_BITS, !bytesCheck_->Checked());
    ShowFree();
    ShowTotal();
}

// ---- the kinds

_slanout::_slanout(_component* owner) : _slan(owner) {
    SetName("out");
    SetCounter(lan::COUNTER_BYTES_SENT);
    SetHelpAnchor("_slanout");
    SetIconIndex(22);
}

_slanin::_slanin(_component* owner) : _slan(owner) {
    SetName("in");
    SetCounter(lan::COUNTER_BYTES_RECEIVED);
    SetHelpAnchor("_slanin");
    SetIconIndex(21);
}

_sras::_sras(_component* owner) : _slan(owner) { SetIconIndex(13); }

_srasout::_srasout(_component* owner) : _sras(owner) {
    SetName("ras_out");
    SetNick("out");
    SetCounter(lan::COUNTER_BYTES_SENT);
    SetHelpAnchor("_srasout");
}

_srasin::_srasin(_component* owner) : _sras(owner) {
    SetName("ras_in");
    SetNick("in");
    SetCounter(lan::COUNTER_BYTES_RECEIVED);
    SetHelpAnchor("_srasin");
}

}  // namespace corvex
