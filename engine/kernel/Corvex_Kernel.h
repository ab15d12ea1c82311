#pragma once
// TPULSE, the engine's bar window: it creates and plugs the built-in
// Sentinels, starts them behind the ignition window, drives them with one
// refresh timer, and stops, saves and lets them go at the end. What it
// delegates has a class of its own:
//
//   _corvexstate      the kernel's lifecycle
//   _ticksource       the millisecond clock of the refresh timer
//   TPULSE            the bar window: lifecycle, the Sentinels by role,
//                     their settings, showing and hiding
//   _kernelsettings   the bar's stored options (BarSettings.h)
//   _bardocking       snapping, the work area, positions per resolution
//                     (BarDocking.h)
//   _displaymodes     the display modes and the "screen" submenu
//                     (DisplayModes.h)
//   _barmenu          the popup menu's items and commands (BarMenu.h)
//   _freememcommand   the "free mem" command (FreeMemCommand.h)

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarSettings.h"
#include "Bitmap.h"
#include "BuiltinSentinels.h"
#include "Core_Zolt2.h"
#include "Form.h"
#include "KernelPort.h"
#include "LiveOptions.h"

namespace corvex {

class _about;
class _audiosentinel;
class _bardocking;
class _barmenu;
class _cpusentinel;
class _displaymodes;
class _drivessentinel;
class _freememcommand;
class _hotkey;
class _iftable;
class _ignite;
class _lair;
class _mailsentinel;
class _memsentinel;
class _metrics;
class _popupmenu;
class _sentinel;
class _speeder;
class _territory;
class _timer;
class _traycontainer;
class _traypulse;

enum _corvexstate : unsigned char {
    CORVEX_STARTING = 0,  // Sentinels being created; Launch allowed
    CORVEX_LAUNCHED = 1,  // timer running; the first show moves the bar
    CORVEX_RUNNING = 2,
    CORVEX_CLOSING = 3,   // closed by the user; a second close does nothing
    CORVEX_DOWN = 4,      // stopped and saved; Shutdown does nothing again
};

// GetTickCount unless a test puts another clock in.
using _ticksource = std::function<std::uint32_t()>;

class TPULSE : public _form, public _kernelport {
public:
    explicit TPULSE(_component* owner);
    ~TPULSE() override;

    // ---- components
    _timer& TIMER;
    _popupmenu& POP;
    _lair& _lair1;
    _territory& _territory1;
    _metrics& _metrics1;
    _hotkey& _hotkey1;
    _about& _about1;
    _imagelist MUSEUM;

    // ---- the parts the bar delegates to
    _barmenu& Menu() const noexcept { return *menu_; }
    _bardocking& Docking() const noexcept { return *docking_; }
    _displaymodes& DisplayModes() const noexcept { return *displayModes_; }
    _freememcommand& FreeMem() const noexcept { return *freeMem_; }

    // The windows the kernel does not own: the Designer and the Options
    // dialog are asked for through these.
    std::function<void()> OnDesignerRequest;
    std::function<void()> OnOptionsRequest;
    // A Sentinel took in or let go a Speeder while the bar runs (the
    // Designer's tree follows).
    std::function<void(_sentinel&, _speeder&)> OnSpeederAdded;
    std::function<void(_sentinel&, _speeder&)> OnSpeederRemoved;

    // ---- state
    _corvexstate State() const noexcept { return state_; }
    std::uint32_t LastTick() const noexcept { return lastTick_; }
    std::size_t SentinelCount() const noexcept { return sentinels_.size(); }
    _sentinel* Sentinels(std::size_t index) const noexcept {
        return index < sentinels_.size() ? sentinels_[index].sentinel : nullptr;
    }
    // A built-in Sentinel by its role; none when it was unplugged.
    _sentinel* Sentinel(_sentinelrole role) const noexcept { return roles_[role]; }
    _drivessentinel* DriveSentinel() const noexcept;
    _cpusentinel* CpuSentinel() const noexcept;
    _memsentinel* MemorySentinel() const noexcept;
    _audiosentinel* AudioSentinel() const noexcept;
    _mailsentinel* MailSentinel() const noexcept;
    const std::string& DataFolder() const noexcept { return dataFolder_; }
    const std::string& SkinFolder() const noexcept { return skinFolder_; }
    const _kernelsettings& Settings() const noexcept { return settings_; }
    int HiddenWidth() const noexcept { return hiddenWidth_; }
    _ignite* Ignition() const noexcept { return ignition_.get(); }
    const std::string& AboutVersion() const noexcept { return aboutVersion_; }
    // The bar's own copy of its options, which serves while no Options
    // dialog holds them (a bar made without the dialog).
    _liveoptions& LiveOptions() noexcept { return live_; }
    // The Options dialog: from Launch on its controls hold the options the
    // save reads and the "dock" box docking follows. nullptr: the bar's own
    // copy.
    _optionsholder* OptionsHolder() const noexcept { return holder_; }
    void SetOptionsHolder(_optionsholder* holder) noexcept { holder_ = holder; }

    void SetTickSource(_ticksource source);

    // ---- what Sentinels and Speeders ask of the bar
    std::string HelpFolder() const override { return helpFolder_; }
    std::string EngineDataFolder() const override { return dataFolder_; }
    _result OpenHelp(const std::string& file, const std::string& anchor) override;
    _popupmenu* PopupMenu() const noexcept override { return &POP; }
    // A gauge's double click does what the hot key does: show or hide.
    void ToggleBar() override { _hotkey1HotKey(); }
    _traycontainer* TrayContainer() const noexcept override { return trayContainer_; }
    // Made at the first request; expired at every tick.
    _iftable* InterfaceTable() override;
    _lair* Store() noexcept override { return &_lair1; }
    _result UpdateIgnition(const std::string& text) override;
    _result GetMuseumBitmap(_bitmap* image, int index) override;
    _result KERNEL_UpdateSize() override;
    void SpeederAdded(_sentinel& sentinel, _speeder& speeder) override { Raise(OnSpeederAdded, sentinel, speeder); }
    void SpeederRemoved(_sentinel& sentinel, _speeder& speeder) override {
        Raise(OnSpeederRemoved, sentinel, speeder);
    }

    // ---- lifecycle
    _result LoadData();
    _result PlugInternalSentinels();
    _result PlugExternalSentinels();
    _result PlugSentinel(_sentinel* sentinel, const std::string& name);
    _result Ignite();
    _result Launch();
    _result TIMERTimer();
    _result StartSentinels();
    _result RefreshSentinels();
    _result SetBackColor(_color color);
    _result SetUpdate(unsigned milliseconds);
    _result Shutdown();
    bool WMShutdownQuery();
    _result WMShutdown(bool ending);
    _result FormClose();
    _result FormShow();
    _result KERNEL_Minimize();

    // ---- settings, order and tray gauges
    _result LoadOptions();
    _result SaveOptions();
    _result UpdateOrder();
    _result FindSentinel(const _sentinel* sentinel, int& index) const;
    _result ExchangeSentinels(_sentinel* a, _sentinel* b);
    _result AddTray(_traypulse** tray);
    _result DelTray(_traypulse* tray);
    _result UpdateTrayColor(_traypulse* tray, int bar, _color foreground, _color background);

    // ---- layout and docking (Docking() and DisplayModes() do the work)
    _result AddScreenPosition(int x, int y, int xRes, int yRes);
    _result UpdateScreenPosition();
    _result UpdateBeyondScreen();
    _result UpdateDesktopArea(bool dock);
    _result SetOnTop(bool on);
    _result SetTransparency(int alpha);
    _result SetStick(int pixels);
    _result RetrieveResolutions();
    _result OnScreenResChange(_component* sender);
    _result SetScreenRes(int width, int height, int bits, int rate);

    // ---- menu and commands
    _result UpdateHideMenu(bool hidden);
    // A right click at the screen point (x, y): the Sentinel there gets the
    // menu's top item. The menu is shown only when `show`.
    _result WMNCRButtonDown(int x, int y, bool show = true);
    _result FreeMemMENUClick();
    _result HelpMENUClick();
    _result AboutMENUClick();
    _result ExitMENUClick();
    // Shows or hides the bar (a bar that started hidden gets its width back).
    _result HideMENUClick();
    // The global hot key and a tray gauge's double click: toggles the bar.
    _result _hotkey1HotKey();

protected:
    void Closed() override { FormClose(); }
    void Shown() override { FormShow(); }
    bool QueryEndSession() override { return WMShutdownQuery(); }
    void EndSession(bool ending) override { WMShutdown(ending); }
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool ShortCut(_shortcut code) override;

private:
    // A Sentinel in the list, under the name it was plugged with (empty
    // for the built-in ones).
    struct Entry {
        std::string name;
        _sentinel* sentinel;
    };

    void FormCreate();
    // The options as they start, from the settings: the bar's own copy,
    // and the Options dialog once it holds them.
    void FillLiveOptions();
    _liveoptions CurrentOptions() const { return holder_ ? holder_->Options() : live_; }
    bool DockTicked() const { return holder_ ? holder_->DockTicked() : live_.dock; }
    // Gives a bar that started hidden (and still is) its width back before
    // its bounds are kept.
    void KeepHiddenWidth();

    _corvexstate state_ = CORVEX_STARTING;
    std::uint32_t lastTick_ = 0;
    _ticksource tickSource_;
    std::vector<Entry> sentinels_;  // display order; the Sentinels are owned as components
    _sentinel* roles_[SENTINEL_BUILTIN_COUNT] = {};
    std::unique_ptr<_ignite> ignition_;
    std::unique_ptr<_barmenu> menu_;
    std::unique_ptr<_bardocking> docking_;
    std::unique_ptr<_displaymodes> displayModes_;
    std::unique_ptr<_freememcommand> freeMem_;
    std::unique_ptr<_iftable> interfaceTable_;
    std::string dataFolder_, skinFolder_, helpFolder_;
    _kernelsettings settings_;
    _liveoptions live_;
    _optionsholder* holder_ = nullptr;
    int hiddenWidth_ = 0;
    _traycontainer* trayContainer_ = nullptr;  // owned through the component list
    bool startedHidden_ = false;
    bool resizing_ = false;
    std::string aboutVersion_;
};

// Draws the built-in icon strip into `list` (the strip a skin replaces).
void DrawMuseumStrip(_imagelist& list);
// Replaces `list` with the 16 x 16 tiles of a strip bitmap, cut from the
// left, one per full 16 pixels of its width. _ERROR, and `list` unchanged,
// when the file cannot be read.
_result LoadSkinStrip(const std::string& file, _imagelist& list);

}  // namespace corvex
