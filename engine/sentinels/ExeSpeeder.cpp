#include "ExeSpeeder.h"

#include "ComboBox.h"
#include "Debug_Zolt2.h"
#include "Error_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "TextFormat.h"
#include "WindowHook.h"

namespace corvex {

namespace {

constexpr char kEnter = 13;
// Bounds for what a damaged registry may hold: longer commands than the
// system starts, more entries than anyone typed.
constexpr std::size_t kCommandMax = 1024;
constexpr std::uint32_t kHistoryMax = 1000;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

_sexe::_sexe(_component* owner) : _speeder(owner) {
    SetOption(SPEEDER_GRAPH, false);
    SetOption(SPEEDER_UNTIMED, true);
    SetUnsupported(Unsupported() | SPEEDER_GRAPH);
    TotalLabel().SetVisible(false);
    _fontspec line = FreeLabel().Font();
    line.color = COLOR_BLACK;
    line.style = FONT_BOLD;
    FreeLabel().SetFont(line);
    SetName("exe");
    SetIconIndex(17);
    SetHelpAnchor("_sexe");

    box_ = &Make<_combobox>(dynamic_cast<_wincontrol*>(owner), COMBO_DROPDOWN);
    _fontspec font;
    font.name = "Small Fonts";
    font.height = 11;
    font.color = COLOR_BLACK;
    box_->SetFont(font);
    box_->SetBounds(0, 0, 0, 0);
    if (const HWND edit = EditWindow()) {
        keys_ = std::make_unique<_windowhook>(edit, [this](HWND, UINT message, WPARAM wparam, LPARAM, LRESULT& result) {
            if (message != WM_CHAR) return false;
            char key = static_cast<char>(wparam);
            ExeCOMBOKeyPress(key);
            if (key != 0) return false;
            result = 0;
            return true;
        });
    }
}

_sexe::~_sexe() = default;

HWND _sexe::EditWindow() const noexcept {
    return box_ && box_->Handle() ? FindWindowExA(box_->Handle(), nullptr, "Edit", nullptr) : nullptr;
}

void _sexe::Arrange(int left, int top, int width, int height) {
    _speeder::Arrange(left, top, width, height);
    const _rect& a = Area();
    box_->SetBounds(a.left, a.top, a.Width(), a.Height());
    _label& line = FreeLabel();
    line.SetBounds(line.Left(), line.Top() + 4, width, line.Height());
}

void _sexe::Measure(int& width, int& height) {
    _speeder::Measure(width, height);
    height += 4;
}

_result _sexe::UpdateVisibility() {
    const _result result = _speeder::UpdateVisibility();
    TotalLabel().SetVisible(false);
    box_->SetVisible(!Hidden());
    return result;
}

_result _sexe::SaveSettings(const std::string& key, _lair& store) {
    const std::string history = key + "\\history";
    {
        // Entries dropped since the last save must not come back.
        const _lairkey scope(store, key);
        store.Hive().DeleteKey(store.FullPath() + "\\history");
    }
    const _lairkey scope(store, history);
    for (int i = 0; i < box_->Count(); ++i) store.WriteString(FormatText("%d", i), box_->Items(i));
    return _OK;
}

_result _sexe::LoadSettings(const std::string& key, _lair& store) {
    const _lairkey scope(store, key + "\\history");
    _regkeyinfo info;
    if (!store.Open() || store.Hive().Backend().QueryInfoKey(store.Hive().CurrentKey(), info) != REGISTRY_SUCCESS)
        return _OK;
    const std::uint32_t count = info.values < kHistoryMax ? info.values : kHistoryMax;
    box_->Clear();
    // By number up to the count: a hand-deleted number reads as empty.
    for (std::uint32_t i = 0; i < count; ++i) box_->Add(store.ReadString(FormatText("%u", i), "", kCommandMax));
    return _OK;
}

void _sexe::ExeCOMBOKeyPress(char& key) {
    if (key != kEnter) return;
    key = 0;
    box_->Perform(CB_SHOWDROPDOWN, FALSE);
    const std::string command = Trimmed(box_->Text());
    if (!command.empty()) Run(command);
}

void _sexe::Run(const std::string& command) {
    const UINT started = WinExec(command.c_str(), SW_SHOW);
    if (started > 32) {
        for (int i = 0; i < box_->Count(); ++i) {
            if (lstrcmpiA(box_->Items(i).c_str(), command.c_str()) == 0) {
                box_->Delete(i);
                break;
            }
        }
        box_->Insert(0, command);
        FreeLabel().SetCaption("");
        return;
    }
    // WinExec's own code stands in where the system left no last error.
    if (GetLastError() == 0) SetLastError(started);
    const std::string text = LastErrorText();
    Log(1, "ERROR: _sexe.ExeCOMBOKeyPress: %s", text.c_str());
    FreeLabel().SetCaption(FormatText("ERROR: %s", text.c_str()));
}

}  // namespace corvex
