#include "Corvex_Speeders.h"

#include "Corvex_Sentinels.h"
#include "Corvex_Tray.h"
#include "Debug_Zolt2.h"
#include "Image.h"
#include "Impulse_Zolt2.h"
#include "KernelPort.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Sizes_Win32.h"
#include "Sizes_Zolt2.h"

namespace corvex {

namespace {

_fontspec SmallFont(_color color) {
    _fontspec font;
    font.name = "Small Fonts";
    font.height = 11;
    font.color = color;
    return font;
}

_label& MakeLabel(_component& owner, _wincontrol* parent, _color color) {
    _label& label = owner.Make<_label>(parent);
    label.SetAutoSize(false);
    label.SetTransparent(true);
    label.SetFont(SmallFont(color));
    label.SetBounds(0, 0, 0, 0);
    return label;
}

_lair* EngineStore(const _speeder& speeder) {
    const _sentinel* sentinel = speeder.Sentinel();
    _kernelport* kernel = sentinel ? sentinel->Kernel() : nullptr;
    return kernel ? kernel->Store() : nullptr;
}

static_assert(SPEEDER_TRAY_INDEX_MAX == TRAY_CONTAINER_MAX - 1, "a stored tray index names a tray that can be");
static_assert(SPEEDER_STYLE_MAX == IMPULSE_PROGRESSOR, "a stored style is one of the graph's");

}  // namespace

_speeder::_speeder(_component* owner) : _component(owner) {
    _wincontrol* const panel = dynamic_cast<_wincontrol*>(owner);
    icon_ = &Make<_image>(panel);
    icon_->SetBounds(0, 0, 16, 16);
    icon_->SetCursor(IDC_HAND);
    icon_->SetTransparent(true);
    nameLabel_ = &MakeLabel(*this, panel, SYSCOLOR_WINDOWTEXT);
    totalLabel_ = &MakeLabel(*this, panel, COLOR_BLACK);
    freeLabel_ = &MakeLabel(*this, panel, COLOR_WHITE);
}

_speeder::~_speeder() = default;

_sentinel* _speeder::Sentinel() const noexcept { return dynamic_cast<_sentinel*>(Owner()); }

_kernelport* _speeder::Kernel() const noexcept {
    const _sentinel* sentinel = Sentinel();
    return sentinel ? sentinel->Kernel() : nullptr;
}

std::string _speeder::GetNick() const { return nameLabel_->Caption(); }

void _speeder::SetNick(const std::string& nick) {
    if (nick == nameLabel_->Caption()) return;
    nameLabel_->SetCaption(nick);
    nick_ = nick;
}

void _speeder::SetOption(_speederoptions mask, bool on) noexcept {
    options_ = on ? (options_ | mask) : (options_ & ~mask);
}

void _speeder::ChangeOption(_speederoptions mask, bool on) {
    SetOption(mask, on);
    UpdateVisibility();
}

void _speeder::ToggleOption(_speederoptions mask) {
    if ((options_ & mask) != mask)
        SetOptions(options_ | mask);
    else
        SetOption(mask, false);
}

_speederlayoutinput _speeder::LayoutInput() const noexcept {
    _speederlayoutinput in;
    in.options = Effective();
    in.nbx = nbx_;
    in.nby = nby_;
    in.nameOffset = nameOffset_;
    return in;
}

// ---- virtual operations

_result _speeder::SaveSettings(const std::string& key, _lair& store) {
    (void)key;
    (void)store;
    return _OK;
}

_result _speeder::LoadSettings(const std::string& key, _lair& store) {
    (void)key;
    (void)store;
    return _OK;
}

void _speeder::Measure(int& width, int& height) {
    width = 0;
    height = MeasureSpeeder(LayoutInput());
}

_result _speeder::Shutdown() { return _OK; }

_result _speeder::Prepare() {
    if (nick_.empty()) nick_ = Name();
    return UpdateCaption();
}

_result _speeder::Ignite() { return _OK; }

_result _speeder::Stop() {
    SetOption(SPEEDER_STOPPED, true);
    return _OK;
}

_result _speeder::Start() {
    SetOption(SPEEDER_STOPPED, false);
    return _OK;
}

void _speeder::SetBounds(int left, int top, int width, int height) {
    icon_->SetBounds(left, top, 16, 16);
    const int labelWidth = (unsupported_ & SPEEDER_GRAPH) ? width - left - 18 : left + 30;
    nameLabel_->SetBounds(left + 18, top + 2, labelWidth, 16);
    Arrange(left, top, width, height);
}

void _speeder::Arrange(int left, int top, int width, int height) {
    layout_ = _rect::Bounds(left, top, width, height);
    const _speederlayout placed = ArrangeSpeeder(LayoutInput(), left, top, width);
    if (placed.meters) {
        const _rect& f = placed.freeLabel;
        const _rect& t = placed.totalLabel;
        freeLabel_->SetBounds(f.left, f.top, f.Width(), f.Height());
        totalLabel_->SetBounds(t.left, t.top, t.Width(), t.Height());
    }
    nameLabel_->SetBounds(placed.labelLeft, nameLabel_->Top(), placed.labelWidth, nameLabel_->Height());
    area_ = placed.area;
}

_result _speeder::UpdateVisibility() {
    const _speederoptions o = Effective();
    const bool visible = !Hidden();
    freeLabel_->SetVisible((o & SPEEDER_METERS) && visible);
    totalLabel_->SetVisible((o & SPEEDER_METERS) && visible);
    nameLabel_->SetVisible((o & SPEEDER_NAMED) && visible);
    nameLabel_->SetCaption(nick_);
    icon_->SetVisible((o & SPEEDER_ICONED) && visible);
    return _OK;
}

void _speeder::SetVisible(bool visible) { ChangeOption(SPEEDER_HIDDEN, !visible); }

void _speeder::SetOptions(_speederoptions options) { options_ = options & ~unsupported_; }

_result _speeder::Refresh(unsigned elapsed, bool forced) {
    (void)elapsed;
    const bool shown = forced || (Effective() & SPEEDER_METERS);
    if (forced || free_ != shownFree_ || total_ != shownTotal_) {
        if (shown) ShowFree();
        shownFree_ = free_;
    }
    if (forced || total_ != shownTotal_) {
        if (shown) ShowTotal();
        shownTotal_ = total_;
    }
    return _OK;
}

_result _speeder::RefreshPulse(unsigned elapsed) {
    if (Stopped()) return _OK;
    return Refresh(elapsed, false);
}

_result _speeder::UpdateIcon() {
    icon_->SetTransparent(true);
    _kernelport* kernel = Kernel();
    const _result result = kernel ? kernel->GetMuseumBitmap(&icon_->Picture(), iconIndex_) : _ERROR;
    icon_->Repaint();
    return result;
}

_result _speeder::UpdateCaption() {
    nameLabel_->SetCaption(nick_);
    return _OK;
}

_result _speeder::SaveOptions(const std::string& key, _lair& store) {
    _speedervalues values;
    values.hidden = (options_ & SPEEDER_HIDDEN) != 0;
    values.meters = (options_ & SPEEDER_METERS) != 0;
    values.named = (options_ & SPEEDER_NAMED) != 0;
    values.iconed = (options_ & SPEEDER_ICONED) != 0;
    values.nick = nameLabel_->Caption();
    values.nbx = nbx_;
    values.nby = nby_;
    SaveSpeederValues(store, values, unsupported_);
    return SaveSettings(key, store);
}

_result _speeder::LoadOptions(const std::string& key, _lair& store) {
    _speedervalues values;
    values.hidden = Hidden();
    values.meters = (options_ & SPEEDER_METERS) != 0;
    values.named = (options_ & SPEEDER_NAMED) != 0;
    values.iconed = (options_ & SPEEDER_ICONED) != 0;
    values.nick = nick_;
    values.nbx = nbx_;
    values.nby = nby_;
    LoadSpeederValues(store, values, unsupported_);
    SetOption(SPEEDER_HIDDEN, values.hidden);
    SetOption(SPEEDER_METERS, values.meters);
    SetOption(SPEEDER_NAMED, values.named);
    SetOption(SPEEDER_ICONED, values.iconed);
    nick_ = values.nick;
    nbx_ = values.nbx;
    nby_ = values.nby;
    LoadSettings(key, store);
    SetVisible(!Hidden());
    UpdateVisibility();
    return _OK;
}

_result _speeder::GetFrequency(unsigned& period) {
    period = 0;
    return _ERROR;
}

_result _speeder::SetFrequency(unsigned period) {
    (void)period;
    return _OK;
}

_result _speeder::ShowError(const std::string& text) {
    (void)text;
    return _OK;
}

_result _speeder::ShowNotice(const std::string& text) {
    (void)text;
    return _OK;
}

void _speeder::OnCreateDesigner(_panel& page) { (void)page; }
void _speeder::OnDestroyDesigner(_panel& page) { (void)page; }
_result _speeder::OnRedesign() { return _OK; }
void _speeder::AddMenuItems(_menuitem& item) { (void)item; }

// ---- other operations

void _speeder::Rearrange() { Arrange(layout_.left, layout_.top, layout_.Width(), layout_.Height()); }

// The labels mark themselves for painting when their text changes, and
// only then: an amount that moved by a few bytes mostly reads the same.
// They are painted with the graph's repaint of this tick, or with the
// band's next paint: a paint of their own would double the cost of a tick.
void _speeder::ShowTotal() {
    const std::string decimal = LocaleDecimalSeparator();
    totalLabel_->SetCaption((options_ & SPEEDER_BITS) ? FormatBits(total_ * 8, decimal)
                                                      : FormatBytes(total_, decimal));
}

void _speeder::ShowFree() {
    const std::string decimal = LocaleDecimalSeparator();
    freeLabel_->SetCaption((options_ & SPEEDER_BITS) ? FormatBits(free_ * 8, decimal)
                                                     : FormatBytes(free_, decimal));
}

// ---------------------------------------------------------------------------

_result Reignite(_speeder& speeder, const std::string& key) {
    speeder.Prepare();
    if (!key.empty()) {
        if (_lair* store = EngineStore(speeder)) {
            // The store's key is the caller's again afterwards.
            const _lairkey scope(*store, key + "\\" + speeder.Name());
            speeder.LoadOptions(store->Key(), *store);
        }
    }
    speeder.Ignite();
    speeder.Start();
    return _OK;
}

_result Retire(_speeder& speeder, const std::string& key) {
    if (!key.empty()) {
        if (_lair* store = EngineStore(speeder)) {
            const _lairkey scope(*store, key + "\\" + speeder.Name());
            speeder.SaveOptions(store->Key(), *store);
        }
    }
    speeder.Stop();
    speeder.Shutdown();
    return _OK;
}

// ---------------------------------------------------------------------------

_gspeeder::_gspeeder(_component* owner) : _speeder(owner) {
    SetOption(SPEEDER_METERS | SPEEDER_GRAPH, true);
    SetUnsupported(Unsupported() | SPEEDER_TEXT);
    graph_ = &Make<_impulse>(dynamic_cast<_wincontrol*>(owner));
    graph_->SetArt(static_cast<_iart>(graph_->Art() | IMPULSE_CACHED));
    graph_->SetStyle(IMPULSE_PROGRESSOR);
    graph_->SetFont(SmallFont(COLOR_BLACK));
    graph_->SetBackColor(SYSCOLOR_BTNFACE);
    graph_->SetStaticColor(COLOR_BLACK);
    graph_->SetBounds(0, 0, 0, 0);
}

_gspeeder::~_gspeeder() {
    // A bar left to itself would show our last value for good.
    LeaveTray();
}

_result _gspeeder::Ignite() {
    const _result result = _speeder::Ignite();
    if (trayBarIndex_ < 0) return result;
    if (trayIndex_ == -1) {
        Check(true, "_gspeeder.LoadOptions: invalid KTray index");
        trayBarIndex_ = -1;
        return result;
    }
    _kernelport* kernel = Kernel();
    _traycontainer* trays = kernel ? kernel->TrayContainer() : nullptr;
    const int bar = trayBarIndex_;
    trayBarIndex_ = -1;  // until the tray takes us
    AttachTray(trays ? trays->Get(trayIndex_) : nullptr, bar);
    return result;
}

void _gspeeder::Arrange(int left, int top, int width, int height) {
    _speeder::Arrange(left, top, width, height);
    const _rect& a = Area();
    graph_->SetBounds(a.left, a.top, a.Width(), a.Height());
}

_result _gspeeder::UpdateVisibility() {
    graph_->SetVisible((Options() & SPEEDER_GRAPH) && !Hidden());
    return _speeder::UpdateVisibility();
}

_result _gspeeder::Refresh(unsigned elapsed, bool forced) {
    SetGaugeValue(GaugePercent(Free(), Total()));
    return _speeder::Refresh(elapsed, forced);
}

void _gspeeder::SetGaugeValue(std::uint32_t value) {
    SetOption(SPEEDER_ERROR | SPEEDER_NOTICE, false);
    UpdateGauge(value);
}

void _gspeeder::RefreshGauge() { UpdateGauge(graph_->Progress()); }

void _gspeeder::UpdateGauge(std::uint32_t value) {
    const _gaugesample sample = GaugeSample(value, graph_->Max(), Options(), levels_);
    graph_->SetColor(sample.color);
    if (tray_)
        if (_traybar* bar = tray_->KERNEL_GetBar(trayBarIndex_)) bar->SetPosition(sample.value);
    graph_->SetProgress(sample.value);
    // After the sample: appending one ends the progressor frames, and the
    // error bar is to stay a bar until the next real sample.
    if (sample.sleepy) graph_->SetArt(static_cast<_iart>(graph_->Art() | IMPULSE_SLEEPY));
    graph_->Flush();
}

_result _gspeeder::ShowError(const std::string& text) {
    // The text is the message itself; the graph treats its Text as a
    // pattern for the percentage, which copies anything else as it stands.
    graph_->SetText(text);
    SetOption(SPEEDER_NOTICE, false);
    SetOption(SPEEDER_ERROR, true);
    RefreshGauge();
    return _OK;
}

_result _gspeeder::ShowNotice(const std::string& text) {
    graph_->SetText(text);
    SetOption(SPEEDER_ERROR, false);
    SetOption(SPEEDER_NOTICE, true);
    RefreshGauge();
    return _OK;
}

_result _gspeeder::AttachTray(_traypulse* tray, int bar) {
    if (!tray || (bar != 0 && bar != 1)) {
        Check(true, "_gspeeder.AttachTray(%p,%d): invalid input", static_cast<void*>(tray), bar);
        return _ERROR;
    }
    LeaveTray();
    const _result attached = tray->Attach(
        this, bar, [this](_traypulse& t, int index) { TrayAttached(t, index); },
        [this](_traypulse& t) { TrayDetached(t); });
    if (attached != _OK || tray_ != tray) {
        Check(true, "_gspeeder.AttachTray(%p,%d): could not Attach", static_cast<void*>(tray), bar);
        trayBarIndex_ = -1;
        return _ERROR;
    }
    SetOption(SPEEDER_TRAYED, true);
    SetOptions(Options());
    return _OK;
}

void _gspeeder::LeaveTray() {
    if (tray_) {
        // The old bar shows nothing once we leave it, and its slot is freed
        // so that its detach handler cannot reach us after we moved on.
        _traypulse* old = tray_;
        const int oldBar = trayBarIndex_;
        if (_traybar* b = old->KERNEL_GetBar(oldBar)) b->SetPosition(0);
        if (old->BarOwner(oldBar) == this) old->Detach(oldBar);
        tray_ = nullptr;
    }
    trayBarIndex_ = -1;
}

void _gspeeder::TrayAttached(_traypulse& tray, int bar) {
    tray_ = &tray;
    trayBarIndex_ = bar;
    if (_traybar* b = tray.KERNEL_GetBar(bar)) b->SetPosition(graph_->Progress());
}

void _gspeeder::TrayDetached(_traypulse& tray) {
    if (&tray != tray_) return;
    tray_ = nullptr;
    trayBarIndex_ = -1;
    SetOption(SPEEDER_TRAYED, false);
}

_graphvalues _gspeeder::GraphValues() const {
    _graphvalues values;
    values.levels = levels_;
    values.style = graph_->Style();
    values.art = (graph_->Art() & IMPULSE_SHADED) != 0;
    values.history = static_cast<int>(graph_->HistorySize());
    values.backColor = graph_->BackColor();
    values.fontColor = graph_->Font().color;
    values.trayIndex = trayIndex_;
    values.trayBarIndex = trayBarIndex_;
    return values;
}

_result _gspeeder::SaveOptions(const std::string& key, _lair& store) {
    _graphvalues values = GraphValues();
    values.trayIndex = -1;
    if (trayBarIndex_ >= 0) {
        _kernelport* kernel = Kernel();
        const _traycontainer* trays = kernel ? kernel->TrayContainer() : nullptr;
        values.trayIndex = trays ? trays->IndexOf(tray_) : -1;
    }
    SaveGraphValues(store, values);
    return _speeder::SaveOptions(key, store);
}

_result _gspeeder::LoadOptions(const std::string& key, _lair& store) {
    _graphvalues values = GraphValues();
    LoadGraphValues(store, values);
    levels_ = values.levels;
    graph_->SetStaticColor(levels_.l4);
    graph_->SetStyle(static_cast<_istyle>(values.style));
    if (values.art) {
        graph_->SetArt(static_cast<_iart>(graph_->Art() | IMPULSE_SHADED));
    } else {
        graph_->SetArt(static_cast<_iart>(graph_->Art() & ~IMPULSE_SHADED));
        graph_->SetBorderColor1(COLOR_BLACK);
    }
    graph_->SetHistorySize(static_cast<std::uint32_t>(values.history));
    graph_->SetBackColor(values.backColor);
    graph_->SetFontColor(values.fontColor);
    trayBarIndex_ = values.trayBarIndex;
    trayIndex_ = values.trayIndex;
    return _speeder::LoadOptions(key, store);
}

// ---------------------------------------------------------------------------

_tspeeder::_tspeeder(_component* owner) : _speeder(owner) {
    SetOption(SPEEDER_TEXT, true);
    SetUnsupported(Unsupported() | SPEEDER_GRAPH);
    text_ = &MakeLabel(*this, dynamic_cast<_wincontrol*>(owner), COLOR_BLACK);
    text_->SetTransparent(false);
}

_tspeeder::~_tspeeder() = default;

void _tspeeder::Arrange(int left, int top, int width, int height) {
    _speeder::Arrange(left, top, width, height);
    const _rect& a = Area();
    text_->SetBounds(a.left, a.top, a.Width(), a.Height());
}

_result _tspeeder::UpdateVisibility() {
    text_->SetVisible(!Hidden());
    return _speeder::UpdateVisibility();
}

_result _tspeeder::ShowError(const std::string& text) {
    text_->SetCaption(text);
    return _OK;
}

_result _tspeeder::ShowNotice(const std::string& text) {
    _fontspec font = text_->Font();
    font.style = 0;
    text_->SetFont(font);
    text_->SetCaption(text);
    return _OK;
}

}  // namespace corvex
