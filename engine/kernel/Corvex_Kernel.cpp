#include "Corvex_Kernel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "About_Launcher_Zolt2.h"
#include "Application.h"
#include "AudioSentinel.h"
#include "CPU_Wizard_Launcher_Zolt2.h"
#include "Corvex_Ignition.h"
#include "Corvex_Tray.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "CpuSentinel.h"
#include "Debug_Zolt2.h"
#include "DriveSentinel.h"
#include "Error_Zolt2.h"
#include "FreeMemPlan.h"
#include "FsrSentinel.h"
#include "Handle.h"
#include "Help_Zolt2.h"
#include "Hotkey_Win32.h"
#include "KernelSentinel.h"
#include "Lair_Zolt2.h"
#include "LanSentinel.h"
#include "MailSentinel.h"
#include "MemorySentinel.h"
#include "Menu.h"
#include "Metrics_Win32.h"
#include "NetSentinel.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "SystemSentinel.h"
#include "TPanel_Zolt2.h"
#include "Timer.h"

namespace corvex {

namespace {

constexpr char kVersion[] = "0.5.3 build:1";

// The built-in Sentinels in plugging order; "-unplug=" names them by index.
struct _builtin {
    const char* className;
    const char* ignition;
    _sentinel& (*make)(TPULSE& owner);
};

template <class T>
_sentinel& MakeSentinel(TPULSE& owner) {
    return owner.Make<T>();
}

const _builtin kBuiltins[SENTINEL_BUILTIN_COUNT] = {
    {"_drivessentinel", "Plugging Drive Sentinel", &MakeSentinel<_drivessentinel>},
    {"_cpusentinel", "Plugging CPU Sentinel", &MakeSentinel<_cpusentinel>},
    {"_memsentinel", "Plugging Memory Sentinel", &MakeSentinel<_memsentinel>},
    {"_fsrsentinel", "Plugging FSR Sentinel", &MakeSentinel<_fsrsentinel>},
    {"_audiosentinel", "Plugging Audio Sentinel", &MakeSentinel<_audiosentinel>},
    {"_syssentinel", "Plugging System Sentinel", &MakeSentinel<_syssentinel>},
    {"_netsentinel", "Plugging Net Sentinel", &MakeSentinel<_netsentinel>},
    {"_kernelsentinel", "Plugging Kernel Sentinel", &MakeSentinel<_kernelsentinel>},
    {"_lansentinel", "Plugging LAN Sentinel", &MakeSentinel<_lansentinel>},
    {"_mailsentinel", "Plugging Mail Sentinel", &MakeSentinel<_mailsentinel>},
    {"_rassentinel", "Plugging RAS Sentinel", &MakeSentinel<_rassentinel>},
};

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t SystemTicks() { return GetTickCount(); }

std::uint64_t SystemPhysicalMemory() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status.dwTotalPhys;
}

// The free-memory command's block (GlobalAlloc).
struct GlobalMemoryTraits {
    using value_type = HGLOBAL;
    static value_type Invalid() noexcept { return nullptr; }
    static void Close(value_type h) noexcept { GlobalFree(h); }
};

// The bytes of a locked block, unlocked when it goes.
class _globallock {
public:
    explicit _globallock(HGLOBAL block) noexcept
        : block_(block), bytes_(static_cast<unsigned char*>(GlobalLock(block))) {}
    ~_globallock() {
        if (bytes_) GlobalUnlock(block_);
    }
    _globallock(const _globallock&) = delete;
    _globallock& operator=(const _globallock&) = delete;
    unsigned char* Bytes() const noexcept { return bytes_; }

private:
    HGLOBAL block_;
    unsigned char* bytes_;
};

// The free-memory row as long as it exists: the message loop runs between
// the command's steps, and the Designer can destroy the row meanwhile.
class _rowwatch final : public _component {
public:
    explicit _rowwatch(_speeder& row) : row_(&row) { row.FreeNotification(*this); }
    _speeder* Row() const noexcept { return row_; }

protected:
    void Notification(_component& destroyed) override {
        if (&destroyed == row_) row_ = nullptr;
    }

private:
    _speeder* row_;
};

}  // namespace

TPULSE::TPULSE(_component* owner)
    : _form(owner),
      TIMER(Make<_timer>()),
      POP(Make<_popupmenu>()),
      _lair1(Make<_lair>()),
      _territory1(Make<_territory>(Handle())),
      _metrics1(Make<_metrics>()),
      _hotkey1(Make<_hotkey>()),
      _about1(Make<_about>()),
      MUSEUM(16, 16, COLOR_FUCHSIA),
      tickSource_(&SystemTicks),
      physicalMemory_(&SystemPhysicalMemory) {
    TIMER.SetEnabled(false);
    TIMER.OnTimer = [this] { TIMERTimer(); };
    _lair1.SetPlace(LAIR_USER);
    _lair1.SetCompany("Brannock");
    _lair1.SetVer("0.0.1");
    _lair1.SetApp("corvex");
    _territory1.SetXMin(20);
    _territory1.SetYMin(100);
    _territory1.SetXMax(-1);
    _territory1.SetYMax(-1);
    _territory1.SetLair(&_lair1);

    SetBorderStyle(FORM_BORDER_NONE);
    SetBorderIcons(0);
    SetCaption("Corvex");
    SetClientSize(226, 100);
    SetColor(COLOR_TEAL);
    _fontspec font;
    font.name = "MS Sans Serif";
    font.height = -11;
    SetFont(font);
    // The bar takes no part in dialog navigation.
    SetDialogKeys(false);
    DrawMuseumStrip(MUSEUM);
    _hotkey1.OnHotKey = [this](_component&) { _hotkey1HotKey(); };
    _about1.SetAppName("corvex");
    _about1.SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
    BuildMenu();
    // The form is loaded: the keeper restores the stored bounds.
    LoadComponents();
    FormCreate();
}

TPULSE::~TPULSE() {
    Log(10, "TPULSE.Destroy: <-");
    Application().OnMinimize = nullptr;
    ignition_.reset();
    sentinels_.clear();
    Log(10, "TPULSE.Destroy: ->");
    // The Sentinels and the other components go while the bar is whole.
    DestroyComponents();
}

void TPULSE::SetTickSource(_ticksource source) { tickSource_ = source ? std::move(source) : &SystemTicks; }

void TPULSE::SetPhysicalMemorySource(_physicalmemory source) {
    physicalMemory_ = source ? std::move(source) : &SystemPhysicalMemory;
}

_lair* TPULSE::Store() noexcept { return &_lair1; }

std::string TPULSE::ProgramFolder() const {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    const std::size_t slash = folder.find_last_of("\\/");
    folder.erase(slash == std::string::npos ? 0 : slash + 1);
    return folder;
}

void TPULSE::FormCreate() {
    Log(10, "TPULSE.FormCreate: <-");
    state_ = CORVEX_STARTING;
    lastTick_ = tickSource_();

    ignition_ = std::make_unique<_ignite>(nullptr);
    ignition_->Open();

    const std::string folder = ProgramFolder();
    dataFolder_ = folder + "data\\";
    skinFolder_ = folder + "skin\\";
    helpFolder_ = folder + "help\\";

    // Every tray gauge the container makes belongs to the bar: its hint, its
    // menu, and a double click that shows or hides the bar.
    trayContainer_ = &Make<_traycontainer>();
    trayContainer_->OnAddTray = [this](_traypulse& tray) {
        tray.SetHint("Corvex");
        tray.SetPopupMenu(&POP);
        tray.OnDblClick = [this](_component&) { _hotkey1HotKey(); };
    };

    _metrics1.OnScreenChange = [this](_component&) { _metrics1ScreenChange(); };
    if (StartupOptions().DockingAllowed()) {
        workAreaSaved_ = SystemParametersInfoA(SPI_GETWORKAREA, 0, &savedWorkArea_, 0) != FALSE;
    }
    Application().OnMinimize = [this] { KERNEL_Minimize(); };

    Log(20, "TPULSE.FormCreate: creating screen resolutions list");
    Log(20, "TPULSE.FormCreate: retrieving screen resolutions");
    RetrieveResolutions();
    positions_.Clear();
    speederItem_ = nullptr;

    Log(10, "TPULSE.FormCreate: creating SENTINELS list");
    sentinels_.clear();
    settings_.visible = true;

    LoadData();
    PlugInternalSentinels();
    PlugExternalSentinels();
    Ignite();
    UpdateOrder();

    Log(20, "TPULSE.FormCreate: updating POP menu");
    UpdateHideMenu(!settings_.visible);
    Log(20, "TPULSE.FormCreate: setting visibility");
    if (settings_.visible) {
        if (Width() < 10) SetWidth(150);
        KERNEL_UpdateSize();
    } else {
        hiddenWidth_ = Width();
        startedHidden_ = true;
        SetWidth(0);
    }
    Log(10, "TPULSE.FormCreate: ->");
}

_result TPULSE::LoadData() {
    Log(10, "TPULSE.LoadData: <-");
    const std::string file = skinFolder_ + "default.bmp";
    _result result = _OK;
    if (FileExists(file)) {
        Log(20, "TPULSE.LoadData: Loading skin from \"%s\"", file.c_str());
        result = LoadSkinStrip(file, MUSEUM);
    }
    Log(10, "TPULSE.LoadData: -> (result=%d)", result);
    return result;
}

_result LoadSkinStrip(const std::string& file, _imagelist& list) {
    _bitmap skin;
    if (!skin.LoadFromFile(file)) return _ERROR;
    list.Clear();
    for (int x = 0; x + 16 <= skin.Width(); x += 16) {
        _bitmap tile(16, 16);
        tile.Canvas().CopyRect(_rect::Bounds(0, 0, 16, 16), skin.Canvas(), _rect::Bounds(x, 0, 16, 16), SRCCOPY);
        list.Add(tile);
    }
    return _OK;
}

_result TPULSE::PlugInternalSentinels() {
    Log(10, "TPULSE.PlugInternalSentinels: <-");
    const _startupoptions& options = StartupOptions();
    for (int index = 0; index < SENTINEL_BUILTIN_COUNT; ++index) {
        if (options.Unplugged(index)) continue;
        const _builtin& builtin = kBuiltins[index];
        Log(20, "TPULSE.PlugInternalSentinels: creating %s", builtin.className);
        UpdateIgnition(builtin.ignition);
        _sentinel& sentinel = builtin.make(*this);
        switch (index) {
            case 0: drives_ = static_cast<_drivessentinel*>(&sentinel); break;
            case 1: cpu_ = static_cast<_cpusentinel*>(&sentinel); break;
            case 2: memory_ = static_cast<_memsentinel*>(&sentinel); break;
            case 4: audio_ = static_cast<_audiosentinel*>(&sentinel); break;
            case 9: mail_ = static_cast<_mailsentinel*>(&sentinel); break;
            default: break;
        }
        PlugSentinel(&sentinel, std::string());
    }
    UpdateIgnition("Initialising...");

    _lair1.SetKey("Sentinels\\");
    for (const Entry& entry : sentinels_) {
        _lair1.PushKey();
        // Opening the key creates it: every Sentinel has its key from now on.
        _lair1.SetKey("Sentinels\\" + entry.sentinel->Caption());
        _lair1.PopKey();
        entry.sentinel->PlugSpeeders();
    }
    Log(10, "TPULSE.PlugInternalSentinels: -> %d", _OK);
    return _OK;
}

_result TPULSE::PlugExternalSentinels() {
    Log(10, "TPULSE.PlugExternalSentinels: <-");
    Log(10, "TPULSE.PlugExternalSentinels: -> %d", _OK);
    return _OK;
}

_result TPULSE::PlugSentinel(_sentinel* sentinel, const std::string& name) {
    if (Check(!sentinel, "TPULSE.PlugSentinel(%p,%s): NIL _sentinel", static_cast<void*>(sentinel),
              name.c_str()) == DEBUG_ASSERT)
        return _ERROR;
    int y = 0;
    if (!sentinels_.empty()) {
        const _sentinel& previous = *sentinels_.back().sentinel;
        y = previous.Top() + previous.Height();
    }
    sentinels_.push_back(Entry{name, sentinel});
    sentinel->ArrangeSpeeders(0, y, -1, -1);
    return _OK;
}

_result TPULSE::Ignite() {
    Log(10, "TPULSE.Ignite: <-");
    Log(20, "TPULSE.Ignite: Boosting priority to THREAD_PRIORITY_HIGHEST");
    if (!SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST))
        Log(20, "TPULSE.Ignite: Could not change priority (%s)", LastErrorText().c_str());
    for (const Entry& entry : sentinels_) entry.sentinel->PrepareSpeeders();
    LoadOptions();
    aboutVersion_ = kVersion;
    _about1.SetVersion(kVersion);
    Log(10, "TPULSE.Ignite: ->");
    return _OK;
}

_result TPULSE::Launch() {
    Log(10, "TPULSE.Launch: <-");
    if (Check(state_ != CORVEX_STARTING, "TPULSE.Launch: not in CORVEX_STARTING state") == DEBUG_ASSERT)
        return _ERROR;
    SetBackColor(settings_.backColor);
    SetUpdate(settings_.update);
    _hotkey1.SetHotKey(static_cast<_shortcut>(settings_.hotkey));
    // The Options dialog's "dock" box is ticked only where docking is
    // allowed; the bar docks from that box, not from the stored flag, whose
    // field serves from here on as the full-screen-set mark.
    FillLiveOptions();
    settings_.dock = false;
    UpdateDesktopArea(live_.dock);
    if (UpdateScreenPosition() != _OK) UpdateBeyondScreen();

    StartSentinels();
    KERNEL_UpdateSize();
    RefreshSentinels();
    lastPos_ = _point{Left(), Top()};
    TIMER.SetEnabled(true);
    ignition_.reset();

    SetOnTop(settings_.onTop);
    SetTransparency(settings_.transparency);
    state_ = CORVEX_LAUNCHED;
    Log(10, "TPULSE.Launch: ->");
    return _OK;
}

_result TPULSE::UpdateIgnition(const std::string& text) {
    if (state_ != CORVEX_STARTING) return _ERROR;
    if (Check(!ignition_, "TPULSE.UpdateIgnition(%s): _ignite1=NIL", text.c_str()) == DEBUG_ASSERT) return _ERROR;
    ignition_->SetText(text);
    return _OK;
}

_result TPULSE::TIMERTimer() {
    const std::uint32_t now = tickSource_();
    // Unsigned: across the counter's wrap the difference is still the
    // true small one.
    const std::uint32_t elapsed = now - lastTick_;
    for (const Entry& entry : sentinels_) {
        Log(20, "TPULSE.TIMERTimer: Refreshing \"%s\"", entry.sentinel->Caption().c_str());
        entry.sentinel->RefreshSpeedersPulse(elapsed);
    }
    lastTick_ = now;
    return _OK;
}

_result TPULSE::StartSentinels() {
    for (const Entry& entry : sentinels_) {
        _sentinel& sentinel = *entry.sentinel;
        sentinel.Ignite();
        sentinel.SignalSpeeders(SIGNAL_IGNITE);
        sentinel.SignalSpeeders(SIGNAL_START);
        sentinel.Start();
    }
    return _OK;
}

_result TPULSE::RefreshSentinels() {
    for (const Entry& entry : sentinels_) entry.sentinel->RefreshSpeedersPulse(1);
    return _OK;
}

_result TPULSE::SetBackColor(_color color) {
    settings_.backColor = color;
    for (const Entry& entry : sentinels_) entry.sentinel->SetColor(color);
    return _OK;
}

_result TPULSE::SetUpdate(unsigned milliseconds) {
    settings_.update = milliseconds;
    TIMER.SetInterval(milliseconds);
    return _OK;
}

_result TPULSE::Shutdown() {
    Log(10, "TPULSE.Shutdown: <-");
    if (state_ == CORVEX_DOWN) return _OK;
    TIMER.SetEnabled(false);
    // Closed between the steps of a free-memory command: its temporary row
    // goes first, it is no setting to save.
    if (freeingMemory_ && memory_)
        for (std::size_t i = memory_->SpeederCount(); i-- > 0;)
            if (auto* row = dynamic_cast<_smemfree*>(memory_->Speeders(i))) RemoveFreeMemRow(*row);
    for (const Entry& entry : sentinels_) {
        _sentinel& sentinel = *entry.sentinel;
        Log(20, "TPULSE.Shutdown: stopping _sentinel: %s", sentinel.Caption().c_str());
        sentinel.Stop();
        sentinel.SignalSpeeders(SIGNAL_STOP);
        sentinel.SignalSpeeders(SIGNAL_SHUTDOWN);
        Log(20, "TPULSE.Shutdown: shutting down _sentinel: %s", sentinel.Caption().c_str());
        sentinel.Shutdown();
    }
    SaveOptions();
    if (StartupOptions().DockingAllowed() && workAreaSaved_) {
        // Only a changed work area is set back: setting it tells every
        // window on the desktop.
        RECT now{};
        if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &now, 0) && !EqualRect(&now, &savedWorkArea_))
            SystemParametersInfoA(SPI_SETWORKAREA, 0, &savedWorkArea_, SPIF_SENDCHANGE);
    }
    state_ = CORVEX_DOWN;
    Log(10, "TPULSE.Shutdown: ->");
    return _OK;
}

bool TPULSE::WMShutdownQuery() {
    Log(10, "TPULSE.WMShutdownQuery: <-");
    if (audio_) audio_->ReleaseMixer();
    if (mail_) mail_->KillAccounts();
    Log(10, "TPULSE.WMShutdownQuery: ->");
    return true;
}

_result TPULSE::WMShutdown(bool ending) {
    Log(10, "TPULSE.WMShutdown: <-");
    // A log-off another program cancelled leaves the bar running.
    if (ending && state_ != CORVEX_CLOSING && state_ != CORVEX_DOWN) {
        try {
            _territory1.Save();
        } catch (const _registryerror& error) {
            Log(1, "ERROR: TPULSE.WMShutdown: %s", error.what());
        }
        Shutdown();
    }
    Log(10, "TPULSE.WMShutdown: ->");
    return _OK;
}

_result TPULSE::FormClose() {
    if (state_ == CORVEX_CLOSING || state_ == CORVEX_DOWN) return _OK;
    state_ = CORVEX_CLOSING;
    Log(10, "Shutting down...");
    return Shutdown();
}

_result TPULSE::FormShow() {
    if (state_ != CORVEX_LAUNCHED) return _OK;
    _lair1.PushKey();
    _lair1.SetKey("Desposition");
    const int left = _lair1.ReadInteger("X", Left());
    const int top = _lair1.ReadInteger("Y", Top());
    _lair1.PopKey();
    SetBounds(left, top, Width(), Height());
    state_ = CORVEX_RUNNING;
    return _OK;
}

_result TPULSE::KERNEL_Minimize() {
    Log(10, "TPULSE.KERNEL_Minimize: <-");
    Application().Restore();
    Log(10, "TPULSE.KERNEL_Minimize: ->");
    return _OK;
}

_result TPULSE::GetMuseumBitmap(_bitmap* image, int index) {
    if (Check(!image || index < 0 || index >= MUSEUM.Count(), "TPULSE.GetMuseumBitmap(%p,%d): invalid input",
              static_cast<void*>(image), index) == DEBUG_ASSERT)
        return _ERROR;
    return MUSEUM.GetBitmap(index, *image) ? _OK : _ERROR;
}

_result TPULSE::LoadOptions() {
    Log(10, "TPULSE.LoadOptions: <-");
    _lair1.SetKey("Options");
    settings_.visible = _lair1.ReadBool("Visible", settings_.visible);
    settings_.transparency = _lair1.ReadInteger("Transparency", settings_.transparency);
    settings_.backColor = static_cast<_color>(_lair1.ReadInteger("Back Color", static_cast<int>(settings_.backColor)));
    const int update = _lair1.ReadInteger("Update", static_cast<int>(settings_.update));
    // A stored interval below the dialog's smallest keeps the default.
    if (update >= 100) settings_.update = static_cast<unsigned>(update);
    settings_.hotkey = _lair1.ReadInteger("Hotkey", settings_.hotkey);
    settings_.stick = _lair1.ReadInteger("Stick", settings_.stick);
    settings_.onTop = _lair1.ReadBool("OnTop", settings_.onTop);
    settings_.dock = _lair1.ReadBool("dock", settings_.dock);
    FillLiveOptions();

    Log(20, "TPULSE.LoadOptions: loading TrayContainer...");
    trayContainer_->Load(&_lair1);

    Log(20, "TPULSE.LoadOptions: retrieving Screen Resolutions...");
    _lair1.PushKey();
    _lair1.SetKey("Screen");
    std::vector<std::string> names;
    if (_lair1.Open()) _lair1.Hive().GetKeyNames(names);
    for (const std::string& name : names) {
        // The values, not the key's name, say which resolution it is.
        _lair1.SetKey("Screen\\" + name);
        AddScreenPosition(_lair1.ReadInteger("X", 0), _lair1.ReadInteger("Y", 0), _lair1.ReadInteger("XRes", 0),
                          _lair1.ReadInteger("YRes", 0));
    }
    _lair1.PopKey();

    Log(20, "TPULSE.LoadOptions: loading Sentinels and Speeders...");
    _lair1.SetKey("Sentinels\\");
    for (std::size_t i = 0; i < sentinels_.size(); ++i) {
        _sentinel& sentinel = *sentinels_[i].sentinel;
        _lair1.PushKey();
        _lair1.SetKey(_lair1.Key() + sentinel.Caption());
        sentinel.SetOrder(_lair1.ReadInteger("order", static_cast<int>(i)));
        sentinel.LoadOptions(_lair1.Key(), _lair1);
        _lair1.PopKey();
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
        // A bar that started hidden is a shown window of width 0: stored as shown.
        _lair1.WriteBool("Visible", Visible());
        _lair1.WriteInteger("Transparency", live_.transparency);
        _lair1.WriteInteger("Back Color", static_cast<int>(live_.backColor));
        _lair1.WriteInteger("Update", static_cast<int>(live_.update));
        _lair1.WriteInteger("Hotkey", live_.hotkey);
        _lair1.WriteInteger("Stick", live_.stick);
        _lair1.WriteBool("OnTop", live_.onTop);
        _lair1.WriteBool("dock", live_.dock);

        Log(20, "TPULSE.SaveOptions: saving TrayContainer...");
        if (trayContainer_->Save(&_lair1) != _OK) result = _ERROR;

        Log(20, "TPULSE.SaveOptions: saving Screen Resolutions positions...");
        // The present position, recorded for the present resolution.
        AddScreenPosition(Left(), Top(), _metrics1.ScreenX(), _metrics1.ScreenY());
        _lair1.PushKey();
        for (int i = 0; i < positions_.Count(); ++i) {
            const _screenposition& position = positions_[i];
            _lair1.SetKey("Screen\\" + std::to_string(position.xRes) + "x" + std::to_string(position.yRes));
            _lair1.WriteInteger("X", position.x);
            _lair1.WriteInteger("Y", position.y);
            _lair1.WriteInteger("XRes", position.xRes);
            _lair1.WriteInteger("YRes", position.yRes);
        }
        _lair1.PopKey();

        Log(20, "TPULSE.SaveOptions: saving Sentinels and Speeders...");
        _lair1.SetKey("Sentinels\\");
        for (std::size_t i = 0; i < sentinels_.size(); ++i) {
            _sentinel& sentinel = *sentinels_[i].sentinel;
            _lair1.PushKey();
            _lair1.SetKey(_lair1.Key() + sentinel.Caption());
            _lair1.WriteInteger("order", static_cast<int>(i));
            sentinel.SaveOptions(_lair1.Key(), _lair1);
            _lair1.PopKey();
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
    live_.dock = settings_.dock && StartupOptions().DockingAllowed();
}

// ---- layout and docking

_result TPULSE::AddScreenPosition(int x, int y, int xRes, int yRes) {
    bool updated = false;
    const int index = positions_.Add(x, y, xRes, yRes, &updated);
    Log(20, updated ? "TPULSE.AddScreenPosition(%d,%d,%d,%d): updated index %d"
                    : "TPULSE.AddScreenPosition(%d,%d,%d,%d): added index %d",
        x, y, xRes, yRes, index);
    return _OK;
}

_result TPULSE::UpdateScreenPosition() {
    const int index = positions_.Find(_metrics1.ScreenX(), _metrics1.ScreenY());
    if (index < 0) {
        Log(20, "TPULSE.UpdateScreenPosition: not updated");
        return _ERROR;
    }
    Log(20, "TPULSE.UpdateScreenPosition: updated from index %d", index);
    // Back where the user left it under this resolution (kept on the
    // screen should the record be odd).
    const int x = _metrics1.ScreenX(), y = _metrics1.ScreenY();
    SetBounds(KeepOnScreen(positions_[index].x, Width(), x, x), KeepOnScreen(positions_[index].y, Height(), y, y),
              Width(), Height());
    return _OK;
}

_result TPULSE::UpdateBeyondScreen() {
    // No position recorded for this resolution: a bar docked at the right
    // edge stays docked there, any other is brought (back) onto the screen.
    SetBounds(KeepOnScreen(Left(), Width(), _metrics1.OldScreenX(), _metrics1.ScreenX()),
              KeepOnScreen(Top(), Height(), _metrics1.OldScreenY(), _metrics1.ScreenY()), Width(), Height());
    Log(20, "TPULSE.UpdateBeyondScreen: new (%d,%d)", Left(), Top());
    return _OK;
}

void TPULSE::_metrics1ScreenChange() {
    Log(10, "TPULSE._metrics1ScreenChange: <-");
    // Where the bar stood under the resolution just left.
    AddScreenPosition(lastPos_.x, lastPos_.y, _metrics1.OldScreenX(), _metrics1.OldScreenY());
    if (UpdateScreenPosition() != _OK) UpdateBeyondScreen();
    Log(10, "TPULSE._metrics1ScreenChange: ->");
}

_workarea TPULSE::GivenBackArea() const {
    // The area found at start keeps the task bar's own reservation; the
    // whole screen would let maximised windows cover the task bar.
    if (workAreaSaved_)
        return _workarea{savedWorkArea_.left, savedWorkArea_.top, savedWorkArea_.right, savedWorkArea_.bottom};
    return _workarea{0, 0, _metrics1.ScreenX(), _metrics1.ScreenY()};
}

_result TPULSE::UpdateDesktopArea(bool dock) {
    if (!StartupOptions().DockingAllowed()) return _OK;
    const int screenX = _metrics1.ScreenX(), screenY = _metrics1.ScreenY();
    if (!live_.dock) {
        // Unticking the box gives the desktop back; a mere move does not.
        if (!dock) {
            _metrics1.Update();
            if (!(_metrics1.WorkArea() == GivenBackArea())) _metrics1.SetWorkArea(GivenBackArea());
            settings_.dock = false;
        }
        return _OK;
    }
    if (PlaceOfBar(Left(), Width(), screenX) == BAR_FLOATING) {
        // Given back once when the bar leaves the edge, then left alone.
        if (!settings_.dock) {
            _metrics1.SetWorkArea(GivenBackArea());
            settings_.dock = true;
        }
        return _OK;
    }
    const _workarea area = DesktopAreaFor(Left(), Width(), screenX, screenY);
    _metrics1.SetWorkArea(area);
    if (_metrics1.Error() != _OK)
        Log(1, "TPULSE.UpdateDesktopArea(%d): ERROR: %s", dock, _metrics1.ErrorStr().c_str());
    else
        Log(10, "TPULSE.UpdateDesktopArea(%d): (%d,%d-%d,%d)", dock, area.left, area.top, area.right, area.bottom);
    settings_.dock = false;
    return _metrics1.Error();
}

_result TPULSE::SetOnTop(bool on) {
    settings_.onTop = on;
    _form::SetOnTop(on);
    return _OK;
}

_result TPULSE::SetTransparency(int alpha) {
    alpha = std::clamp(alpha, 0, 255);
    settings_.transparency = alpha;
    // Opaque: the alpha first, then the style goes. Translucent: the style
    // first, since the alpha applies only to a layered window.
    if (alpha == 255) {
        SetWindowAlpha(Handle(), 255);
        SetLayered(false);
    } else {
        SetLayered(true);
        SetWindowAlpha(Handle(), static_cast<unsigned char>(alpha));
    }
    return _OK;
}

_result TPULSE::SetStick(int pixels) {
    if (pixels < 0 || pixels > 100) return _ERROR;
    settings_.stick = pixels;
    return _OK;
}

LRESULT TPULSE::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_WINDOWPOSCHANGING: {
            auto* position = reinterpret_cast<WINDOWPOS*>(lparam);
            if (position && !(position->flags & SWP_NOMOVE)) {
                const int cx = (position->flags & SWP_NOSIZE) ? Width() : position->cx;
                const int cy = (position->flags & SWP_NOSIZE) ? Height() : position->cy;
                position->x = SnapToEdge(position->x, cx, _metrics1.ScreenX(), settings_.stick);
                position->y = SnapToEdge(position->y, cy, _metrics1.ScreenY(), settings_.stick);
                Log(110, "TPULSE.WMWindowPosChanging: (%d,%d)", position->x, position->y);
            }
            break;
        }
        case WM_MOVE:
            lastPos_ = _point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
            Log(105, "TPULSE.WMMove: (%d,%d)", lastPos_.x, lastPos_.y);
            _form::WndProc(message, wparam, lparam);
            UpdateDesktopArea(true);
            return 0;
        case WM_SIZE: {
            const LRESULT result = _form::WndProc(message, wparam, lparam);
            Log(80, "TPULSE.FormResize: (%d,%d)", Width(), Height());
            // Laying out sets the height, which comes back here once more.
            if (!resizing_) {
                resizing_ = true;
                KERNEL_UpdateSize();
                resizing_ = false;
            }
            return result;
        }
        case WM_NCHITTEST: {
            const LRESULT hit = _form::WndProc(message, wparam, lparam);
            if (hit != HTCLIENT) return hit;
            POINT origin{0, 0};
            ClientToScreen(Handle(), &origin);
            const int px = static_cast<short>(LOWORD(lparam)), py = static_cast<short>(HIWORD(lparam));
            const int w = Width(), h = Height();
            const bool withinHeight = origin.y <= py && py <= origin.y + h;
            if (withinHeight && origin.x <= px && px <= origin.x + 10) return HTLEFT;
            if (withinHeight && origin.x + w - 10 <= px && px <= origin.x + w) return HTRIGHT;
            return HTCAPTION;
        }
        case WM_NCRBUTTONDOWN: {
            _form::WndProc(message, wparam, lparam);
            WMNCRButtonDown(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
            return 0;
        }
        case WM_ERASEBKGND:
            // The Sentinels paint the whole surface.
            return 1;
        default:
            break;
    }
    return _form::WndProc(message, wparam, lparam);
}

_result TPULSE::HideMENUClick() {
    if (startedHidden_) {
        startedHidden_ = false;
        SetWidth(hiddenWidth_ < 10 ? 150 : hiddenWidth_);
        KERNEL_UpdateSize();
        settings_.visible = true;
        UpdateHideMenu(false);
        Show();
    } else if (Visible()) {
        UpdateHideMenu(true);
        Hide();
    } else {
        UpdateHideMenu(false);
        Show();
    }
    return _OK;
}

// ---- menu and commands

void TPULSE::BuildMenu() {
    _menuitem& root = POP.Items();
    const auto item = [&root](const char* caption, _shortcut shortcut, std::function<void()> click) {
        _menuitem& made = root.Add(caption, shortcut);
        if (click) made.OnClick = [click](_menuitem&) { click(); };
        return &made;
    };
    const auto debug = [&](const char* caption, _shortcut shortcut, std::function<void()> click) {
        _menuitem* made = item(caption, shortcut, std::move(click));
        made->SetVisible(false);
        made->SetEnabled(false);
        return made;
    };
    constexpr _shortcut ctrl = SHORTCUT_CTRL, shiftCtrl = SHORTCUT_SHIFT | SHORTCUT_CTRL;
    HideMENU = item("&hide", ctrl | 'H', [this] { HideMENUClick(); });
    CpuMENU = item("&cpu...", ctrl | 'C', [] { LaunchCpuInfo(); });
    DesignerMENU = item("&designer...", ctrl | 'D', [this] {
        if (OnDesignerRequest) OnDesignerRequest();
    });
    OptionsMENU = item("&options...", ctrl | 'O', [this] {
        if (OnOptionsRequest) OnOptionsRequest();
    });
    FreeMemMENU = item("&free mem...", SHORTCUT_SHIFT | SHORTCUT_ALT | VK_BACK, [this] { FreeMemMENUClick(); });
    N2 = item("-", SHORTCUT_NONE, nullptr);
    ScreenMENU = item("&screen", SHORTCUT_NONE, nullptr);
    N3 = item("-", SHORTCUT_NONE, nullptr);
    StopStartSpeederMENU = debug("debug: stop/start _speeder", ctrl | 'Z', [this] {
        _speeder* first = cpu_ ? cpu_->Speeders(0) : nullptr;
        if (!first) return;
        if (first->Stopped())
            first->Start();
        else
            first->Stop();
    });
    WANDebugMENU = debug("debug: set desktop area", shiftCtrl | VK_F7, [] {});
    AddDriveMENU = debug("[DEBUG] Add Drive", shiftCtrl | VK_F4, nullptr);
    DelDriveMENU = debug("[DEBUG] Delete Drive", shiftCtrl | VK_F5, [this] {
        if (!drives_ || drives_->KillSpeederByIndex(0) != _OK) return;
        drives_->ArrangeSpeeders(drives_->Left(), drives_->Top(), -1, -1);
        KERNEL_UpdateSize();
    });
    IconicaMENU = debug("[DEBUG] Trigger Icon", shiftCtrl | VK_F10, [this] {
        if (_speeder* fourth = drives_ ? drives_->Speeders(3) : nullptr) fourth->UpdateIcon();
    });
    DEBUGHideDrivesSentinel1 = debug("[DEBUG] Hide Drives Sentinel", shiftCtrl | VK_F9, [this] {
        if (drives_) drives_->Hide();
    });
    DEBUGShowDrivesSentinel1 = debug("[DEBUG] Show Drives Sentinel", shiftCtrl | VK_F8, [this] {
        if (drives_) drives_->Show();
    });
    ToggleMetersMENU = debug("[DEBUG] Toggle Meters", shiftCtrl | VK_F3, [this] {
        for (const Entry& entry : sentinels_) {
            _sentinel& sentinel = *entry.sentinel;
            for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i) sentinel.Speeders(i)->ToggleOption(SPEEDER_METERS);
            sentinel.ArrangeSpeeders(sentinel.Left(), sentinel.Top(), -1, -1);
        }
        KERNEL_UpdateSize();
    });
    N1 = item("-", SHORTCUT_NONE, nullptr);
    N1->SetVisible(false);
    HelpMENU = item("hel&p", VK_F1, [this] { HelpMENUClick(); });
    AboutMENU = item("&about...", ctrl | VK_F1, [this] { AboutMENUClick(); });
    ExitMENU = item("e&xit", ctrl | 'W', [this] { ExitMENUClick(); });
}

_result TPULSE::UpdateHideMenu(bool hidden) {
    HideMENU->SetCaption(hidden ? "&show" : "&hide");
    HideMENU->SetDefault(hidden);
    HideMENU->SetShortCut(SHORTCUT_CTRL | 'H');
    return _OK;
}

bool TPULSE::ShortCut(_shortcut code) {
    // Only while the bar is the active window; otherwise the key is not ours.
    if (!Handle() || GetActiveWindow() != Handle()) return false;
    return POP.DispatchShortCut(code);
}

_result TPULSE::WMNCRButtonDown(int x, int y, bool show) {
    Log(50, "TPULSE.WMNCRButtonDown: (%d,%d)", x, y);
    for (const Entry& entry : sentinels_) {
        _sentinel& sentinel = *entry.sentinel;
        if (!sentinel.Visible() || !PointInClient(x, y, sentinel)) continue;
        POINT point{x, y};
        ScreenToClient(sentinel.Handle(), &point);
        Log(50, "TPULSE.WMNCRButtonDown: Sentinel hit: \"%s (%d,%d)\"", sentinel.Caption().c_str(),
            static_cast<int>(point.x), static_cast<int>(point.y));
        _menuitem& root = POP.Items();
        if (speederItem_) {
            // The item of the previous click, and the separator below it.
            root.Remove(*speederItem_);
            speederItem_ = nullptr;
            if (root.Count() && root.Items(0)->IsSeparator()) root.Remove(*root.Items(0));
        }
        _menuitem& item = root.Insert(0, sentinel.Caption());
        speederItem_ = &item;
        if (sentinel.BuildSpeederMenu(item, point.x, point.y) != _OK) {
            item.Clear();
            item.SetEnabled(false);
        }
        root.Insert(1, "-");
        break;
    }
    if (show) POP.Popup(x, y);
    return _OK;
}

_result TPULSE::FreeMemMENUClick() {
    // The message loop runs between the steps: the short-cut again, or a
    // click on a bar that is closing, must not start a second run.
    if (!memory_ || freeingMemory_ || state_ == CORVEX_CLOSING || state_ == CORVEX_DOWN) return _ERROR;
    Log(10, "TPULSE.FreeMemMENUClick: <-");
    freeingMemory_ = true;
    const std::uint64_t size = physicalMemory_() / 2;

    // A timer that was off (a bar not yet launched) stays off.
    const bool ticking = TIMER.Enabled();
    TIMER.SetEnabled(false);
    _smemfree& row = memory_->Make<_smemfree>();
    memory_->AddSpeeder(&row);
    Reignite(row, std::string());
    KERNEL_UpdateSize();
    Repaint();

    _result result = _ERROR;
    {
        _rowwatch watch(row);
        const bool wasTerminated = Application().Terminated();
        // A block larger than the address space is one that cannot be had.
        const _handle<GlobalMemoryTraits> block(
            size <= SIZE_MAX ? GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(size)) : nullptr);
        if (block) {
            const _globallock lock(block.get());
            for (unsigned step = 0; lock.Bytes() && step < FREEMEM_STEPS && watch.Row(); ++step) {
                result = _OK;
                watch.Row()->RefreshPulse(1);
                const _fillrange range = FreeMemStep(size, step, FREEMEM_STEPS);
                std::memset(lock.Bytes() + range.begin, 0xAA, static_cast<std::size_t>(range.end - range.begin));
                if (OnFreeMemStep) OnFreeMemStep(step + 1);
                Application().ProcessMessages();
                // Closed meanwhile (or the program is ending): stop touching.
                if (state_ == CORVEX_CLOSING || state_ == CORVEX_DOWN) break;
                if (!wasTerminated && Application().Terminated()) break;
            }
        }

        if (_speeder* left = watch.Row()) RemoveFreeMemRow(*left);
    }
    KERNEL_UpdateSize();
    if (ticking && state_ != CORVEX_CLOSING && state_ != CORVEX_DOWN) TIMER.SetEnabled(true);
    freeingMemory_ = false;
    Log(10, "TPULSE.FreeMemMENUClick: -> (result=%d)", result);
    return result;
}

void TPULSE::RemoveFreeMemRow(_speeder& row) {
    Retire(row, std::string());
    // Looked up rather than taken as the last: the Designer may have moved
    // it while the command ran.
    int index = -1;
    if (memory_->FindSpeeder(&row, index) == _OK)
        memory_->KillSpeederByIndex(index);
    else
        memory_->Destroy(&row);
}

_result TPULSE::HelpMENUClick() {
    const std::string file = helpFolder_ + "corvex_main.htm";
    Log(40, "TPULSE.HelpMENUClick: requesting help %s", file.c_str());
    return OpenHelp(file, {});
}

_result TPULSE::OpenHelp(const std::string& file, const std::string& anchor) {
    // A help component per request: it looks the browser up afresh, so a
    // browser installed while the bar runs is found.
    _help& help = Make<_help>();
    help.SetHelpFile(file);
    const _result result = help.OpenPage(anchor);
    Destroy(&help);
    return result;
}

_result TPULSE::AboutMENUClick() { return _about1.Execute(); }

_result TPULSE::ExitMENUClick() {
    Close();
    return _OK;
}

// ---- display modes

_result TPULSE::RetrieveResolutions() {
    resolutions_.clear();
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        const _resolution found{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)};
        resolutions_.push_back(found);
        const char* depth = ColorDepthCaption(found.bits);
        if (!depth) continue;
        int row = 0;
        for (const int bits : {4, 8, 16, 24, 32}) {
            if (bits == found.bits) break;
            ++row;
        }
        if (!depthItems_[row]) depthItems_[row] = &ScreenMENU->Add(depth);
        _menuitem& item = depthItems_[row]->Add(ResolutionCaption(found.width, found.height, found.rate));
        item.SetTag(static_cast<int>(i));
        item.OnClick = [this](_menuitem& sender) { OnScreenResChange(&sender); };
    }
    return _OK;
}

_result TPULSE::OnScreenResChange(_component* sender) {
    auto* item = dynamic_cast<_menuitem*>(sender);
    if (!item) return _ERROR;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (item->Tag() < 0 || !EnumDisplaySettingsA(nullptr, static_cast<DWORD>(item->Tag()), &mode)) return _ERROR;
    const _result result = SetScreenRes(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                        static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency));
    Log(20, "TPULSE.OnScreenResChange: %dx%d %dbits %dhz", static_cast<int>(mode.dmPelsWidth),
        static_cast<int>(mode.dmPelsHeight), static_cast<int>(mode.dmBitsPerPel),
        static_cast<int>(mode.dmDisplayFrequency));
    return result;
}

_result TPULSE::SetScreenRes(int width, int height, int bits, int rate) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmDisplayFrequency = static_cast<DWORD>(rate);
    switch (ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY)) {
        case DISP_CHANGE_SUCCESSFUL:
            return _OK;
        case DISP_CHANGE_RESTART:
            if (QuestionBox("Box must be restarted", "Corvex", MB_OKCANCEL) == _OK) ExitWindowsEx(EWX_REBOOT, 0);
            return _OK;
        case DISP_CHANGE_FAILED:
            ErrorBox("Cannot change screen resolution", "Corvex");
            return _ERROR;
        case DISP_CHANGE_BADMODE:
            ErrorBox("Graphics mode not supported", "Corvex");
            return _ERROR;
        case DISP_CHANGE_NOTUPDATED:
            ErrorBox("Cannot update Registry for Graphics options", "Corvex");
            return _ERROR;
        case DISP_CHANGE_BADFLAGS:
            ErrorBox("Corvex_Kernel: SetScreenRes(): Invalid internal parameters", "Corvex");
            return _ERROR;
        default:
            // An answer this program does not know is no success.
            return _ERROR;
    }
}

_result TPULSE::_hotkey1HotKey() {
    if (!Visible()) {
        Application().BringToFront();
        if (Handle()) SetForegroundWindow(Handle());
    }
    return HideMENUClick();
}

_result TPULSE::KERNEL_UpdateSize() {
    Log(10, "TPULSE.KERNEL_UpdateSize: <-");
    const int width = ClientWidth();
    int y = 0;
    for (const Entry& entry : sentinels_) {
        _sentinel& sentinel = *entry.sentinel;
        sentinel.ArrangeSpeeders(0, y, width, -1);
        y += sentinel.Height();
    }
    SetClientSize(width, y);
    Log(10, "TPULSE.KERNEL_UpdateSize: -> %d", _OK);
    return _OK;
}

}  // namespace corvex
