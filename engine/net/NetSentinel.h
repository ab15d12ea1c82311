#pragma once
// The Net Sentinel: round-trip times of ICMP echoes to hosts of the user's
// choice, one Speeder per host.
//
//   _netsentinel  the band; its Speeders come from the registry and from
//                 its Designer page (host, lag time, show ip)
//   _sping        the graph Speeder of one host: it owns a _ping that
//                 runs until stopped and draws each echo as it arrives
//
// Windows tree only.

#include <string>

#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _checkbox;
class _edit;
class _label;
class _ping;
class _spinedit;
class _timer;

class _netsentinel : public _sentinel {
public:
    explicit _netsentinel(_component* owner);

    // The page's controls while the Designer shows it, else nullptr.
    _edit* HostEDIT() const noexcept { return HostEDIT_; }
    _spinedit* LagSPIN() const noexcept { return LagSPIN_; }
    _checkbox* ShowIpCHECK() const noexcept { return ShowIpCHECK_; }

    _result NewSpeeder(_speeder*& speeder) override;
    // Before its Speeders are stopped one by one: every probe is told to
    // end now, so that stopping waits for the slowest echo, not for all.
    _result Stop() override;
    // On the engine's first run, one Speeder for "localhost".
    _result PlugSpeeders() override;
    _result OnCreateDesigner(_panel& page, _speeder* speeder) override;
    _result OnAddSpeeder(_speeder*& speeder) override;
    _result OnRedesignSpeeder(_speeder& speeder) override;
    _result OnDestroyDesigner(_panel& page) override;

protected:
    void Notification(_component& destroyed) override;

private:
    // The page's host, or empty (reported) when it names none or one that
    // another Speeder than `except` shows already.
    std::string PageHost(const _speeder* except, const char* method);
    // The page's lag time; a negative one is turned positive in the box.
    int PageLag();
    void ForgetPage() noexcept;

    _label* HostLABEL_ = nullptr;
    _edit* HostEDIT_ = nullptr;
    _label* LagLABEL_ = nullptr;
    _spinedit* LagSPIN_ = nullptr;
    _checkbox* ShowIpCHECK_ = nullptr;
};

class _sping : public _gspeeder {
public:
    explicit _sping(_component* owner);
    // With the probe's ICMP library named (tests name a missing one).
    _sping(_component* owner, const std::string& icmpLibrary);

    _ping& Probe() const noexcept { return *probe_; }
    // The graph's full scale in milliseconds ("Lag").
    int Lag() const noexcept { return lag_; }
    void SetLag(int lag);
    bool ShowIP() const noexcept { return showIp_; }
    void SetShowIP(bool on);
    // Retry periods of an unresolved host ("repeat").
    int Repeat() const noexcept { return repeat_; }
    void SetRepeat(int periods) noexcept { repeat_ = periods; }

    _result SaveSettings(const std::string& key, _lair& store) override;
    _result LoadSettings(const std::string& key, _lair& store) override;
    _result Shutdown() override;
    _result Stop() override;
    _result Start() override;
    void Arrange(int left, int top, int width, int height) override;
    _result UpdateVisibility() override;
    // The graph moves only when the probe delivers.
    _result Refresh(unsigned elapsed, bool forced) override;
    // One period of the retry clock of an unresolved host.
    _result RefreshPulse(unsigned elapsed) override;
    // The name label shows the nick, the probe gets the name as its host.
    _result UpdateCaption() override;
    _result GetFrequency(unsigned& period) override;
    _result SetFrequency(unsigned period) override;

private:
    // Shows "resolving..." and starts the probe again.
    void Restart();
    void Pinged();
    void UpdateHostLabel();

    _ping* probe_ = nullptr;   // owned through the component list
    _timer* retry_ = nullptr;  // the Speeder's own clock (period: SleepTime)
    int lag_ = 120;
    bool showIp_ = false;
    int repeat_ = 300;
    int countdown_ = 300;
};

}  // namespace corvex
