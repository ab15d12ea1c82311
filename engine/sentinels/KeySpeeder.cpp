#include "KeySpeeder.h"

#include <windows.h>

#include "Debug_Zolt2.h"
#include "Handle.h"
#include "Image.h"
#include "KernelPort.h"
#include "KeyLang.h"
#include "Label.h"
#include "System_Zolt2.h"
#include "TextFormat.h"
#include "Timer.h"

namespace corvex {

namespace {

constexpr unsigned kPollPeriod = 100;
constexpr const char* kUnknown = "Unknown language";

// The file's first KEYLANG_FILE_MAX bytes; false when it cannot be opened.
bool ReadLanguageFile(const std::string& path, std::string& text) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    text.resize(KEYLANG_FILE_MAX);
    DWORD read = 0;
    if (!ReadFile(file.get(), &text[0], static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
    text.resize(read);
    return true;
}

}  // namespace

_skey::_skey(_component* owner) : _tspeeder(owner) {
    SetName("key");
    SetIconIndex(16);
    SetHelpAnchor("_skey");
    SetOption(SPEEDER_METERS, false);
    SetUnsupported(Unsupported() | SPEEDER_METERS);
    SetOption(SPEEDER_UNTIMED, true);
    languages_.push_back({kUnknown, 0});
    poll_ = &Make<_timer>();
    poll_->SetEnabled(false);
    poll_->SetInterval(kPollPeriod);
    poll_->OnTimer = [this] { Poll(); };
}

_result _skey::LoadSettings(const std::string& key, _lair& store) {
    (void)key;
    (void)store;
    return LoadLanguages();
}

_result _skey::Start() {
    poll_->SetEnabled(true);
    return _tspeeder::Start();
}

_result _skey::Stop() {
    poll_->SetEnabled(false);
    return _tspeeder::Stop();
}

std::string _skey::DataFolder() const {
    const _kernelport* kernel = Kernel();
    std::string folder = kernel ? kernel->EngineDataFolder() : std::string();
    return folder.empty() ? ProgramFolder() + "data\\" : folder;
}

_result _skey::Fail(std::string text) {
    error_ = _ERROR;
    errorText_ = std::move(text);
    Log(1, "ERROR: _skey.LoadLanguages: %s", errorText_.c_str());
    return _ERROR;
}

_result _skey::LoadLanguages() {
    languages_.clear();
    icons_.Clear();
    languages_.push_back({kUnknown, 0});
    // The lists changed under the shown entry: the next poll looks afresh.
    layout_ = 0xFFFF;
    shown_ = 0;
    error_ = _OK;
    errorText_.clear();

    const std::string folder = DataFolder();
    std::string text;
    if (!ReadLanguageFile(folder + KEYLANG_FILE, text))
        return Fail(FormatText("Could not find \"%s\" keyboard languges file in /data dir", KEYLANG_FILE));
    std::vector<std::string_view> lines;
    if (!IniSectionLines(text, KEYLANG_SECTION, lines))
        return Fail(FormatText("Section [%s] not found in keyboard language file", KEYLANG_SECTION));
    _keylangline line;
    for (const std::string_view raw : lines) {
        if (languages_.size() > KEYLANG_LANGUAGES_MAX) break;
        if (!ParseLanguageLine(raw, line) || !AddIcon(folder + line.icon)) {
            Log(40, "_skey.LoadLanguages: skipped \"%.*s\"", static_cast<int>(raw.size()), raw.data());
            continue;
        }
        languages_.push_back({line.name, line.identifier});
    }
    return _OK;
}

bool _skey::AddIcon(const std::string& file) {
    const _icon icon(static_cast<HICON>(LoadImageA(nullptr, file.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
    if (icon.Empty()) return false;
    _bitmap picture(16, 16);
    picture.Canvas().SetBrush(icons_.TransparentColor());
    picture.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
    if (!DrawIconEx(picture.Canvas().Handle(), 0, 0, icon.Handle(), 16, 16, 0, nullptr, DI_NORMAL)) return false;
    return icons_.Add(picture) >= 0;
}

void _skey::Poll() {
    const HWND foreground = GetForegroundWindow();
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const std::uint32_t layout =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(thread)));
    if (layout == layout_) return;
    layout_ = layout;
    ShowLanguage(static_cast<std::uint16_t>(layout & 0xFFFF));
}

void _skey::ShowLanguage(std::uint16_t identifier) {
    shown_ = 0;
    for (std::size_t k = 1; k < languages_.size(); ++k) {
        if (languages_[k].identifier == identifier) {
            shown_ = k;
            break;
        }
    }
    UpdateIcon();
    TextLabel().SetCaption(languages_[shown_].name);
}

_result _skey::UpdateIcon() {
    if (shown_ == 0 || !icons_.GetBitmap(static_cast<int>(shown_ - 1), Icon().Picture()))
        return _tspeeder::UpdateIcon();
    Icon().SetTransparentColor(icons_.TransparentColor());
    Icon().Repaint();
    return _OK;
}

}  // namespace corvex
