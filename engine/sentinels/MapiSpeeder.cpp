#include "MapiSpeeder.h"

#include "Label.h"
#include "TextFormat.h"

namespace corvex {

namespace {
// Set, the readout never connects (nothing in the engine sets it).
constexpr _speederoptions kNoConnect = 0x40;
constexpr int kMailIcon = 14;
constexpr int kNoMailIcon = 15;
}  // namespace

_smapi::_smapi(_component* owner) : _smapi(owner, [] { return Win32MapiPort(); }) {}

_smapi::_smapi(_component* owner, _mapiportfactory factory) : _tspeeder(owner), factory_(std::move(factory)) {
    SetName("mapi");
    SetIconIndex(kNoMailIcon);
    SetHelpAnchor("_smapi");
    SetOption(SPEEDER_METERS | SPEEDER_HIDDEN, false);
    SetOption(SPEEDER_DESIGNER, true);
    SetUnsupported(Unsupported() | SPEEDER_METERS);
}

// The watcher goes first: its end may still call back.
_smapi::~_smapi() { mapi_.reset(); }

_result _smapi::Ignite() {
    const _result result = _tspeeder::Ignite();
    if (!(Options() & kNoConnect)) Connect();
    return result;
}

void _smapi::Connect() {
    if (mapi_ || !factory_) return;
    mapi_ = std::make_unique<_mapi>(factory_());
    const auto changed = [this] {
        UpdateIcon();
        UpdateCaption();
    };
    mapi_->OnNewMail = changed;
    mapi_->OnChange = changed;
    UpdateCaption();
    UpdateIcon();
}

_result _smapi::UpdateIcon() {
    const bool mail = mapi_ && !mapi_->Failed() && mapi_->Status() == _OK && mapi_->UnreadCount() > 0;
    SetIconIndex(mail ? kMailIcon : kNoMailIcon);
    const _result result = _tspeeder::UpdateIcon();
    blink_ ^= 1;
    return result;
}

_result _smapi::UpdateCaption() {
    const _result result = _tspeeder::UpdateCaption();
    _label& text = TextLabel();
    _fontspec font = text.Font();
    std::string caption;
    if (!mapi_) {
        caption = "off";
    } else if (mapi_->Failed() || mapi_->Status() != _OK) {
        font.style |= FONT_BOLD;
        caption = FormatText("ERROR: %s", mapi_->ErrorText().c_str());
    } else {
        const long unread = mapi_->UnreadCount();
        font.style = static_cast<unsigned char>(unread > 0 ? font.style | FONT_BOLD : font.style & ~FONT_BOLD);
        caption = FormatText("%ld", unread);
    }
    text.SetFont(font);
    text.SetCaption(caption);
    text.Repaint();
    return result;
}

}  // namespace corvex
