#include "CpuSentinel.h"

#include "Corvex_Sentinels.h"
#include "Heart_Zolt2.h"
#include "KernelPort.h"
#include "Lair_Zolt2.h"
#include "Registry_Win32.h"
#include "TrayGauge_Zolt2.h"

namespace corvex {

namespace {
constexpr _color kDefaultStrip = 0x808080;
constexpr _color kDefaultLoad = 0x00FFFF;
}  // namespace

// ---- _cpusentinel

_cpusentinel::_cpusentinel(_component* owner) : _cpusentinel(owner, Win32Registry()) {}

_cpusentinel::_cpusentinel(_component* owner, _registrybackend& backend) : _sentinel(owner) {
    heart_ = &Make<_heart>(backend);
    SetCaption("CPU Sentinel");
    // The processor Speeders keep running while the band is hidden.
    SetFlag(SENTINEL_PULSE_WHEN_HIDDEN, true);

    gauge_ = &Make<_traygauge>();
    gauge_->SetForeColor1(0);
    gauge_->SetForeColor2(0);
    gauge_->SetBackColor(0);
    gauge_->SetStripColor1(0);
    gauge_->SetStripColor2(0);
    gauge_->SetLook(TRAY_GAUGE_BEOS);
    gauge_->SetHint("Corvex");
    if (_kernelport* kernel = Kernel()) {
        gauge_->SetPopupMenu(kernel->PopupMenu());
        gauge_->OnDblClick = [kernel](_component&) { kernel->ToggleBar(); };
    }
    // Created inactive: the icon appears only when something activates it.
    gauge_->SetActive(false);
}

_result _cpusentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    if (!heart_) return _ERROR;
    // Every processor gets its Speeder; the unlink option does not apply.
    for (std::uint32_t i = 0; i < heart_->Total(); ++i) {
        _scpu& speeder = Make<_scpu>();
        speeder.SetName("cpu " + std::to_string(i + 1));
        speeder.Bind(heart_, i);
        AddSpeeder(&speeder);
    }
    return _OK;
}

_result _cpusentinel::RefreshSpeedersPulse(unsigned elapsed) {
    heart_->Pulse(elapsed);
    // Loads are 0 .. 100.
    gauge_->SetPosition(static_cast<std::uint32_t>(heart_->GetPulse(0)));
    gauge_->SetPosition2(static_cast<std::uint32_t>(heart_->GetPulse(1)));
    return _sentinel::RefreshSpeedersPulse(elapsed);
}

_result _cpusentinel::SaveOptions(const std::string& key, _lair& store) {
    const std::string own = store.Key();
    _sentinel::SaveOptions(key, store);
    // The kind's own values live under the Sentinel's key.
    store.SetKey(own);
    store.WriteInteger("Strip color", static_cast<int>(gauge_->Look() == TRAY_GAUGE_NT
                                                           ? gauge_->StripColor1()
                                                           : gauge_->BackColor()));
    store.WriteInteger("Load color", static_cast<int>(gauge_->ForeColor1()));
    return _OK;
}

_result _cpusentinel::LoadOptions(const std::string& key, _lair& store) {
    const std::string own = store.Key();
    _sentinel::LoadOptions(key, store);
    store.SetKey(own);
    const _color strip =
        static_cast<_color>(store.ReadInteger("Strip color", static_cast<int>(kDefaultStrip)));
    const _color load =
        static_cast<_color>(store.ReadInteger("Load color", static_cast<int>(kDefaultLoad)));
    if (gauge_->Look() == TRAY_GAUGE_NT) {
        gauge_->SetStripColor1(strip);
        gauge_->SetStripColor2(strip);
    } else {
        gauge_->SetBackColor(strip);
    }
    gauge_->SetForeColor1(load);
    gauge_->SetForeColor2(load);
    return _OK;
}

// ---- _scpu

_scpu::_scpu(_component* owner) : _gspeeder(owner) {
    SetUnsupported(Unsupported() | SPEEDER_METERS);
    SetName("cpu");
    SetHelpAnchor("_cpusentinel");
    SetAmounts(Free(), 100);
    SetIconIndex(0);
}

_result _scpu::RefreshPulse(unsigned elapsed) {
    if (!heart_) return _ERROR;
    SetAmounts(100.0 - heart_->GetPulse(index_), 100);
    return _gspeeder::RefreshPulse(elapsed);
}

}  // namespace corvex
