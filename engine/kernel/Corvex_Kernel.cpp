#include "Corvex_Kernel.h"

#include <algorithm>

#include "About_Launcher_Zolt2.h"
#include "Application.h"
#include "AudioSentinel.h"
#include "BarDocking.h"
#include "BarMenu.h"
#include "Corvex_Ignition.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Tray.h"
#include "CpuSentinel.h"
#include "Debug_Zolt2.h"
#include "DisplayModes.h"
#include "DriveSentinel.h"
#include "Error_Zolt2.h"
#include "FreeMemCommand.h"
#include "Hotkey_Win32.h"
#include "IfTable_Win32.h"
#include "Lair_Zolt2.h"
#include "Territory_Zolt2.h"
#include "MailSentinel.h"
#include "MemorySentinel.h"
#include "Menu.h"
#include "Metrics_Win32.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "System_Zolt2.h"
#include "TPanel_Zolt2.h"
#include "Version.h"
#include "Timer.h"

namespace corvex {

namespace {

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint32_t SystemTicks() { return GetTickCount(); }

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
      tickSource_(&SystemTicks) {
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
    menu_ = std::make_unique<_barmenu>(*this, POP);
    docking_ = std::make_unique<_bardocking>(*this, _metrics1);
    displayModes_ = std::make_unique<_displaymodes>();
    freeMem_ = std::make_unique<_freememcommand>(*this);
    // The form is loaded: the keeper restores the stored bounds.
    LoadComponents();
    FormCreate();
}

TPULSE::~TPULSE() {
    Log(10, "TPULSE.Destroy: <-");
    Application().OnMinimize = nullptr;
    ignition_.reset();
    sentinels_.clear();
    std::fill(std::begin(roles_), std::end(roles_), nullptr);
    Log(10, "TPULSE.Destroy: ->");
    // The Sentinels and the other components go while the bar is whole.
    DestroyComponents();
}

void TPULSE::SetTickSource(_ticksource source) { tickSource_ = source ? std::move(source) : &SystemTicks; }

_drivessentinel* TPULSE::DriveSentinel() const noexcept {
    return static_cast<_drivessentinel*>(roles_[SENTINEL_ROLE_DRIVES]);
}
_cpusentinel* TPULSE::CpuSentinel() const noexcept { return static_cast<_cpusentinel*>(roles_[SENTINEL_ROLE_CPU]); }
_memsentinel* TPULSE::MemorySentinel() const noexcept {
    return static_cast<_memsentinel*>(roles_[SENTINEL_ROLE_MEMORY]);
}
_audiosentinel* TPULSE::AudioSentinel() const noexcept {
    return static_cast<_audiosentinel*>(roles_[SENTINEL_ROLE_AUDIO]);
}
_mailsentinel* TPULSE::MailSentinel() const noexcept {
    return static_cast<_mailsentinel*>(roles_[SENTINEL_ROLE_MAIL]);
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

    _metrics1.OnScreenChange = [this](_component&) {
        docking_->ScreenChanged();
        UpdateDesktopArea(true);
    };
    Application().OnMinimize = [this] { KERNEL_Minimize(); };

    Log(20, "TPULSE.FormCreate: creating screen resolutions list");
    Log(20, "TPULSE.FormCreate: retrieving screen resolutions");
    RetrieveResolutions();

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

_result TPULSE::PlugInternalSentinels() {
    Log(10, "TPULSE.PlugInternalSentinels: <-");
    const _startupoptions& options = StartupOptions();
    for (int index = 0; index < SENTINEL_BUILTIN_COUNT; ++index) {
        if (options.Unplugged(index)) continue;
        const auto role = static_cast<_sentinelrole>(index);
        const _builtinsentinel& builtin = BuiltinSentinel(role);
        Log(20, "TPULSE.PlugInternalSentinels: creating %s", builtin.className);
        UpdateIgnition(builtin.ignition);
        _sentinel& sentinel = builtin.make(*this);
        roles_[role] = &sentinel;
        PlugSentinel(&sentinel, std::string());
    }
    UpdateIgnition("Initialising...");

    _lair1.SetKey("Sentinels\\");
    for (const Entry& entry : sentinels_) {
        // Opening the key creates it: every Sentinel has its key from now on.
        { const _lairkey scope(_lair1, "Sentinels\\" + entry.sentinel->Caption()); }
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
    aboutVersion_ = CORVEX_VERSION;
    _about1.SetVersion(CORVEX_VERSION);
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
    // allowed; the bar docks from that box, not from the stored flag.
    FillLiveOptions();
    UpdateDesktopArea(DockTicked());
    if (UpdateScreenPosition() != _OK) UpdateBeyondScreen();

    StartSentinels();
    KERNEL_UpdateSize();
    // Laid out at its full height: a stored corner that leaves the bar on no
    // screen would hide it for good.
    docking_->RescueOffScreen();
    RefreshSentinels();
    docking_->Moved(_point{Left(), Top()});
    // The first tick's interval starts here, not when the window was made:
    // readouts that divide by it would read the start-up's length.
    lastTick_ = tickSource_();
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
    if (interfaceTable_) interfaceTable_->Expire();
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
    if (interfaceTable_) interfaceTable_->Expire();
    for (const Entry& entry : sentinels_) entry.sentinel->RefreshSpeedersPulse(1);
    return _OK;
}

_iftable* TPULSE::InterfaceTable() {
    if (!interfaceTable_) interfaceTable_ = std::make_unique<_iftable>();
    return interfaceTable_.get();
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
    KeepHiddenWidth();
    // Closed between the steps of a free-memory command: its temporary row
    // goes first, it is no setting to save.
    freeMem_->Abandon();
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
    docking_->GiveWorkAreaBack();
    state_ = CORVEX_DOWN;
    Log(10, "TPULSE.Shutdown: ->");
    return _OK;
}

bool TPULSE::WMShutdownQuery() {
    Log(10, "TPULSE.WMShutdownQuery: <-");
    if (_audiosentinel* audio = AudioSentinel()) audio->ReleaseMixer();
    if (_mailsentinel* mail = MailSentinel()) mail->KillAccounts();
    Log(10, "TPULSE.WMShutdownQuery: ->");
    return true;
}

_result TPULSE::WMShutdown(bool ending) {
    Log(10, "TPULSE.WMShutdown: <-");
    // A log-off another program cancelled leaves the bar running.
    if (ending && state_ != CORVEX_CLOSING && state_ != CORVEX_DOWN) {
        KeepHiddenWidth();
        try {
            _territory1.Save();
        } catch (const _registryerror& error) {
            Log(1, "ERROR: TPULSE.WMShutdown: %s", error.what());
        }
        Shutdown();
    } else if (!ending) {
        // Another program cancelled the log-off: the mixer let go at the
        // query is taken again.
        if (_audiosentinel* audio = AudioSentinel()) audio->RestoreMixer();
    }
    Log(10, "TPULSE.WMShutdown: ->");
    return _OK;
}

void TPULSE::KeepHiddenWidth() {
    // A bar that started hidden and stays so is 0 pixels wide: the bounds
    // kept for the next start are those of the hidden window at its width.
    if (!startedHidden_ || Width() == hiddenWidth_) return;
    Hide();
    SetWidth(hiddenWidth_ < 10 ? 150 : hiddenWidth_);
}

_result TPULSE::FormClose() {
    if (state_ == CORVEX_CLOSING || state_ == CORVEX_DOWN) return _OK;
    state_ = CORVEX_CLOSING;
    Log(10, "Shutting down...");
    return Shutdown();
}

_result TPULSE::FormShow() {
    if (state_ != CORVEX_LAUNCHED) return _OK;
    int left = Left(), top = Top();
    {
        const _lairkey scope(_lair1, "Desposition");
        left = _lair1.ReadInteger("X", left);
        top = _lair1.ReadInteger("Y", top);
    }
    SetBounds(left, top, Width(), Height());
    // The stored bounds must not undo the rescue of a bar off every screen.
    docking_->RescueOffScreen();
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

// ---- layout and docking

_result TPULSE::AddScreenPosition(int x, int y, int xRes, int yRes) {
    return docking_->AddScreenPosition(x, y, xRes, yRes);
}
_result TPULSE::UpdateScreenPosition() { return docking_->UpdateScreenPosition(); }
_result TPULSE::UpdateBeyondScreen() { return docking_->UpdateBeyondScreen(); }
_result TPULSE::UpdateDesktopArea(bool dock) { return docking_->UpdateDesktopArea(dock, DockTicked()); }

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
    if (pixels < 0 || pixels > BAR_STICK_MAX) return _ERROR;
    settings_.stick = pixels;
    return _OK;
}

_result TPULSE::RetrieveResolutions() { return displayModes_->RetrieveResolutions(*menu_->ScreenMENU); }
_result TPULSE::OnScreenResChange(_component* sender) { return displayModes_->OnScreenResChange(sender); }
_result TPULSE::SetScreenRes(int width, int height, int bits, int rate) {
    return displayModes_->SetScreenRes(width, height, bits, rate);
}

LRESULT TPULSE::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
    // The window exists before the constructor has made the parts it
    // delegates to (the territory's initialiser asks for the handle, and
    // the first sizing moves it): until then the default handles it all.
    if (!docking_) return _form::WndProc(message, wparam, lparam);
    switch (message) {
        case WM_WINDOWPOSCHANGING:
            if (lparam) docking_->Snap(*reinterpret_cast<WINDOWPOS*>(lparam), settings_.stick);
            break;
        case WM_MOVE: {
            const _point position{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
            docking_->Moved(position);
            Log(105, "TPULSE.WMMove: (%d,%d)", position.x, position.y);
            _form::WndProc(message, wparam, lparam);
            UpdateDesktopArea(true);
            return 0;
        }
        case WM_SIZE: {
            const LRESULT result = _form::WndProc(message, wparam, lparam);
            Log(80, "TPULSE.FormResize: (%d,%d)", Width(), Height());
            // Laying out sets the height, which comes back here once more.
            if (!resizing_) {
                resizing_ = true;
                KERNEL_UpdateSize();
                resizing_ = false;
                // A docked bar widened or narrowed by its edge reserves its new width.
                UpdateDesktopArea(true);
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
        case WM_NCRBUTTONDOWN:
            _form::WndProc(message, wparam, lparam);
            WMNCRButtonDown(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
            return 0;
        case WM_ERASEBKGND:
            // The Sentinels paint the whole surface.
            return 1;
        default:
            break;
    }
    return _form::WndProc(message, wparam, lparam);
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
