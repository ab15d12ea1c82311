#pragma once
// The throughput of the network interfaces and of the dial-up link.
//
//   _lansentinel  every network interface but the loopback one: bytes sent
//                 and received per second, read from the performance data's
//                 network-interface object (or, where those list no
//                 interface at all, from the system's interface table)
//   _rassentinel  the dial-up link only, "offline" while it is absent
//   _slan         a graph of one interface's byte counter, scaled to its
//                 bandwidth, with a Designer page for the bandwidth
//   _slanout, _slanin   bytes sent / received of a network interface
//   _sras, _srasout, _srasin   the same of the dial-up link
//
// Windows tree only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "LanRates.h"

namespace corvex {

class _checkbox;
class _iftable;
class _pulse;
class _registrybackend;
class _spinedit;
struct _perfcounter;

class _lansentinel : public _sentinel {
public:
    explicit _lansentinel(_component* owner);
    // `backend` serves the performance data (tests pass their own).
    _lansentinel(_component* owner, _registrybackend& backend);
    ~_lansentinel() override;

    // ---- attributes
    bool Dead() const noexcept { return dead_; }
    _pulse* Reader() const noexcept { return reader_; }
    // Whether the interfaces come from the system's interface table because
    // the performance data hold none (decided when the Speeders are made).
    bool FromInterfaceTable() const noexcept { return fromTable_; }

    // ---- overrides
    _result PrepareSpeeders() override;
    _result RefreshSpeedersPulse(unsigned elapsed) override;
    _result PlugSpeeders() override;

    // ---- handlers of the scan
    // An instance at `position` named `name`: the hook may claim it; in the
    // listing scan an interface gets its two Speeders. 0.
    int KERNEL_OnInstance(std::int32_t position, const std::string& name);
    // A counter of the current instance: 3 while listing, else 0.
    int KERNEL_OnCounter(std::uint32_t titleIndex, std::uint64_t value);

protected:
    enum _scanphase : unsigned char {
        SCAN_LISTING = 0,
        SCAN_BANDWIDTH = 1,
        SCAN_COUNTERS = 2,
    };
    // Sees each instance first; true claims it.
    using _instancehook = std::function<bool(std::int32_t position, const std::string& name)>;
    void SetInstanceHook(_instancehook hook) { instanceHook_ = std::move(hook); }

private:
    class TableWalker;

    // One walk over the interfaces with `counterFilter` in `phase`.
    void Scan(std::int32_t counterFilter, _scanphase phase);
    int OnPerfCounter(std::uint32_t titleIndex, const _perfcounter& counter);

    bool dead_ = false;
    bool fromTable_ = false;
    _pulse* reader_ = nullptr;  // owned through the component list
    _scanphase phase_ = SCAN_COUNTERS;
    std::uint64_t bandwidth_ = 0;  // bits per second, of the instance scanned
    std::int32_t position_ = -1;   // the instance scanned
    bool objectSeen_ = false;      // the last perf walk met the interface object
    _instancehook instanceHook_;
    _iftable* table_ = nullptr;             // the bar's shared one, or own_
    std::unique_ptr<_iftable> own_;
    std::vector<_lanrow> rows_;
};

class _rassentinel : public _lansentinel {
public:
    explicit _rassentinel(_component* owner);
    _rassentinel(_component* owner, _registrybackend& backend);

    bool Online() const noexcept { return onlineBefore_; }

    _result PlugSpeeders() override;
    _result RefreshSpeedersPulse(unsigned elapsed) override;

    // The WAN hook: claims every instance; the dial-up adapter's makes the
    // link online.
    bool KERNEL_ProcessInstance(std::int32_t position, const std::string& name);

private:
    void GoOnline();
    void GoOffline();

    bool onlineNow_ = false;
    bool onlineBefore_ = true;
    std::int32_t wanInstance_ = -1;
    bool firstTime_ = true;
};

class _slan : public _gspeeder {
public:
    explicit _slan(_component* owner);
    ~_slan() override;

    // ---- attributes
    _pulse* Reader() const noexcept { return reader_; }
    void SetReader(_pulse* reader) noexcept { reader_ = reader; }
    std::uint32_t Counter() const noexcept { return counter_; }
    // The interface followed, by its position in the scan; -1: none.
    std::int32_t Instance() const noexcept { return instance_; }
    // A new instance starts afresh: its first reading is the base of the next.
    void SetInstance(std::int32_t instance) noexcept;
    std::uint64_t Current() const noexcept { return current_; }
    std::uint64_t Previous() const noexcept { return previous_; }
    std::uint64_t MeasuredBandwidth() const noexcept { return measured_; }
    // Bits per second the user set, 0 when the measured one counts.
    int UserBandwidth() const noexcept { return userBandwidth_; }
    void SetUserBandwidth(int bits);

    // ---- operations
    // The link's bandwidth (bits per second) as the data report it; the
    // total is the user's when set, else this one, in bytes per second.
    void SetBandwidth(std::uint64_t bits);
    // A new reading of the counter.
    void Feed(std::uint64_t raw) noexcept;

    // ---- overrides
    _result RefreshPulse(unsigned elapsed) override;
    // A link of unknown bandwidth has no share in use: an empty bar.
    _result Refresh(unsigned elapsed, bool forced) override;
    _result Start() override;
    _result SaveSettings(const std::string& key, _lair& store) override;
    _result LoadSettings(const std::string& key, _lair& store) override;
    void OnCreateDesigner(_panel& page) override;
    void OnDestroyDesigner(_panel& page) override;

protected:
    void SetCounter(std::uint32_t counter) noexcept { counter_ = counter; }
    void Notification(_component& destroyed) override;

private:
    void BandwidthChanged();
    void BytesClicked();

    _pulse* reader_ = nullptr;
    std::uint32_t counter_ = 0;
    std::uint64_t current_ = 0;
    std::uint64_t previous_ = 0;
    bool primed_ = false;  // a reading since the instance was taken
    bool fed_ = false;     // a reading since the last refresh
    std::uint64_t measured_ = 0;
    int userBandwidth_ = 0;
    std::int32_t instance_ = -1;

    // The page's controls while it is open (owned by the page).
    _spinedit* bandwidthSpin_ = nullptr;
    _checkbox* bytesCheck_ = nullptr;
    bool loading_ = false;
};

class _slanout final : public _slan {
public:
    explicit _slanout(_component* owner);
};

class _slanin final : public _slan {
public:
    explicit _slanin(_component* owner);
};

class _sras : public _slan {
public:
    explicit _sras(_component* owner);
};

class _srasout final : public _sras {
public:
    explicit _srasout(_component* owner);
};

class _srasin final : public _sras {
public:
    explicit _srasin(_component* owner);
};

}  // namespace corvex
