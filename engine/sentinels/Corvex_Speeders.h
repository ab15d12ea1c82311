#pragma once
// _speeder: the common base of every readout in a Sentinel's band. It is a
// non-visual component owned by its Sentinel; its icon, name label and the
// two meter labels are controls it owns, shown on the Sentinel's panel.
// It keeps the identity (name, nick), the option set, the row layout, the
// last amounts and their meters, the refresh protocol and the settings
// format. The graph and text readouts derive from it.
//
//   _speeder   the common base
//   _gspeeder  a readout drawn as a graph, optionally driving a tray bar
//   _tspeeder  a readout shown as a text
//   Reignite, Retire  bring a Speeder made or dropped while the engine
//                     runs in and out of service
//
// Windows tree only.

#include <cstdint>
#include <string>

#include "Component.h"
#include "Core_Zolt2.h"
#include "Geometry.h"
#include "SpeederGauge.h"
#include "SpeederLayout.h"
#include "SpeederOptions.h"
#include "SpeederSettings.h"

namespace corvex {

class _image;
class _impulse;
class _label;
class _lair;
class _menuitem;
class _panel;
class _sentinel;
class _kernelport;
class _traypulse;
class _wincontrol;

class _speeder : public _component {
public:
    // `owner` is the Sentinel: its panel is the parent of the controls.
    explicit _speeder(_component* owner);
    ~_speeder() override;

    // ---- identity (the name is the component's Name)
    const std::string& Nick() const noexcept { return nick_; }
    std::string GetNick() const;
    void SetNick(const std::string& nick);
    const std::string& HelpAnchor() const noexcept { return helpAnchor_; }
    int Order() const noexcept { return order_; }
    void SetOrder(int order) noexcept { order_ = order; }
    int IconIndex() const noexcept { return iconIndex_; }

    // ---- options
    _speederoptions Options() const noexcept { return options_; }
    _speederoptions Unsupported() const noexcept { return unsupported_; }
    bool Hidden() const noexcept { return (options_ & SPEEDER_HIDDEN) != 0; }
    bool Stopped() const noexcept { return (options_ & SPEEDER_STOPPED) != 0; }
    // Sets or clears bits directly.
    void SetOption(_speederoptions mask, bool on) noexcept;
    // SetOption, then UpdateVisibility.
    void ChangeOption(_speederoptions mask, bool on);
    void ToggleOption(_speederoptions mask);

    // ---- amounts of the last sample
    double Free() const noexcept { return free_; }
    double Total() const noexcept { return total_; }
    int NBX() const noexcept { return nbx_; }
    void SetNBX(int nbx) noexcept { nbx_ = nbx; }
    int NBY() const noexcept { return nby_; }
    void SetNBY(int nby) noexcept { nby_ = nby; }
    // The last rectangle Arrange was given, and the display area it made.
    const _rect& LayoutRect() const noexcept { return layout_; }
    const _rect& Area() const noexcept { return area_; }

    // The pieces, for the Sentinel's hit tests and the tests.
    _image& Icon() const noexcept { return *icon_; }
    _label& NameLabel() const noexcept { return *nameLabel_; }
    _label& TotalLabel() const noexcept { return *totalLabel_; }
    _label& FreeLabel() const noexcept { return *freeLabel_; }

    _sentinel* Sentinel() const noexcept;

    // ---- virtual operations, in slot order
    virtual _result SaveSettings(const std::string& key, _lair& store);
    virtual _result LoadSettings(const std::string& key, _lair& store);
    virtual void Measure(int& width, int& height);
    virtual _result Shutdown();
    virtual _result Prepare();
    virtual _result Ignite();
    virtual _result Stop();
    virtual _result Start();
    virtual void SetBounds(int left, int top, int width, int height);
    virtual void Arrange(int left, int top, int width, int height);
    virtual _result UpdateVisibility();
    virtual void SetVisible(bool visible);
    virtual void SetOptions(_speederoptions options);
    virtual _result Refresh(unsigned elapsed, bool forced);
    virtual _result RefreshPulse(unsigned elapsed);
    virtual _result UpdateIcon();
    virtual _result UpdateCaption();
    virtual _result SaveOptions(const std::string& key, _lair& store);
    virtual _result LoadOptions(const std::string& key, _lair& store);
    virtual _result GetFrequency(unsigned& period);
    // _ERROR for a period the Speeder refuses.
    virtual _result SetFrequency(unsigned period);
    virtual _result ShowError(const std::string& text);
    virtual _result ShowNotice(const std::string& text);
    virtual void OnCreateDesigner(_panel& page);
    virtual void OnDestroyDesigner(_panel& page);
    virtual _result OnRedesign();
    virtual void AddMenuItems(_menuitem& item);

    // ---- other operations
    // Arrange with the remembered layout rectangle.
    void Rearrange();
    void ShowTotal();
    void ShowFree();

protected:
    // For the kinds' constructors.
    void SetHelpAnchor(std::string anchor) { helpAnchor_ = std::move(anchor); }
    void SetIconIndex(int index) noexcept { iconIndex_ = index; }
    void SetUnsupported(_speederoptions unsupported) noexcept { unsupported_ = unsupported; }
    void SetNameOffset(int offset) noexcept { nameOffset_ = offset; }
    void SetAmounts(double free, double total) noexcept {
        free_ = free;
        total_ = total;
    }
    // What the meters show now, as Refresh compares it: a value no amount
    // can have makes the next refresh redraw them, the amounts themselves
    // keep them still.
    void SetShownAmounts(double free, double total) noexcept {
        shownFree_ = free;
        shownTotal_ = total;
    }
    _kernelport* Kernel() const noexcept;
    // The options that count: those this kind supports.
    _speederoptions Effective() const noexcept { return options_ & ~unsupported_; }
    _speederlayoutinput LayoutInput() const noexcept;

private:
    _speederoptions options_ = SPEEDER_INITIAL;
    std::string nick_;
    _rect layout_;
    _speederoptions unsupported_ = 0;
    _image* icon_ = nullptr;
    int iconIndex_ = 0;
    _label* nameLabel_ = nullptr;
    _label* totalLabel_ = nullptr;
    _label* freeLabel_ = nullptr;
    double free_ = 0;
    double total_ = 0;
    double shownFree_ = 0;
    double shownTotal_ = 0;
    _rect area_;
    int nbx_ = 0;
    int nameOffset_ = 0;
    int nby_ = 17;
    std::string helpAnchor_ = "_sentinels";
    int order_ = 0;
};

// Prepare; with a key, LoadOptions from the engine's store at key + "\" +
// name; Ignite; Start. For Speeders made while the engine runs.
_result Reignite(_speeder& speeder, const std::string& key);
// With a key, SaveOptions to the engine's store at key + "\" + name;
// Stop; Shutdown. The caller then removes the Speeder from its Sentinel.
_result Retire(_speeder& speeder, const std::string& key);

class _gspeeder : public _speeder {
public:
    explicit _gspeeder(_component* owner);
    ~_gspeeder() override;

    // ---- attributes
    _impulse& Graph() const noexcept { return *graph_; }
    const _speederlevels& Levels() const noexcept { return levels_; }
    void SetLevels(const _speederlevels& levels) noexcept { levels_ = levels; }
    // The tray as loaded ("tray_index") and the bar this Speeder drives
    // (-1 while it drives none).
    int TrayIndex() const noexcept { return trayIndex_; }
    int TrayBarIndex() const noexcept { return trayBarIndex_; }
    _traypulse* Tray() const noexcept { return tray_; }

    // ---- overrides
    _result Ignite() override;
    void Arrange(int left, int top, int width, int height) override;
    _result UpdateVisibility() override;
    _result Refresh(unsigned elapsed, bool forced) override;
    _result SaveOptions(const std::string& key, _lair& store) override;
    _result LoadOptions(const std::string& key, _lair& store) override;
    _result ShowError(const std::string& text) override;
    _result ShowNotice(const std::string& text) override;

    // ---- operations
    // One sample of `value` (on the graph's scale) in the state's colour,
    // on the graph and the attached tray bar; one repaint.
    void UpdateGauge(std::uint32_t value);
    // Leaves the error and notice states, then UpdateGauge.
    void SetGaugeValue(std::uint32_t value);
    // UpdateGauge with the newest sample again (after a state change).
    void RefreshGauge();
    // Drives bar `bar` (0 or 1) of `tray`; a bar driven before is let go at
    // position 0. _ERROR, logged, for bad input or a refused bar.
    _result AttachTray(_traypulse* tray, int bar);

private:
    // The graph's stored values as they stand now.
    _graphvalues GraphValues() const;
    // Lets go of the bar driven now, at position 0.
    void LeaveTray();
    void TrayAttached(_traypulse& tray, int bar);
    void TrayDetached(_traypulse& tray);

    int trayIndex_ = -1;
    int trayBarIndex_ = -1;
    _traypulse* tray_ = nullptr;  // cleared by the tray's detach handler
    _impulse* graph_ = nullptr;   // owned through the component list
    _speederlevels levels_;
};

class _tspeeder : public _speeder {
public:
    explicit _tspeeder(_component* owner);
    ~_tspeeder() override;

    _label& TextLabel() const noexcept { return *text_; }

    void Arrange(int left, int top, int width, int height) override;
    _result UpdateVisibility() override;
    _result ShowError(const std::string& text) override;
    _result ShowNotice(const std::string& text) override;

private:
    _label* text_ = nullptr;  // owned through the component list
};

}  // namespace corvex
