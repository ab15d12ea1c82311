#include "Corvex_Tray.h"

#include <exception>
#include <string>

#include "Control.h"
#include "Debug_Zolt2.h"
#include "Lair_Zolt2.h"

namespace corvex {

namespace {

constexpr const char* kTrayKey = "TrayContainer";

std::string Below(const std::string& key, const std::string& sub) {
    return key.empty() ? sub : key + "\\" + sub;
}

}  // namespace

_traypulse::_traypulse(_component* owner, _shellnotify shell) : _tray(owner) {
    SetShellNotify(std::move(shell));
    SetStyle(TRAY_GAUGE_BEOS);
}

_traypulse::~_traypulse() {
    Detach(0);
    Detach(1);
}

_component* _traypulse::BarOwner(int index) const noexcept {
    return ValidIndex(index) ? slots_[index].owner : nullptr;
}

_result _traypulse::Attach(_component* owner, int index, _trayattachevent attached,
                           _traydetachevent detached) {
    if (!ValidIndex(index)) return _ERROR;
    Detach(index);
    Slot& slot = slots_[index];
    slot.attached = std::move(attached);
    slot.detached = std::move(detached);
    std::lock_guard<std::recursive_mutex> hold(lock_);
    slot.owner = owner;
    // An owner that goes without detaching must not leave its handlers
    // behind for the next Detach to call.
    if (owner) owner->FreeNotification(*this);
    const _trayattachevent handler = slot.attached;
    if (handler) handler(*this, index);
    return _OK;
}

_result _traypulse::Detach(int index) {
    if (!ValidIndex(index)) return _ERROR;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    Slot& slot = slots_[index];
    if (slot.owner) {
        _component* const owner = slot.owner;
        const _traydetachevent handler = slot.detached;
        if (handler) handler(*this);
        slot.owner = nullptr;
        if (owner != slots_[1 - index].owner) owner->RemoveFreeNotification(*this);
    }
    return _OK;
}

void _traypulse::Forget(_component& owner) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    for (int i = 0; i < 2; ++i) {
        if (slots_[i].owner != &owner) continue;
        slots_[i] = Slot{};
        // Nothing feeds the bar any more: it must not keep the last value.
        if (_traybar* bar = KERNEL_GetBar(i)) bar->SetPosition(0);
    }
}

void _traypulse::Notification(_component& destroyed) {
    Forget(destroyed);
    _tray::Notification(destroyed);
}

// ---------------------------------------------------------------------------

_traycontainer::_traycontainer(_component* owner) : _component(owner) {}

_traycontainer::~_traycontainer() {
    Clear();
}

_traypulse* _traycontainer::Get(int index) const noexcept {
    return index >= 0 && index < Count() ? trays_[static_cast<std::size_t>(index)] : nullptr;
}

_result _traycontainer::Add(_traypulse** made) {
    _traypulse& tray = Make<_traypulse>(shell_);
    trays_.push_back(&tray);
    if (made) *made = &tray;
    Raise(OnAddTray, tray);
    return _OK;
}

_result _traycontainer::Delete(int index) {
    _traypulse* const tray = Get(index);
    if (!tray) return _ERROR;
    trays_.erase(trays_.begin() + index);
    Destroy(tray);
    return _OK;
}

int _traycontainer::IndexOf(const _component* tray) const noexcept {
    for (std::size_t i = 0; i < trays_.size(); ++i)
        if (trays_[i] == tray) return static_cast<int>(i);
    return -1;
}

void _traycontainer::Clear() {
    while (!trays_.empty()) {
        _traypulse* const tray = trays_.back();
        trays_.pop_back();
        Destroy(tray);
    }
}

void _traycontainer::DetachAll() {
    for (std::size_t i = 0; i < trays_.size(); ++i) {
        trays_[i]->Detach(0);
        // A detach handler may delete trays; stop at the end of what is left.
        if (i < trays_.size()) trays_[i]->Detach(1);
    }
}

_result _traycontainer::Save(_lair* store) {
    if (!store) {
        Check(true, "_traycontainer.Save(): Lair==NIL");
        return _ERROR;
    }
    bool written = true;
    try {
        _lairkey outer(*store);
        // No numbered key of an earlier, longer list may survive.
        store->Hive().DeleteKey(store->FullPath() + "\\" + kTrayKey);
        store->SetKey(Below(store->Key(), kTrayKey));
        const auto write = [store, &written](const char* name, int value) {
            written = store->WriteInteger(name, value) == _OK && written;
        };
        write("_total", Count());
        for (int i = 0; i < Count(); ++i) {
            _lairkey inner(*store);
            store->SetKey(Below(store->Key(), std::to_string(i + 1)));
            _tray& tray = *trays_[static_cast<std::size_t>(i)];
            _traybar& bar0 = *tray.KERNEL_GetBar(0);
            _traybar& bar1 = *tray.KERNEL_GetBar(1);
            write("color_0", static_cast<int>(bar0.ForeColor()));
            write("color_1", static_cast<int>(bar1.ForeColor()));
            write("back_color_0", static_cast<int>(bar0.BackColor()));
            write("back_color_1", static_cast<int>(bar1.BackColor()));
            write("strip_color_0", static_cast<int>(bar0.StripColor()));
            write("strip_color_1", static_cast<int>(bar1.StripColor()));
            write("style", static_cast<int>(tray.Style()));
        }
    } catch (const std::exception& error) {
        Log(1, "ERROR: _traycontainer.Save: %s", error.what());
        return _ERROR;
    }
    // A store that could not open its keys must not pass for saved.
    if (!written) Log(1, "ERROR: _traycontainer.Save: the settings store refused the values");
    return written ? _OK : _ERROR;
}

_result _traycontainer::Load(_lair* store) {
    if (!store) {
        Check(true, "_traycontainer.Load(): Lair==NIL");
        return _ERROR;
    }
    _lairkey outer(*store);
    store->SetKey(Below(store->Key(), kTrayKey));
    const int total = store->ReadInteger("_total", 0);
    for (int i = 1; i <= total && i <= TRAY_CONTAINER_MAX; ++i) {
        // Save writes the numbered keys without a gap: a count beyond them
        // is damage, and would otherwise make as many icons as it says.
        if (!store->Hive().KeyExists(store->FullPath() + "\\" + std::to_string(i))) {
            Log(1, "ERROR: _traycontainer.Load: %d of %d trays stored", i - 1, total);
            break;
        }
        _lairkey inner(*store);
        _traypulse* tray = nullptr;
        try {
            store->SetKey(Below(store->Key(), std::to_string(i)));
            Add(&tray);
            _traybar& bar0 = *tray->KERNEL_GetBar(0);
            _traybar& bar1 = *tray->KERNEL_GetBar(1);
            const auto read = [store](const char* name, _color current) { return store->ReadColor(name, current); };
            bar0.SetForeColor(read("color_0", bar0.ForeColor()));
            bar1.SetForeColor(read("color_1", bar1.ForeColor()));
            bar0.SetBackColor(read("back_color_0", bar0.BackColor()));
            bar1.SetBackColor(read("back_color_1", bar1.BackColor()));
            bar0.SetStripColor(read("strip_color_0", bar0.StripColor()));
            bar1.SetStripColor(read("strip_color_1", bar1.StripColor()));
            // A number outside the known looks would draw nothing at all.
            tray->SetStyle(static_cast<_traystyle>(
                store->ReadInteger("style", static_cast<int>(tray->Style()), TRAY_GAUGE_ICON, TRAY_GAUGE_BEOS)));
        } catch (const std::exception&) {
            // The tray keeps what it got so far; the next one is read anyway.
        }
    }
    return _OK;
}

}  // namespace corvex
