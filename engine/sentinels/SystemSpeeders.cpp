#include "SystemSpeeders.h"

#include "Battery_Zolt2.h"
#include "Debug_Zolt2.h"
#include "Edit.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "MessageWindow.h"
#include "Panel.h"
#include "ScreenMode.h"
#include "System_Zolt2.h"
#include "TextFormat.h"
#include "Timer.h"

namespace corvex {

namespace {

// A text readout: no meters and no graph, for good.
constexpr _speederoptions kTextOnly = SPEEDER_METERS | SPEEDER_GRAPH;
constexpr unsigned kOwnPeriod = 1000;
// Formats longer than this in the registry are damage.
constexpr std::size_t kFormatMax = 255;

bool LocaleText(LCTYPE type, std::string& out) {
    char buffer[128];
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    if (n <= 1) return false;
    out.assign(buffer, static_cast<std::size_t>(n - 1));
    return true;
}

}  // namespace

_datetimelocale SystemDateTimeLocale() {
    _datetimelocale l;
    std::string picture;
    if (LocaleText(LOCALE_SSHORTDATE, picture)) l.shortDateFormat = LocalePicture(picture);
    if (LocaleText(LOCALE_SLONGDATE, picture)) l.longDateFormat = LocalePicture(picture);
    if (LocaleText(LOCALE_STIMEFORMAT, picture)) {
        l.longTimeFormat = LocalePicture(picture);
        l.shortTimeFormat = WithoutSeconds(l.longTimeFormat);
    }
    LocaleText(LOCALE_S1159, l.timeAMString);
    LocaleText(LOCALE_S2359, l.timePMString);
    LocaleText(LOCALE_SDATE, l.dateSeparator);
    LocaleText(LOCALE_STIME, l.timeSeparator);
    for (int i = 0; i < 12; ++i) {
        LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i), l.shortMonthNames[static_cast<std::size_t>(i)]);
        LocaleText(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + i), l.longMonthNames[static_cast<std::size_t>(i)]);
    }
    // The system counts the days from Monday, the formats from Sunday.
    for (int i = 0; i < 7; ++i) {
        const std::size_t day = static_cast<std::size_t>((i + 1) % 7);
        LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + i), l.shortDayNames[day]);
        LocaleText(static_cast<LCTYPE>(LOCALE_SDAYNAME1 + i), l.longDayNames[day]);
    }
    return l;
}

// ---- _stime

_stime::_stime(_component* owner) : _tspeeder(owner), locale_(SystemDateTimeLocale()) {
    SetName("time");
    SetIconIndex(0);
    SetOption(SPEEDER_DESIGNER | SPEEDER_FREQUENCY, true);
}

_stime::~_stime() {
    // The page outlives this readout: it must not call back into it.
    if (page_) page_->OnResize = pageResize_;
}

void _stime::SetFormat(const std::string& format) {
    if (format == format_) return;
    format_ = format;
}

_result _stime::Prepare() {
    const _result result = _tspeeder::Prepare();
    if (OwnFrequency() && !timer_) {
        timer_ = &Make<_timer>();
        timer_->SetEnabled(false);
        timer_->SetInterval(kOwnPeriod);
        timer_->OnTimer = [this] { KERNEL_OnTimer(); };
    }
    return result;
}

_result _stime::SaveSettings(const std::string& key, _lair& store) {
    (void)key;
    store.WriteString("format", format_);
    return _OK;
}

_result _stime::LoadSettings(const std::string& key, _lair& store) {
    (void)key;
    SetFormat(store.ReadString("format", format_, kFormatMax));
    return _OK;
}

void _stime::OnCreateDesigner(_panel& page) {
    OnDestroyDesigner(page);
    page_ = &page;
    page.FreeNotification(*this);
    formatLabel_ = &page.Make<_label>(&page, "format:");
    formatLabel_->SetBounds(10, 10, formatLabel_->Width(), formatLabel_->Height());
    formatLabel_->FreeNotification(*this);
    formatEdit_ = &page.Make<_edit>(&page);
    formatEdit_->SetBounds(60, formatLabel_->Top() - 3, page.Width() - 70, formatEdit_->Height());
    formatEdit_->SetMaxLength(static_cast<int>(kFormatMax));
    formatEdit_->SetText(format_);
    formatEdit_->FreeNotification(*this);
    formatEdit_->OnChange = [this] { OnRedesign(); };
    // The box keeps its right margin as the page grows and shrinks.
    pageResize_ = page.OnResize;
    page.OnResize = [this] {
        if (formatEdit_ && page_) formatEdit_->SetWidth(page_->Width() - 70);
        Raise(pageResize_);
    };
}

void _stime::OnDestroyDesigner(_panel& page) {
    if (page_ != &page) return;
    page.OnResize = pageResize_;
    pageResize_ = nullptr;
    if (formatEdit_) formatEdit_->OnChange = nullptr;
    page_ = nullptr;
    formatEdit_ = nullptr;
    formatLabel_ = nullptr;
}

void _stime::Notification(_component& destroyed) {
    if (&destroyed == formatEdit_) formatEdit_ = nullptr;
    if (&destroyed == formatLabel_) formatLabel_ = nullptr;
    if (&destroyed == page_) {
        page_ = nullptr;
        pageResize_ = nullptr;
    }
    _tspeeder::Notification(destroyed);
}

_result _stime::OnRedesign() {
    if (formatEdit_) SetFormat(formatEdit_->Text());
    return _tspeeder::OnRedesign();
}

_result _stime::GetFrequency(unsigned& period) {
    if (!OwnFrequency()) return _tspeeder::GetFrequency(period);
    period = timer_ ? timer_->Interval() : kOwnPeriod;
    return _OK;
}

_result _stime::SetFrequency(unsigned period) {
    if (!OwnFrequency() || !timer_) return _OK;
    timer_->SetEnabled(false);
    if (period < kOwnPeriod) return _ERROR;
    timer_->SetInterval(period);
    timer_->SetEnabled(true);
    return _OK;
}

_result _stime::Stop() {
    if (OwnFrequency() && timer_) timer_->SetEnabled(false);
    return _tspeeder::Stop();
}

_result _stime::Start() {
    if (OwnFrequency() && timer_) {
        timer_->SetEnabled(true);
        KERNEL_OnTimer();
    }
    return _tspeeder::Start();
}

void _stime::KERNEL_OnTimer() {}

void _stime::ShowTime(const _datetimeparts& when, const char* where) {
    if (FormatDateTime(format_, when, locale_, text_)) {
        TextLabel().SetCaption(text_);
        return;
    }
    Log(1, "ERROR: %s: KFormat=\"%s\"", where, format_.c_str());
    ShowError("invalid format");
}

// ---- _sclock

_sclock::_sclock(_component* owner) : _stime(owner) {
    SetName("clock");
    SetIconIndex(5);
    SetHelpAnchor("_sclock");
    SetOption(kTextOnly, false);
    SetUnsupported(Unsupported() | kTextOnly);
    SetOption(SPEEDER_UNTIMED, true);
    SetFormat("hh:mm:ss   dd/mm/yyyy");
}

void _sclock::KERNEL_OnTimer() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    _datetimeparts when;
    when.year = now.wYear;
    when.month = now.wMonth;
    when.day = now.wDay;
    when.hour = now.wHour;
    when.minute = now.wMinute;
    when.second = now.wSecond;
    when.millisecond = now.wMilliseconds;
    when.dayOfWeek = now.wDayOfWeek + 1;
    ShowTime(when, "_sclock.KERNEL_OnTimer");
}

_result _sclock::UpdateCaption() {
    const _result result = _stime::UpdateCaption();
    KERNEL_OnTimer();
    return result;
}

// ---- _srunning

_srunning::_srunning(_component* owner) : _stime(owner), ticks_([] { return GetTickCount(); }) {
    SetName("live");
    SetIconIndex(7);
    SetHelpAnchor("_slive");
    SetOption(kTextOnly, false);
    SetUnsupported(Unsupported() | kTextOnly);
    SetFormat("hh:mm:ss dd \"days\"");
}

_result _srunning::Prepare() {
    // The engine's tick drives it: no timer of its own.
    SetOption(SPEEDER_FREQUENCY, false);
    return _stime::Prepare();
}

_result _srunning::RefreshPulse(unsigned elapsed) {
    const std::uint32_t t = ticks_();
    // The breakdown costs a few strings: only when the line is written.
    if (const _debug* log = Debugger(); log && log->Debugging() && log->Level() >= 50)
        Log(50, "_srunning.RefreshPulse: %s", UptimeLogText(t).c_str());
    ShowTime(UptimeStamp(t), "_srunning.RefreshPulse");
    return _speeder::RefreshPulse(elapsed);
}

// ---- _splatform, _sscreen, _shost, _suser

_splatform::_splatform(_component* owner) : _tspeeder(owner) {
    SetName("os");
    SetIconIndex(8);
    SetHelpAnchor("_sos");
    SetOption(kTextOnly, false);
    SetUnsupported(Unsupported() | kTextOnly);
    SetOption(SPEEDER_UNTIMED, true);
}

_result _splatform::UpdateCaption() {
    const _result result = _tspeeder::UpdateCaption();
    TextLabel().SetCaption(SystemDescription());
    return result;
}

_sscreen::_sscreen(_component* owner) : _tspeeder(owner) {
    SetName("scr");
    SetIconIndex(11);
    SetHelpAnchor("_sscr");
    SetOption(kTextOnly, false);
    SetUnsupported(Unsupported() | kTextOnly);
    SetOption(SPEEDER_UNTIMED, true);
    watch_ = std::make_unique<_messagewindow>([this](UINT message, WPARAM, LPARAM, LRESULT&) {
        // Seen, then left to the default procedure like every message.
        if (message == WM_DISPLAYCHANGE) UpdateCaption();
        return false;
    });
}

_sscreen::~_sscreen() = default;

HWND _sscreen::WatchWindow() const noexcept { return watch_ ? watch_->Handle() : nullptr; }

_result _sscreen::UpdateCaption() {
    const _result result = _tspeeder::UpdateCaption();
    int bits = 0, refresh = 0;
    DisplayDepth(bits, refresh);
    TextLabel().SetCaption(ScreenModeText(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), bits, refresh));
    return result;
}

_shost::_shost(_component* owner) : _tspeeder(owner) {
    SetName("host");
    SetIconIndex(10);
    SetHelpAnchor("_shost");
    SetOption(kTextOnly, false);
    SetUnsupported(Unsupported() | kTextOnly);
    SetOption(SPEEDER_UNTIMED, true);
}

_result _shost::UpdateCaption() {
    const _result result = _tspeeder::UpdateCaption();
    TextLabel().SetCaption(FormatText("%s (%s)", ComputerName().c_str(), HostAddress().c_str()));
    return result;
}

_suser::_suser(_component* owner) : _tspeeder(owner) {
    SetName("user");
    SetIconIndex(9);
    SetHelpAnchor("_suser");
    SetOption(kTextOnly, false);
    SetUnsupported(Unsupported() | kTextOnly);
    SetOption(SPEEDER_UNTIMED, true);
}

_result _suser::UpdateCaption() {
    const _result result = _tspeeder::UpdateCaption();
    TextLabel().SetCaption(UserName());
    return result;
}

// ---- _spower

_spower::_spower(_component* owner) : _spower(owner, Win32PowerSource()) {}

_spower::_spower(_component* owner, _powersource& source) : _gspeeder(owner) {
    SetName("power");
    SetIconIndex(19);
    SetHelpAnchor("_spower");
    SetOption(SPEEDER_METERS, false);
    SetUnsupported(Unsupported() | SPEEDER_METERS);
    SetAmounts(Free(), 100);
    battery_ = &Make<_battery>(source);
}

_result _spower::UpdateIcon() {
    SetIconIndex(battery_ && battery_->Power() == BATTERY_POWER_DC ? 20 : 19);
    return _gspeeder::UpdateIcon();
}

_result _spower::RefreshPulse(unsigned elapsed) {
    battery_->Update();
    const _batterypower power = battery_->Power();
    if (power == last_) return _OK;
    last_ = power;
    switch (power) {
        case BATTERY_POWER_AC:
            UpdateIcon();
            ShowNotice("plugged");
            return _OK;
        case BATTERY_POWER_UNKNOWN:
            UpdateIcon();
            ShowError("unknown power");
            return _OK;
        case BATTERY_POWER_DC:
            break;
    }
    SetAmounts(battery_->Charge(), 100);
    UpdateIcon();
    // The notice and error texts stood in for the percentage.
    Graph().SetText("%d%%");
    return _gspeeder::RefreshPulse(elapsed);
}

}  // namespace corvex
