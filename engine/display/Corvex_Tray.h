#pragma once
// The user's two-bar gauges in the notification area.
//
//   _traypulse      a _tray in the BeOS look whose two bars can each be
//                   attached to one owner, with attach and detach handlers
//   _traycontainer  the engine's list of them; creates, deletes, saves and
//                   restores them under "TrayContainer"
//
// Windows tree only.

#include <functional>
#include <mutex>
#include <vector>

#include "Core_Zolt2.h"
#include "Tray_Zolt2.h"

namespace corvex {

class _lair;
class _traypulse;

// Called with the tray and the bar index once the owner holds the bar.
using _trayattachevent = std::function<void(_traypulse& tray, int index)>;
// Called with the tray when the owner loses the bar.
using _traydetachevent = std::function<void(_traypulse& tray)>;

class _traypulse final : public _tray {
public:
    // `shell` takes every shell call, the first add made here included.
    explicit _traypulse(_component* owner, _shellnotify shell = SystemShellNotify());
    ~_traypulse() override;

    // Index outside 0..1: _ERROR and nothing else. Otherwise the bar's
    // previous owner is detached first, then `owner` takes it and `attached`
    // runs.
    _result Attach(_component* owner, int index, _trayattachevent attached, _traydetachevent detached);
    // Runs the owner's detach handler and frees the bar; _ERROR for an
    // index outside 0..1.
    _result Detach(int index);
    // The owner of bar `index`, or none.
    _component* BarOwner(int index) const noexcept;

protected:
    void Notification(_component& destroyed) override;

private:
    struct Slot {
        _component* owner = nullptr;
        _trayattachevent attached;
        _traydetachevent detached;
    };
    static bool ValidIndex(int index) noexcept { return index == 0 || index == 1; }
    void Forget(_component& owner);

    Slot slots_[2];
    // Guards attaching and detaching; re-entrant, because a handler may
    // attach or detach again on the same thread.
    std::recursive_mutex lock_;
};

// More tray gauges than this in the settings are damage: each is an icon
// in the notification area.
constexpr int TRAY_CONTAINER_MAX = 64;

class _traycontainer final : public _component {
public:
    explicit _traycontainer(_component* owner);
    ~_traycontainer() override;

    // ---- attributes
    int Count() const noexcept { return static_cast<int>(trays_.size()); }
    // None for an index outside the list.
    _traypulse* Get(int index) const noexcept;

    // Every tray the container makes (Add, Load) is handed to this first:
    // the engine gives it its hint, menu and double-click handler here.
    std::function<void(_traypulse& tray)> OnAddTray;
    // The shell call the trays made from now on use.
    void SetShellNotify(_shellnotify shell) { shell_ = std::move(shell); }

    // ---- operations
    _result Add(_traypulse** made = nullptr);
    _result Delete(int index);
    int IndexOf(const _component* tray) const noexcept;
    void Clear();
    void DetachAll();
    // Below the store's current key; the key is the same afterwards.
    _result Save(_lair* store);
    _result Load(_lair* store);

private:
    std::vector<_traypulse*> trays_;  // owned through the component list
    _shellnotify shell_ = SystemShellNotify();
};

}  // namespace corvex
