#pragma once
// TPULSE, the engine's bar window: it creates and plugs the built-in
// Sentinels, starts them behind the ignition window, drives them with one
// refresh timer, and stops, saves and lets them go at the end.
//
//   _corvexstate      the kernel's lifecycle
//   _kernelsettings   the bar's stored options while it runs
//   _ticksource       the millisecond clock of the refresh timer
//   _physicalmemory   the machine's physical memory, for the free-memory command
//   TPULSE            the bar window: lifecycle, settings, layout and docking

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BarGeometry.h"
#include "Bitmap.h"
#include "Core_Zolt2.h"
#include "Form.h"
#include "KernelPort.h"
#include "LiveOptions.h"

namespace corvex {

class _about;
class _audiosentinel;
class _hotkey;
class _cpusentinel;
class _drivessentinel;
class _ignite;
class _lair;
class _mailsentinel;
class _memsentinel;
class _metrics;
class _menuitem;
class _popupmenu;
class _sentinel;
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

struct _kernelsettings {
    bool visible = true;
    int transparency = 255;
    _color backColor = COLOR_GRAY;
    unsigned update = 1000;  // refresh interval, milliseconds
    int hotkey = 0xC057;     // Ctrl+Alt+W
    int stick = 10;
    bool onTop = true;
    bool dock = false;
};

// GetTickCount unless a test puts another clock in.
using _ticksource = std::function<std::uint32_t()>;
// The total physical memory in bytes: the system's memory status unless a
// test puts another amount in.
using _physicalmemory = std::function<std::uint64_t()>;

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

    // ---- the items of POP, in menu order (the debug ones hidden and
    // disabled; nothing in the program shows them)
    _menuitem* HideMENU = nullptr;
    _menuitem* CpuMENU = nullptr;
    _menuitem* DesignerMENU = nullptr;
    _menuitem* OptionsMENU = nullptr;
    _menuitem* FreeMemMENU = nullptr;
    _menuitem* N2 = nullptr;
    _menuitem* ScreenMENU = nullptr;
    _menuitem* N3 = nullptr;
    _menuitem* StopStartSpeederMENU = nullptr;
    _menuitem* WANDebugMENU = nullptr;
    _menuitem* AddDriveMENU = nullptr;
    _menuitem* DelDriveMENU = nullptr;
    _menuitem* IconicaMENU = nullptr;
    _menuitem* DEBUGHideDrivesSentinel1 = nullptr;
    _menuitem* DEBUGShowDrivesSentinel1 = nullptr;
    _menuitem* ToggleMetersMENU = nullptr;
    _menuitem* N1 = nullptr;
    _menuitem* HelpMENU = nullptr;
    _menuitem* AboutMENU = nullptr;
    _menuitem* ExitMENU = nullptr;

    // The windows the kernel does not own: the Designer and the Options
    // dialog are asked for through these.
    std::function<void()> OnDesignerRequest;
    std::function<void()> OnOptionsRequest;

    // ---- state
    _corvexstate State() const noexcept { return state_; }
    std::uint32_t LastTick() const noexcept { return lastTick_; }
    std::size_t SentinelCount() const noexcept { return sentinels_.size(); }
    _sentinel* Sentinels(std::size_t index) const noexcept {
        return index < sentinels_.size() ? sentinels_[index].sentinel : nullptr;
    }
    const std::string& DataFolder() const noexcept { return dataFolder_; }
    const std::string& SkinFolder() const noexcept { return skinFolder_; }
    std::string HelpFolder() const override { return helpFolder_; }
    _result OpenHelp(const std::string& file, const std::string& anchor) override;
    _popupmenu* PopupMenu() const noexcept override { return &POP; }
    // A gauge's double click does what the hot key does: show or hide.
    void ToggleBar() override { _hotkey1HotKey(); }
    const _kernelsettings& Settings() const noexcept { return settings_; }
    int HiddenWidth() const noexcept { return hiddenWidth_; }
    _ignite* Ignition() const noexcept { return ignition_.get(); }
    // The Sentinels the menu and the log-off handler reach by role; empty
    // when unplugged.
    _drivessentinel* DriveSentinel() const noexcept { return drives_; }
    _cpusentinel* CpuSentinel() const noexcept { return cpu_; }
    _memsentinel* MemorySentinel() const noexcept { return memory_; }
    _audiosentinel* AudioSentinel() const noexcept { return audio_; }
    _mailsentinel* MailSentinel() const noexcept { return mail_; }
    const std::string& AboutVersion() const noexcept { return aboutVersion_; }
    _traycontainer* TrayContainer() const noexcept { return trayContainer_; }
    // The options as the Options dialog holds them; saved at shutdown.
    _liveoptions& LiveOptions() noexcept { return live_; }
    const _screenpositions& Positions() const noexcept { return positions_; }
    // Every display mode the driver lists: width, height, bits, rate.
    struct _resolution {
        int width, height, bits, rate;
    };
    const std::vector<_resolution>& Resolutions() const noexcept { return resolutions_; }
    // The item of the last right click on a Sentinel, or none.
    _menuitem* SpeederItem() const noexcept { return speederItem_; }
    // The bar's client position after its last move.
    _point LastPos() const noexcept { return lastPos_; }
    // The full-screen-set mark: the floating bar already gave the whole
    // screen back.
    bool FullScreenSet() const noexcept { return settings_.dock; }

    void SetTickSource(_ticksource source);
    void SetPhysicalMemorySource(_physicalmemory source);

    // ---- operations
    _result LoadData();
    _result PlugInternalSentinels();
    _result PlugExternalSentinels();
    _result PlugSentinel(_sentinel* sentinel, const std::string& name);
    _result Ignite();
    _result Launch();
    _result UpdateIgnition(const std::string& text) override;
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
    _result GetMuseumBitmap(_bitmap* image, int index) override;
    _result LoadOptions();
    _result SaveOptions();
    _result UpdateOrder();
    _result FindSentinel(const _sentinel* sentinel, int& index) const;
    _result ExchangeSentinels(_sentinel* a, _sentinel* b);
    _result AddTray(_traypulse** tray);
    _result DelTray(_traypulse* tray);
    _result UpdateTrayColor(_traypulse* tray, int bar, _color foreground, _color background);

    // ---- layout and docking
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
    // Fills half of the physical memory, so that the system moves idle pages
    // of other programs out, in 100 steps shown by a temporary row at the
    // end of the Memory Sentinel; the message loop runs between the steps.
    // _ERROR, and nothing done, without the Memory Sentinel, while it runs
    // already or once the bar is closing; _ERROR too when the memory could
    // not be had (the row goes again).
    _result FreeMemMENUClick();
    // After each step of the free-memory command (1 .. 100).
    std::function<void(unsigned step)> OnFreeMemStep;
    _result HelpMENUClick();
    _result AboutMENUClick();
    _result ExitMENUClick();
    _result KERNEL_UpdateSize() override;
    _lair* Store() noexcept override;
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
    struct Entry {
        std::string name;
        _sentinel* sentinel;
    };

    void FormCreate();
    void BuildMenu();
    void _metrics1ScreenChange();
    // Takes the free-memory command's temporary row out of the Memory Sentinel.
    void RemoveFreeMemRow(_speeder& row);
    // The options dialog's copy, filled from the settings.
    void FillLiveOptions();
    // The work area other windows get back when the bar does not dock.
    _workarea GivenBackArea() const;
    std::string ProgramFolder() const;

    _corvexstate state_ = CORVEX_STARTING;
    std::uint32_t lastTick_ = 0;
    _ticksource tickSource_;
    _physicalmemory physicalMemory_;
    bool freeingMemory_ = false;
    std::vector<Entry> sentinels_;
    std::unique_ptr<_ignite> ignition_;
    std::string dataFolder_, skinFolder_, helpFolder_;
    RECT savedWorkArea_{};
    bool workAreaSaved_ = false;
    _kernelsettings settings_;
    _liveoptions live_;
    _screenpositions positions_;
    std::vector<_resolution> resolutions_;
    _menuitem* depthItems_[5] = {};
    int hiddenWidth_ = 0;
    _point lastPos_;
    _menuitem* speederItem_ = nullptr;
    _traycontainer* trayContainer_ = nullptr;  // owned through the component list
    bool startedHidden_ = false;
    bool resizing_ = false;
    std::string aboutVersion_;
    _drivessentinel* drives_ = nullptr;
    _cpusentinel* cpu_ = nullptr;
    _memsentinel* memory_ = nullptr;
    _audiosentinel* audio_ = nullptr;
    _mailsentinel* mail_ = nullptr;
};

// Draws the built-in icon strip into `list` (the strip a skin replaces).
void DrawMuseumStrip(_imagelist& list);
// Replaces `list` with the 16 x 16 tiles of a strip bitmap, cut from the
// left, one per full 16 pixels of its width. _ERROR, and `list` unchanged,
// when the file cannot be read.
_result LoadSkinStrip(const std::string& file, _imagelist& list);

}  // namespace corvex
