#pragma once
// The Sentinel framework.
//
//   _sentinelflag      flag bits of a Sentinel
//   _speedersignal     the lifecycle signals SignalSpeeders passes on
//   _sentinel          one band of the bar: a transparent panel owning an
//                      ordered list of Speeders; forwards signals and ticks
//                      to them, lays them out, loads and saves them
//
// The eleven kinds derive from it, each in a unit of its own.
//
// Windows tree only.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Core_Zolt2.h"
#include "TPanel_Zolt2.h"

namespace corvex {

class _kernelport;
class _lair;
class _menuitem;
class _speeder;

enum _sentinelflag : unsigned char {
    SENTINEL_PULSE_WHEN_HIDDEN = 0x01,  // Speeders keep refreshing while hidden
    SENTINEL_HIDDEN = 0x02,
    SENTINEL_USER_DEFINED = 0x04,  // Speeders come from the registry and the Designer
};

// More user-defined Speeders than this in the settings are damage: each
// is a row of the band (and a probe or a mail check of its own).
constexpr std::size_t SENTINEL_SPEEDERS_MAX = 64;
// Stored orders are positions in a list: 0 and up, far below this.
constexpr int ORDER_MAX = 9999;

enum _speedersignal : int {
    SIGNAL_START = 0,
    SIGNAL_STOP = 1,
    SIGNAL_IGNITE = 2,
    SIGNAL_SHUTDOWN = 3,
};

class _sentinel : public _transpanel {
public:
    // `owner` is the bar window, which also becomes the panel's parent.
    explicit _sentinel(_component* owner);
    ~_sentinel() override;

    // ---- attributes
    unsigned char Flags() const noexcept { return flags_; }
    bool Hidden() const noexcept { return (flags_ & SENTINEL_HIDDEN) != 0; }
    bool PulseWhenHidden() const noexcept { return (flags_ & SENTINEL_PULSE_WHEN_HIDDEN) != 0; }
    bool UserDefined() const noexcept { return (flags_ & SENTINEL_USER_DEFINED) != 0; }
    // The kind's caption: its registry key name below "Sentinels\" and its
    // popup-menu entry. (The band itself paints no text, so this is not the
    // panel's window text.)
    const std::string& Caption() const noexcept { return caption_; }
    const std::string& Key() const noexcept { return key_; }
    int Order() const noexcept { return order_; }
    void SetOrder(int order) noexcept { order_ = order; }

    std::size_t SpeederCount() const noexcept { return speeders_.size(); }
    _speeder* Speeders(std::size_t index) const noexcept;
    // The name a Speeder had when it was added.
    const std::string& SpeederEntryName(std::size_t index) const;
    // Sorts the list by the Speeders' order, ascending.
    void SortSpeeders();

    // The bar this band belongs to (its owner), or nullptr.
    _kernelport* Kernel() const noexcept;

    // ---- virtual operations, in slot order
    virtual _result NewSpeeder(_speeder*& speeder);
    virtual _result KillSpeeders();
    virtual _result PlugSpeeders();
    virtual _result RefreshSpeeders();
    virtual _result RefreshSpeedersPulse(unsigned elapsed);
    virtual _result PrepareSpeeders();
    virtual _result Ignite();
    virtual _result Start();
    virtual _result Stop();
    virtual _result Shutdown();
    virtual _result SaveOptions(const std::string& key, _lair& store);
    virtual _result LoadOptions(const std::string& key, _lair& store);
    virtual _result SetColor(_color color);
    virtual _result OnCreateDesigner(_panel& page, _speeder* speeder);
    virtual _result OnAddSpeeder(_speeder*& speeder);
    virtual _result OnRedesignSpeeder(_speeder& speeder);
    virtual _result OnDestroyDesigner(_panel& page);

    // ---- operations
    _result SignalSpeeders(int signal);
    _result AddSpeeder(_speeder* speeder);
    // Makes a Speeder with this Sentinel as owner and adds it, unless `name`
    // was left out with "-unlink=". `make` builds it; one that throws is
    // not added.
    _result LinkSpeeder(const std::string& name, const std::function<_speeder&(_sentinel&)>& make,
                        _speeder*& speeder);
    template <class T>
    _result LinkSpeeder(const std::string& name, _speeder*& speeder) {
        return LinkSpeeder(name, [](_sentinel& self) -> _speeder& { return self.Make<T>(); }, speeder);
    }
    _result FindSpeeder(const _speeder* speeder, int& index) const;
    _result KillSpeederByIndex(int index);
    _result KillSpeeder(_speeder* speeder);
    _result ExchangeSpeeders(_speeder* a, _speeder* b);
    _result ExchangeSpeedersByIndex(int i, int j);
    _result RedesignSpeeder(_speeder* speeder);
    // Hide and Show of the band (they hide the control's own).
    void Hide();
    void Show();
    // The Designer's "hidden" box: hides the band and stops the Speeders the
    // tick skips behind a hidden band anyway. Speeders that drive a tray
    // bar, and all of a Sentinel that pulses while hidden, keep running.
    void HideByUser();
    // Starts the band's Speeders again and shows it.
    void ShowByUser();
    // Lays the Speeders out and sets the panel's bounds; a width of -1
    // keeps the current width, a height of -1 is computed.
    void ArrangeSpeeders(int left, int top, int width, int height);
    // The help entry for the Speeder under (x, y), in client coordinates.
    _result BuildSpeederMenu(_menuitem& item, int x, int y);
    void KERNEL_OnSpeederHelp(_component* sender);
    _result KERNEL_RefreshSpeedersPulse(unsigned elapsed, bool forced);

protected:
    // For the kinds' constructors.
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    void SetFlag(unsigned char flag, bool on) noexcept {
        flags_ = on ? static_cast<unsigned char>(flags_ | flag) : static_cast<unsigned char>(flags_ & ~flag);
    }
    void Resized() override;

private:
    struct Entry {
        std::string name;
        _speeder* speeder;
    };

    bool ValidIndex(int index) const noexcept {
        return index >= 0 && static_cast<std::size_t>(index) < speeders_.size();
    }
    // Whether the refresh rule reaches a Speeder on a tick.
    bool Reaches(const _speeder& speeder, bool skip) const noexcept;

    unsigned char flags_ = 0;
    std::string caption_ = "sentinel";
    std::vector<Entry> speeders_;
    std::string key_;
    int order_ = 0;
    bool arranging_ = false;
};

}  // namespace corvex
