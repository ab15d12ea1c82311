// TPULSE's settings, the order of its Sentinels and its tray gauges: what
// it loads at start, saves at shutdown, and what the Designer and the
// Options dialog change through it.

#include <algorithm>

#include "BarDocking.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Tray.h"
#include "Debug_Zolt2.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"

namespace corvex {

_result TPULSE::LoadOptions() {
    Log(10, "TPULSE.LoadOptions: <-");
    _lair1.SetKey("Options");
    LoadBarSettings(_lair1, settings_);
    FillLiveOptions();

    Log(20, "TPULSE.LoadOptions: loading TrayContainer...");
    trayContainer_->Load(&_lair1);

    Log(20, "TPULSE.LoadOptions: retrieving Screen Resolutions...");
    docking_->LoadPositions(_lair1);

    Log(20, "TPULSE.LoadOptions: loading Sentinels and Speeders...");
    _lair1.SetKey("Sentinels\\");
    for (std::size_t i = 0; i < sentinels_.size(); ++i) {
        _sentinel& sentinel = *sentinels_[i].sentinel;
        const _lairkey scope(_lair1, _lair1.Key() + sentinel.Caption());
        sentinel.SetOrder(_lair1.ReadInteger("order", static_cast<int>(i), 0, ORDER_MAX));
        sentinel.LoadOptions(_lair1.Key(), _lair1);
    }
    Log(10, "TPULSE.LoadOptions: -> (result=%d)", _OK);
    return _OK;
}

_result TPULSE::SaveOptions() {
    Log(10, "TPULSE.SaveOptions: <-");
    _result result = _OK;
    // A write Windows refuses ends the save; the rest of the shutdown
    // still runs.
    try {
        _lair1.SetKey("Options");
        // A bar that started hidden is a shown window of width 0: stored as
        // hidden still, so that it starts hidden next time too.
        SaveBarSettings(_lair1, Visible() && !startedHidden_, CurrentOptions());

        Log(20, "TPULSE.SaveOptions: saving TrayContainer...");
        if (trayContainer_->Save(&_lair1) != _OK) result = _ERROR;

        Log(20, "TPULSE.SaveOptions: saving Screen Resolutions positions...");
        docking_->SavePositions(_lair1);

        Log(20, "TPULSE.SaveOptions: saving Sentinels and Speeders...");
        _lair1.SetKey("Sentinels\\");
        for (std::size_t i = 0; i < sentinels_.size(); ++i) {
            _sentinel& sentinel = *sentinels_[i].sentinel;
            const _lairkey scope(_lair1, _lair1.Key() + sentinel.Caption());
            _lair1.WriteInteger("order", static_cast<int>(i));
            sentinel.SaveOptions(_lair1.Key(), _lair1);
        }
    } catch (const _registryerror& error) {
        Log(1, "ERROR: TPULSE.SaveOptions: %s", error.what());
        result = _ERROR;
    }
    trayContainer_->DetachAll();
    Log(10, "TPULSE.SaveOptions: -> (result=%d)", result);
    return result;
}

_result TPULSE::UpdateOrder() {
    Log(10, "TDESIGNER.UpdateOrder: <-");
    std::stable_sort(sentinels_.begin(), sentinels_.end(), [](const Entry& a, const Entry& b) {
        return a.sentinel->Order() < b.sentinel->Order();
    });
    for (const Entry& entry : sentinels_) entry.sentinel->SortSpeeders();
    Log(10, "TDESIGNER.UpdateOrder: -> %d", _OK);
    return _OK;
}

_result TPULSE::FindSentinel(const _sentinel* sentinel, int& index) const {
    index = -1;
    if (Check(!sentinel, "TPULSE.FindSentine(%p): NIL", static_cast<const void*>(sentinel)) == DEBUG_ASSERT)
        return _ERROR;
    for (std::size_t i = 0; i < sentinels_.size(); ++i) {
        if (sentinels_[i].sentinel == sentinel) {
            index = static_cast<int>(i);
            return _OK;
        }
    }
    return _ERROR;
}

_result TPULSE::ExchangeSentinels(_sentinel* a, _sentinel* b) {
    Log(10, "TDESIGNER.ExchangeSentinels(%p,%p): <-", static_cast<void*>(a), static_cast<void*>(b));
    if (Check(!a || !b, "TPULSE.ExchangeSentinels(%p,%p): NIL", static_cast<void*>(a), static_cast<void*>(b)) ==
        DEBUG_ASSERT)
        return _ERROR;
    int first = -1, second = -1;
    if (FindSentinel(a, first) != _OK || FindSentinel(b, second) != _OK) return _ERROR;
    // The bands move at the next layout, the stored order at the next save.
    std::swap(sentinels_[static_cast<std::size_t>(first)], sentinels_[static_cast<std::size_t>(second)]);
    Log(10, "TDESIGNER.ExchangeSentinels(%p,%p): ->", static_cast<void*>(a), static_cast<void*>(b));
    return _OK;
}

_result TPULSE::AddTray(_traypulse** tray) {
    if (trayContainer_->Add(tray) != _OK) {
        Log(1, "TPULSE.AddTray: could not add _traypulse to TrayContainer");
        return _ERROR;
    }
    return _OK;
}

_result TPULSE::DelTray(_traypulse* tray) {
    if (!tray) return _ERROR;
    if (trayContainer_->Delete(trayContainer_->IndexOf(tray)) != _OK) {
        Log(1, "TPULSE.DelTray: could not delete _traypulse from TrayContainer");
        return _ERROR;
    }
    return _OK;
}

_result TPULSE::UpdateTrayColor(_traypulse* tray, int bar, _color foreground, _color background) {
    _traybar* target = tray && (bar == 0 || bar == 1) ? tray->KERNEL_GetBar(bar) : nullptr;
    if (Check(!target, "TPULSE.UpdateTrayColor(%p,%d,%d,%d): invalid input", static_cast<void*>(tray), bar,
              static_cast<int>(foreground), static_cast<int>(background)) == DEBUG_ASSERT)
        return _ERROR;
    target->SetForeColor(foreground);
    target->SetBackColor(background);
    return _OK;
}

void TPULSE::FillLiveOptions() {
    live_.transparency = settings_.transparency;
    live_.backColor = settings_.backColor;
    live_.update = settings_.update;
    live_.hotkey = settings_.hotkey;
    live_.stick = settings_.stick;
    live_.onTop = settings_.onTop;
    // The "dock" box is ticked only where docking is allowed.
    const bool dockAllowed = StartupOptions().DockingAllowed();
    live_.dock = settings_.dock && dockAllowed;
    if (holder_) holder_->FillOptions(live_, dockAllowed);
}

}  // namespace corvex
