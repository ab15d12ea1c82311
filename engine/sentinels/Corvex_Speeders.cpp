#include "Corvex_Speeders.h"

#include "Corvex_Sentinels.h"
#include "Debug_Zolt2.h"
#include "Image.h"
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
    const _speederoptions o = options_;
    store.WriteBool("Hidden", (o & SPEEDER_HIDDEN) != 0);
    if (!(unsupported_ & SPEEDER_METERS)) store.WriteBool("Meters", (o & SPEEDER_METERS) != 0);
    if (!(unsupported_ & SPEEDER_NAMED)) store.WriteBool("Named", (o & SPEEDER_NAMED) != 0);
    if (!(unsupported_ & SPEEDER_ICONED)) store.WriteBool("Iconed", (o & SPEEDER_ICONED) != 0);
    store.WriteString("Nick", nameLabel_->Caption());
    store.WriteInteger("NBX", nbx_);
    store.WriteInteger("NBY", nby_);
    return SaveSettings(key, store);
}

_result _speeder::LoadOptions(const std::string& key, _lair& store) {
    SetOption(SPEEDER_HIDDEN, store.ReadBool("Hidden", Hidden()));
    if (!(unsupported_ & SPEEDER_METERS))
        SetOption(SPEEDER_METERS, store.ReadBool("Meters", (options_ & SPEEDER_METERS) != 0));
    if (!(unsupported_ & SPEEDER_NAMED))
        SetOption(SPEEDER_NAMED, store.ReadBool("Named", (options_ & SPEEDER_NAMED) != 0));
    if (!(unsupported_ & SPEEDER_ICONED))
        SetOption(SPEEDER_ICONED, store.ReadBool("Iconed", (options_ & SPEEDER_ICONED) != 0));
    nick_ = store.ReadString("Nick", nick_);
    nbx_ = store.ReadInteger("NBX", nbx_);
    nby_ = store.ReadInteger("NBY", nby_);
    LoadSettings(key, store);
    SetVisible(!Hidden());
    UpdateVisibility();
    return _OK;
}

_result _speeder::GetFrequency(unsigned& period) {
    period = 0;
    return _ERROR;
}

void _speeder::SetFrequency(unsigned period) { (void)period; }

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

void _speeder::ShowTotal() {
    const std::string decimal = LocaleDecimalSeparator();
    totalLabel_->SetCaption((options_ & SPEEDER_BITS) ? FormatBits(total_ * 8, decimal)
                                                      : FormatBytes(total_, decimal));
    totalLabel_->Repaint();
}

void _speeder::ShowFree() {
    const std::string decimal = LocaleDecimalSeparator();
    freeLabel_->SetCaption((options_ & SPEEDER_BITS) ? FormatBits(free_ * 8, decimal)
                                                     : FormatBytes(free_, decimal));
    freeLabel_->Repaint();
}

}  // namespace corvex
