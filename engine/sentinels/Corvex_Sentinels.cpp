#include "Corvex_Sentinels.h"

#include <algorithm>

#include "Corvex_Speeders.h"
#include "Debug_Zolt2.h"
#include "KernelPort.h"
#include "Lair_Zolt2.h"
#include "Menu.h"
#include "StartupOptions.h"

namespace corvex {

namespace {

int MeasuredHeight(_speeder& speeder) {
    if (speeder.Hidden()) return 0;
    int width = 0, height = 0;
    speeder.Measure(width, height);
    return height;
}

}  // namespace

_sentinel::_sentinel(_component* owner) : _transpanel(owner, dynamic_cast<_wincontrol*>(owner)) {}

_sentinel::~_sentinel() {
    // The Speeders' controls are children of this panel: they go first,
    // while the panel is still whole.
    speeders_.clear();
    DestroyComponents();
}

_speeder* _sentinel::Speeders(std::size_t index) const noexcept {
    return index < speeders_.size() ? speeders_[index].speeder : nullptr;
}

const std::string& _sentinel::SpeederEntryName(std::size_t index) const { return speeders_.at(index).name; }

void _sentinel::SortSpeeders() {
    std::stable_sort(speeders_.begin(), speeders_.end(), [](const Entry& a, const Entry& b) {
        return a.speeder->Order() < b.speeder->Order();
    });
}

_kernelport* _sentinel::Kernel() const noexcept { return dynamic_cast<_kernelport*>(Owner()); }

// ---- virtual operations

_result _sentinel::NewSpeeder(_speeder*& speeder) {
    speeder = nullptr;
    return _ERROR;
}

_result _sentinel::KillSpeeders() {
    std::vector<Entry> entries;
    entries.swap(speeders_);
    for (Entry& entry : entries) Destroy(entry.speeder);
    return _OK;
}

_result _sentinel::PlugSpeeders() { return _OK; }

_result _sentinel::RefreshSpeeders() { return KERNEL_RefreshSpeedersPulse(0, true); }

_result _sentinel::RefreshSpeedersPulse(unsigned elapsed) { return KERNEL_RefreshSpeedersPulse(elapsed, false); }

_result _sentinel::PrepareSpeeders() {
    for (const Entry& entry : speeders_) entry.speeder->Prepare();
    return _OK;
}

_result _sentinel::Ignite() { return _OK; }
_result _sentinel::Start() { return _OK; }
_result _sentinel::Stop() { return _OK; }
_result _sentinel::Shutdown() { return _OK; }

_result _sentinel::SaveOptions(const std::string& key, _lair& store) {
    const _lairkey scope(store, key);
    store.WriteBool("Hidden", Hidden());
    // Speeders destroyed since the last save must not come back.
    if (UserDefined()) store.Hive().DeleteKey(store.FullPath() + "\\Speeders");
    const std::string speedersKey = key + "\\Speeders\\";
    for (std::size_t i = 0; i < speeders_.size(); ++i) {
        _speeder& speeder = *speeders_[i].speeder;
        const _lairkey speederScope(store, speedersKey + speeder.Name());
        store.WriteInteger("order", static_cast<int>(i));
        speeder.SaveOptions(store.Key(), store);
    }
    return _OK;
}

_result _sentinel::LoadOptions(const std::string& key, _lair& store) {
    const _lairkey scope(store, key);
    key_ = key;
    const bool hidden = store.ReadBool("Hidden", false);
    if (UserDefined()) {
        std::vector<std::string> names;
        {
            const _lairkey speedersScope(store, key_ + "\\Speeders");
            store.Hive().GetKeyNames(names);
        }
        if (names.size() > SENTINEL_SPEEDERS_MAX) {
            Log(1, "ERROR: _sentinel.LoadOptions: %s holds %u Speeders: the first %u are loaded", key_.c_str(),
                static_cast<unsigned>(names.size()), static_cast<unsigned>(SENTINEL_SPEEDERS_MAX));
            names.resize(SENTINEL_SPEEDERS_MAX);
        }
        for (const std::string& name : names) {
            _speeder* speeder = nullptr;
            if (NewSpeeder(speeder) != _OK || !speeder) break;
            if (_kernelport* kernel = Kernel()) kernel->UpdateIgnition("Loading " + speeder->Name() + "...");
            speeder->SetName(name);
            AddSpeeder(speeder);
        }
    }
    const std::string speedersKey = key_ + "\\Speeders\\";
    for (std::size_t i = 0; i < speeders_.size(); ++i) {
        _speeder& speeder = *speeders_[i].speeder;
        const _lairkey speederScope(store, speedersKey + speeder.Name());
        speeder.SetOrder(store.ReadInteger("order", static_cast<int>(i), 0, ORDER_MAX));
        speeder.LoadOptions(store.Key(), store);
    }
    if (hidden) Hide();
    return _OK;
}

_result _sentinel::SetColor(_color color) {
    _transpanel::SetColor(color);
    return _OK;
}

_result _sentinel::OnCreateDesigner(_panel& page, _speeder* speeder) {
    (void)page;
    (void)speeder;
    return _OK;
}

_result _sentinel::OnAddSpeeder(_speeder*& speeder) {
    if (!speeder) return _OK;
    // Re-ignited from this Sentinel's key, as a Speeder made while the
    // engine runs: prepared, its stored values read, ignited, started.
    _kernelport* kernel = Kernel();
    speeder->Prepare();
    if (_lair* store = kernel ? kernel->Store() : nullptr; store && !key_.empty()) {
        const _lairkey scope(*store, key_ + "\\Speeders\\" + speeder->Name());
        speeder->LoadOptions(store->Key(), *store);
    }
    speeder->Ignite();
    speeder->Start();
    if (kernel) kernel->KERNEL_UpdateSize();
    return _OK;
}

_result _sentinel::OnRedesignSpeeder(_speeder& speeder) {
    (void)speeder;
    return _OK;
}

_result _sentinel::OnDestroyDesigner(_panel& page) {
    (void)page;
    return _OK;
}

// ---- operations

_result _sentinel::SignalSpeeders(int signal) {
    for (const Entry& entry : speeders_) {
        _speeder& speeder = *entry.speeder;
        if (signal < SIGNAL_START || signal > SIGNAL_SHUTDOWN) {
            Check(true, "_sentinel.SignalSpeeders(%d): invalid signal", signal);
            continue;
        }
        const char* const name = speeder.Name().c_str();
        _kernelport* kernel = Kernel();
        switch (signal) {
            case SIGNAL_START:
                Log(20, "_sentinel.SignalSpeeders: starting _speeder: %s", name);
                if (kernel) kernel->UpdateIgnition("Starting " + speeder.Name() + "...");
                speeder.Start();
                break;
            case SIGNAL_STOP:
                Log(20, "_sentinel.SignalSpeeders: stopping _speeder: %s", name);
                speeder.Stop();
                break;
            case SIGNAL_IGNITE:
                Log(20, "_sentinel.SignalSpeeders: igniting _speeder: %s", name);
                if (kernel) kernel->UpdateIgnition("Igniting " + speeder.Name() + "...");
                speeder.Ignite();
                break;
            case SIGNAL_SHUTDOWN:
                Log(20, "_sentinel.SignalSpeeders: shutting down _speeder: %s", name);
                speeder.Shutdown();
                break;
            default: break;
        }
    }
    return _OK;
}

_result _sentinel::AddSpeeder(_speeder* speeder) {
    Log(10, "_sentinel.AddSpeeder(%p): \"%s\"", static_cast<void*>(speeder),
        speeder ? speeder->Name().c_str() : "");
    if (!speeder) return _ERROR;
    speeders_.push_back(Entry{speeder->Name(), speeder});
    if (_kernelport* kernel = Kernel()) kernel->SpeederAdded(*this, *speeder);
    speeder->UpdateIcon();
    speeder->UpdateCaption();
    speeder->UpdateVisibility();
    return _OK;
}

_result _sentinel::LinkSpeeder(const std::string& name, const std::function<_speeder&(_sentinel&)>& make,
                               _speeder*& speeder) {
    speeder = nullptr;
    if (StartupOptions().IsUnlinked(name)) return _ERROR;
    try {
        speeder = &make(*this);
    } catch (...) {
        // A kind that cannot be built (its source is missing) is left out.
        speeder = nullptr;
        return _ERROR;
    }
    return AddSpeeder(speeder);
}

_result _sentinel::FindSpeeder(const _speeder* speeder, int& index) const {
    index = -1;
    if (Check(!speeder, "_sentinel.FindSpeeder(%p): NIL _speeder",
              static_cast<const void*>(speeder)) == DEBUG_ASSERT)
        return _ERROR;
    for (std::size_t i = 0; i < speeders_.size(); ++i)
        if (speeders_[i].speeder == speeder) {
            index = static_cast<int>(i);
            return _OK;
        }
    return _ERROR;
}

_result _sentinel::KillSpeederByIndex(int index) {
    Log(10, "_sentinel.KillSpeederByIndex(%d)", index);
    if (Check(!ValidIndex(index), "_sentinel.KillSpeederByIndex(Index:_index): invalid index") == DEBUG_ASSERT)
        return _ERROR;
    _speeder* speeder = speeders_[static_cast<std::size_t>(index)].speeder;
    if (_kernelport* kernel = Kernel()) kernel->SpeederRemoved(*this, *speeder);
    speeder->Stop();
    speeder->Shutdown();
    speeders_.erase(speeders_.begin() + index);
    Destroy(speeder);
    return _OK;
}

_result _sentinel::KillSpeeder(_speeder* speeder) {
    Log(10, "_sentinel.KillSpeeder(%p)", static_cast<void*>(speeder));
    int index = -1;
    if (FindSpeeder(speeder, index) != _OK) return _ERROR;
    return KillSpeederByIndex(index);
}

_result _sentinel::ExchangeSpeeders(_speeder* a, _speeder* b) {
    if (Check(!a || !b, "_sentinel.ExchangeSpeeders(%p,%p): NIL", static_cast<void*>(a),
              static_cast<void*>(b)) == DEBUG_ASSERT)
        return _ERROR;
    int i = -1, j = -1;
    if (FindSpeeder(a, i) != _OK || FindSpeeder(b, j) != _OK) return _ERROR;
    return ExchangeSpeedersByIndex(i, j);
}

_result _sentinel::ExchangeSpeedersByIndex(int i, int j) {
    if (Check(!ValidIndex(i) || !ValidIndex(j), "_sentinel.ExchangeSpeedersByIndex(%d,%d): NIL", i, j) ==
        DEBUG_ASSERT)
        return _ERROR;
    std::swap(speeders_[static_cast<std::size_t>(i)], speeders_[static_cast<std::size_t>(j)]);
    return _OK;
}

_result _sentinel::RedesignSpeeder(_speeder* speeder) {
    Log(10, "_sentinel.RedesignSpeeder(%p): <-", static_cast<void*>(speeder));
    if (Check(!speeder, "_sentinel.RedesignSpeeder: Sp==NIL") == DEBUG_ASSERT) return _ERROR;
    speeder->Stop();
    OnRedesignSpeeder(*speeder);
    speeder->OnRedesign();
    speeder->Start();
    Log(10, "_sentinel.RedesignSpeeder(%p): -> %d", static_cast<void*>(speeder), _OK);
    return _OK;
}

void _sentinel::Hide() {
    if (Hidden()) return;
    _transpanel::Hide();
    SetFlag(SENTINEL_HIDDEN, true);
    ArrangeSpeeders(Left(), Top(), Width(), -1);
    if (_kernelport* kernel = Kernel()) kernel->KERNEL_UpdateSize();
}

void _sentinel::Show() {
    if (!Hidden()) return;
    _transpanel::Show();
    SetFlag(SENTINEL_HIDDEN, false);
    ArrangeSpeeders(Left(), Top(), Width(), -1);
    if (_kernelport* kernel = Kernel()) kernel->KERNEL_UpdateSize();
}

void _sentinel::HideByUser() {
    Hide();
    for (const Entry& entry : speeders_) {
        _speeder& speeder = *entry.speeder;
        if (PulseWhenHidden() || (speeder.Options() & SPEEDER_TRAYED)) continue;
        Log(20, "_sentinel.SignalSpeeders: stopping _speeder: %s", speeder.Name().c_str());
        speeder.Stop();
    }
}

void _sentinel::ShowByUser() {
    SignalSpeeders(SIGNAL_START);
    Show();
}

void _sentinel::ArrangeSpeeders(int left, int top, int width, int height) {
    if (width < 0) width = Width();
    if (Hidden()) {
        // The Speeders keep where they were; the band takes no room.
        height = 0;
    } else {
        int y = 3, sum = 0;
        for (const Entry& entry : speeders_) {
            const int measured = MeasuredHeight(*entry.speeder);
            entry.speeder->SetBounds(3, y, width - 7, -1);
            y += measured;
            sum += measured;
        }
        if (height == -1) height = sum + 6;
    }
    // Setting the bounds resizes the panel, whose handler comes back here.
    const bool outer = !arranging_;
    arranging_ = true;
    _transpanel::SetBounds(left, top, width, height);
    if (outer) arranging_ = false;
}

void _sentinel::Resized() {
    _transpanel::Resized();
    if (!arranging_) ArrangeSpeeders(Left(), Top(), Width(), -1);
}

_result _sentinel::BuildSpeederMenu(_menuitem& item, int x, int y) {
    (void)x;
    int offset = 0;
    for (std::size_t i = 0; i < speeders_.size(); ++i) {
        _speeder& speeder = *speeders_[i].speeder;
        if (speeder.Hidden()) continue;
        const int height = MeasuredHeight(speeder);
        if (offset <= y && y < offset + height) {
            _menuitem& help = item.Add(speeder.Name() + " &help...");
            help.SetTag(static_cast<long>(i));
            help.OnClick = [this](_menuitem& sender) { KERNEL_OnSpeederHelp(&sender); };
            speeder.AddMenuItems(item);
            return _OK;
        }
        offset += height;
    }
    return _ERROR;
}

void _sentinel::KERNEL_OnSpeederHelp(_component* sender) {
    auto* item = dynamic_cast<_menuitem*>(sender);
    if (Check(!item, "_sentinel.KERNEL_OnSpeederHelp(%p): Sender is not TMenuItem",
              static_cast<void*>(sender)) == DEBUG_ASSERT)
        return;
    const long index = item->Tag();
    if (index < 0 || static_cast<std::size_t>(index) >= speeders_.size()) return;
    const _speeder& speeder = *speeders_[static_cast<std::size_t>(index)].speeder;
    _kernelport* kernel = Kernel();
    const std::string file = (kernel ? kernel->HelpFolder() : std::string()) + "corvex_main.htm";
    Log(40, "_sentinel.KERNEL_OnSpeederClick: %s anchor in %s", speeder.HelpAnchor().c_str(), file.c_str());
    if (kernel) kernel->OpenHelp(file, speeder.HelpAnchor());
}

bool _sentinel::Reaches(const _speeder& speeder, bool skip) const noexcept {
    const _speederoptions o = speeder.Options();
    if (o & SPEEDER_UNTIMED) return false;
    return (o & SPEEDER_TRAYED) || (!speeder.Hidden() && !skip);
}

_result _sentinel::KERNEL_RefreshSpeedersPulse(unsigned elapsed, bool forced) {
    const bool skip = Hidden() && !PulseWhenHidden();
    const _paintbatch batch(*this);  // the band paints once, after every Speeder
    for (const Entry& entry : speeders_) {
        _speeder& speeder = *entry.speeder;
        if (forced) {
            Log(50, "KERNEL_RefreshSpeedersPulse: \"%s\": %d", speeder.Name().c_str(), speeder.Hidden() ? 1 : 0);
            speeder.Refresh(elapsed, true);
        } else if (Reaches(speeder, skip)) {
            Log(50, "KERNEL_RefreshSpeedersPulse: \"%s\": %d", speeder.Name().c_str(), speeder.Hidden() ? 1 : 0);
            speeder.RefreshPulse(elapsed);
        }
    }
    return _OK;
}

}  // namespace corvex
