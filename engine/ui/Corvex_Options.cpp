#include "Corvex_Options.h"

#include "Autostart_Zolt2.h"
#include "BarSettings.h"
#include "Button.h"
#include "Colors_Zolt2.h"
#include "Corvex_Kernel.h"
#include "Corvex_Tray.h"
#include "Debug_Zolt2.h"
#include "Edit.h"
#include "GroupBox.h"
#include "HotKeyField.h"
#include "Hotkey_Win32.h"
#include "Label.h"
#include "OptionsTree_Zolt2.h"
#include "PageControl.h"
#include "ShortCut.h"
#include "System_Zolt2.h"
#include "TrackBar.h"

namespace corvex {

namespace {

constexpr int kWidth = 383, kHeight = 359;  // also the smallest size
constexpr int kMargin = 8;
constexpr int kTreeWidth = 105;
constexpr int kButtonWidth = 75, kButtonHeight = 25;
constexpr int kTrayPage = 1;  // the "tray" entry and page

// A label keeps the size of its text.
void Place(_label& label, int left, int top) { label.SetBounds(left, top, label.Width(), label.Height()); }

// The top-level entry a node belongs to.
const _treenode& TopOf(const _treenode& node) noexcept {
    const _treenode* top = &node;
    while (top->Parent()) top = top->Parent();
    return *top;
}

}  // namespace

TOPTIONS::TOPTIONS(_component* owner, TPULSE& engine)
    : _form(owner),
      OTREE(Make<_otree>(this)),
      PAGE(Make<_pagecontrol>(this)),
      TabSheet1(PAGE.AddPage("general")),
      TabSheet2(PAGE.AddPage("tray")),
      TabSheet3(PAGE.AddPage("colors")),
      AutoCHECK(Make<_checkbox>(&TabSheet1, "&autostart with Windows")),
      OnTopCHECK(Make<_checkbox>(&TabSheet1, "&stay on top")),
      DockCHECK(Make<_checkbox>(&TabSheet1, "&dock")),
      UpdateLABEL(Make<_label>(&TabSheet1, "&update: ")),
      UpdateSPIN(Make<_spinedit>(&TabSheet1)),
      UpdateUnitLABEL(Make<_label>(&TabSheet1, "ms")),
      PopLABEL(Make<_label>(&TabSheet1, "sh&ortcut: ")),
      PopHOTKEY(Make<_hotkeyfield>(&TabSheet1)),
      StickLABEL(Make<_label>(&TabSheet1, "st&ick at: ")),
      StickSPIN(Make<_spinedit>(&TabSheet1)),
      StickUnitLABEL(Make<_label>(&TabSheet1, "pixels")),
      ColorsGROUP(Make<_groupbox>(&TabSheet2, " gauge colors ")),
      LeftLABEL(Make<_label>(&ColorsGROUP, "left")),
      RightLABEL(Make<_label>(&ColorsGROUP, "right")),
      LoadLABEL(Make<_label>(&ColorsGROUP, "load:")),
      FreeLABEL(Make<_label>(&ColorsGROUP, "free:")),
      _colors1(Make<_colors>(&ColorsGROUP)),
      _colors2(Make<_colors>(&ColorsGROUP)),
      _colors3(Make<_colors>(&ColorsGROUP)),
      _colors4(Make<_colors>(&ColorsGROUP)),
      AddBUTTON(Make<_button>(&TabSheet2, "&add...")),
      DelBUTTON(Make<_button>(&TabSheet2, "&del")),
      TransLABEL(Make<_label>(&TabSheet3, "t&ransparency:")),
      TransTRACK(Make<_trackbar>(&TabSheet3)),
      BackLABEL(Make<_label>(&TabSheet3, "&backgorund:")),
      BackCOLOR(Make<_colors>(&TabSheet3)),
      OkBUTTON(Make<_button>(this, "&ok")),
      _autostart1(Make<_autostart>()),
      engine_(&engine) {
    engine.FreeNotification(*this);
    SetCaption("options");
    SetBorderStyle(FORM_BORDER_SIZEABLE);
    SetBorderIcons(BORDER_ICON_SYSTEM_MENU | BORDER_ICON_MAXIMIZE);
    SetBounds(0, 0, kWidth, kHeight);
    SetMinSize(kWidth, kHeight);
    SetPosition(FORM_POSITION_SCREEN_CENTER);
    _fontspec font;
    font.name = "MS Sans Serif";
    font.height = -11;
    SetFont(font);

    // ---- "general"
    // Bound to the start-up entry below: it shows whether there is one.
    AutoCHECK.SetBounds(8, 8, 220, 17);
    OnTopCHECK.SetBounds(8, 32, 220, 17);
    DockCHECK.SetBounds(8, 56, 220, 17);
    Place(UpdateLABEL, 8, 91);
    UpdateSPIN.SetBounds(80, 87, 90, 21);
    UpdateSPIN.SetRange(static_cast<long>(BAR_UPDATE_MIN), static_cast<long>(BAR_UPDATE_MAX));
    UpdateSPIN.SetIncrement(100);
    UpdateSPIN.SetValue(1000);
    Place(UpdateUnitLABEL, 176, 91);
    Place(PopLABEL, 8, 119);
    PopHOTKEY.SetBounds(80, 116, 120, 20);
    Place(StickLABEL, 8, 148);
    StickSPIN.SetBounds(80, 144, 50, 21);
    StickSPIN.SetRange(0, BAR_STICK_MAX);
    StickSPIN.SetValue(0);
    Place(StickUnitLABEL, 136, 148);
    UpdateLABEL.SetFocusControl(&UpdateSPIN);
    PopLABEL.SetFocusControl(&PopHOTKEY);
    StickLABEL.SetFocusControl(&StickSPIN);

    // ---- "tray": the colours of the chosen gauge's left (0) and right (1) bar
    ColorsGROUP.SetBounds(8, 8, 230, 94);
    Place(LeftLABEL, 56, 20);
    Place(RightLABEL, 141, 20);
    Place(LoadLABEL, 8, 42);
    Place(FreeLABEL, 8, 68);
    _colors1.SetBounds(56, 38, 77, 22);
    _colors3.SetBounds(141, 38, 77, 22);
    _colors2.SetBounds(56, 64, 77, 22);
    _colors4.SetBounds(141, 64, 77, 22);
    _colors1.SetPickedColor(COLOR_LIME);
    _colors3.SetPickedColor(COLOR_LIME);
    _colors2.SetPickedColor(COLOR_GREEN);
    _colors4.SetPickedColor(COLOR_GREEN);
    AddBUTTON.SetBounds(8, 112, kButtonWidth, kButtonHeight);
    DelBUTTON.SetBounds(8 + kButtonWidth + 8, 112, kButtonWidth, kButtonHeight);
    ShowNoTray();

    // ---- "colors"
    Place(TransLABEL, 8, 12);
    TransTRACK.SetBounds(8, 28, 230, 32);
    TransTRACK.SetRange(0, BAR_TRANSPARENCY_MAX);
    TransTRACK.SetFrequency(16);
    TransTRACK.SetPosition(0);
    Place(BackLABEL, 8, 80);
    BackCOLOR.SetBounds(80, 76, 100, 22);
    BackCOLOR.SetVividColor(COLOR_BLACK);
    BackCOLOR.SetPickedColor(COLOR_GRAY);
    BackLABEL.SetFocusControl(&BackCOLOR);

    OkBUTTON.SetDefault(true);

    // The box shows and switches the user's own start-up entry (no rights
    // beyond the user's are needed for it).
    _autostart1.SetAppItemName("Corvex");
    _autostart1.SetAutoRegister(false);
    _autostart1.SetRoot(REGISTRY_CURRENT_USER);
    _autostart1.SetCheckBox(&AutoCHECK);

    OTREE.SetPage(&PAGE);
    OTREE.OnChange = [this](_treenode* node) { OTREEChange(node); };
    OkBUTTON.OnClick = [this] { OkBUTTONClick(); };
    UpdateSPIN.OnChange = [this] { UpdateSPINChange(); };
    StickSPIN.OnChange = [this] { StickSPINChange(); };
    OnTopCHECK.OnClick = [this] { OnTopCHECKClick(); };
    DockCHECK.OnClick = [this] { DockCHECKClick(); };
    TransTRACK.OnChange = [this] { TransTRACKChange(); };
    BackCOLOR.OnChange = [this] { BackCOLORChange(); };
    _colors1.OnChange = [this] { TrayColorChange(0); };
    _colors2.OnChange = [this] { TrayColorChange(0); };
    _colors3.OnChange = [this] { TrayColorChange(1); };
    _colors4.OnChange = [this] { TrayColorChange(1); };
    AddBUTTON.OnClick = [this] { AddBUTTONClick(); };
    DelBUTTON.OnClick = [this] { DelBUTTONClick(); };

    // The form is loaded: the tree builds its entries, the autostart box
    // shows what the registry holds.
    LoadComponents();
    Resized();
    FormCreate();
}

TOPTIONS::~TOPTIONS() {
    if (engine_ && engine_->OptionsHolder() == this) engine_->SetOptionsHolder(nullptr);
    // The controls go while the dialog their events call is still whole.
    DestroyComponents();
}

void TOPTIONS::FormCreate() {
    loading_ = false;
    // Layered windows came with Windows 2000.
    noTransparency_ = WindowsRelease() < RELEASE_WIN2000;
    TransTRACK.SetEnabled(!noTransparency_);
    TransLABEL.SetEnabled(!noTransparency_);
}

void TOPTIONS::Resized() {
    _form::Resized();
    const _rect client = ClientRect();
    const int bottom = client.bottom - kMargin - kButtonHeight - kMargin;
    const int height = bottom - kMargin;
    OTREE.SetBounds(kMargin, kMargin, kTreeWidth, height);
    PAGE.SetBounds(kMargin + kTreeWidth + kMargin, kMargin, client.Width() - kTreeWidth - 3 * kMargin, height);
    OkBUTTON.SetBounds(client.right - kMargin - kButtonWidth, client.bottom - kMargin - kButtonHeight, kButtonWidth,
                       kButtonHeight);
}

void TOPTIONS::Notification(_component& destroyed) {
    if (&destroyed == engine_) {
        engine_ = nullptr;
    } else if (_treenode* node = TrayNode(&destroyed)) {
        OTREE.Delete(*node);
        _treenode* const now = OTREE.Selected();
        if (!now || !now->Data()) ShowNoTray();
    }
    _form::Notification(destroyed);
}

// ---- for the engine

_treenode* TOPTIONS::TrayRoot() const noexcept { return OTREE.TopItem(kTrayPage); }

_treenode* TOPTIONS::TrayNode(const _component* tray) const noexcept {
    const _treenode* root = TrayRoot();
    if (!root || !tray) return nullptr;
    for (std::size_t i = 0; i < root->Count(); ++i) {
        const auto* gauge = static_cast<const _traypulse*>(root->Item(i)->Data());
        if (gauge && static_cast<const _component*>(gauge) == tray) return root->Item(i);
    }
    return nullptr;
}

_result TOPTIONS::AddTrayNode(_traypulse* tray) {
    _treenode* const root = TrayRoot();
    if (Check(!root || !tray || TrayNode(tray), "TOPTIONS.AddTray: could not add _tray Node") == DEBUG_ASSERT)
        return _ERROR;
    OTREE.Add(root, std::to_string(root->Count() + 1), tray);
    tray->FreeNotification(*this);
    root->Expand(true);
    return _OK;
}

_result TOPTIONS::DelTrayNode(_traypulse* tray) {
    // The entry goes with the gauge (Notification).
    return engine_ && engine_->DelTray(tray) == _OK ? _OK : _ERROR;
}

void TOPTIONS::FillOptions(const _liveoptions& options, bool dockAllowed) {
    const bool wasLoading = loading_;
    loading_ = true;
    if (_treenode* const root = TrayRoot()) {
        while (root->Count() > 0) {
            _treenode& node = *root->Item(0);
            if (auto* tray = static_cast<_traypulse*>(node.Data())) tray->RemoveFreeNotification(*this);
            OTREE.Delete(node);
        }
    }
    if (engine_) {
        const _traycontainer& trays = *engine_->TrayContainer();
        for (int i = 0; i < trays.Count(); ++i) AddTrayNode(trays.Get(i));
    }
    TransTRACK.SetPosition(options.transparency);
    BackCOLOR.SetPickedColor(options.backColor);
    UpdateSPIN.SetValue(static_cast<long>(options.update));
    PopHOTKEY.SetHotKey(static_cast<_shortcut>(options.hotkey));
    StickSPIN.SetValue(options.stick);
    OnTopCHECK.SetChecked(options.onTop);
    _autostart1.SetExe("corvex32.exe");
    DockCHECK.SetEnabled(dockAllowed);
    DockCHECK.SetChecked(dockAllowed && options.dock);
    loading_ = wasLoading;
}

_liveoptions TOPTIONS::Options() const {
    _liveoptions options;
    options.transparency = static_cast<int>(TransTRACK.Position());
    options.backColor = BackCOLOR.PickedColor();
    options.update = static_cast<unsigned>(UpdateSPIN.Value());
    options.hotkey = HotKeyCode();
    options.stick = static_cast<int>(StickSPIN.Value());
    options.onTop = OnTopCHECK.Checked();
    options.dock = DockCHECK.Checked();
    return options;
}

bool TOPTIONS::DockTicked() const { return DockCHECK.Checked(); }

int TOPTIONS::HotKeyCode() const noexcept {
    const _shortcut code = PopHOTKEY.HotKey();
    return ShortCutKey(code) == 0 ? SHORTCUT_NONE : code;
}

// ---- the controls

void TOPTIONS::Closed() {
    if (!engine_) return;
    const _shortcut code = static_cast<_shortcut>(HotKeyCode());
    engine_->_hotkey1.SetHotKey(code);
    if (code != SHORTCUT_NONE && !engine_->_hotkey1.Registered())
        Log(1, "ERROR: TOPTIONS.OkBUTTONClick: the shortcut %s is not available", ShortCutToText(code).c_str());
}

void TOPTIONS::OkBUTTONClick() { Close(); }

void TOPTIONS::UpdateSPINChange() {
    if (loading_ || !engine_) return;
    // Half-typed numbers wait; the box puts them into the range when left.
    long value = 0;
    if (UpdateSPIN.TypedValue(value) && value >= UpdateSPIN.MinValue() && value <= UpdateSPIN.MaxValue())
        engine_->SetUpdate(static_cast<unsigned>(value));
}

void TOPTIONS::StickSPINChange() {
    if (loading_ || !engine_) return;
    long value = 0;
    if (StickSPIN.TypedValue(value) && value >= StickSPIN.MinValue() && value <= StickSPIN.MaxValue())
        engine_->SetStick(static_cast<int>(value));
}

void TOPTIONS::OnTopCHECKClick() {
    if (loading_ || !engine_) return;
    engine_->SetOnTop(OnTopCHECK.Checked());
}

void TOPTIONS::DockCHECKClick() {
    if (loading_ || !engine_) return;
    engine_->UpdateDesktopArea(DockCHECK.Checked());
}

void TOPTIONS::TransTRACKChange() {
    if (loading_ || !engine_ || noTransparency_) return;
    engine_->SetTransparency(static_cast<int>(TransTRACK.Position()));
}

void TOPTIONS::BackCOLORChange() {
    if (loading_ || !engine_) return;
    engine_->SetBackColor(BackCOLOR.PickedColor());
}

void TOPTIONS::TrayColorChange(int bar) {
    if (loading_ || !engine_) return;
    const char* const handler = bar == 0 ? "Button1Click" : "Button2Click";
    _treenode* const node = OTREE.Selected();
    if (Check(!node, "TOPTIONS.%s: TREE.Selected==NIL", handler) == DEBUG_ASSERT) return;
    if (Check(node->Level() == 0, "TOPTIONS.%s: TREE.Selected.Level==0 (must be 1)", handler) == DEBUG_ASSERT)
        return;
    auto* const tray = static_cast<_traypulse*>(node->Data());
    if (Check(!tray, "TOPTIONS.%s: OTREE.Selected.Data==NIL", handler) == DEBUG_ASSERT) return;
    const _colors& lit = bar == 0 ? _colors1 : _colors3;
    const _colors& unlit = bar == 0 ? _colors2 : _colors4;
    engine_->UpdateTrayColor(tray, bar, lit.PickedColor(), unlit.PickedColor());
}

void TOPTIONS::AddBUTTONClick() {
    if (loading_ || !engine_) return;
    _traypulse* tray = nullptr;
    if (engine_->AddTray(&tray) != _OK) return;
    if (AddTrayNode(tray) == _OK) OTREE.SetSelected(TrayNode(tray));  // ready to be coloured
    Raise(OnTraysChanged);
}

void TOPTIONS::DelBUTTONClick() {
    if (loading_ || !engine_) return;
    _treenode* const node = OTREE.Selected();
    if (Check(!node, "TOPTIONS.DelBUTTONClick: OTREE.Selected==NIL") == DEBUG_ASSERT) return;
    if (Check(node->Level() == 0, "TOPTIONS.DelBUTTONClick: OTREE.Selected is 0 level (should be level 1)") ==
        DEBUG_ASSERT)
        return;
    // A gauge the bar could not delete keeps its entry: the entries are the
    // bar's list of gauges, in its order.
    if (DelTrayNode(static_cast<_traypulse*>(node->Data())) == _OK) Raise(OnTraysChanged);
}

void TOPTIONS::OTREEChange(_treenode* node) {
    if (!node || TopOf(*node).Index() != kTrayPage) return;
    if (node->Level() == 0) {
        ShowNoTray();
        return;
    }
    auto* const tray = static_cast<_traypulse*>(node->Data());
    if (Check(!tray, "TOPTIONS.OTREEChange: Tray==NIL") == DEBUG_ASSERT) return;
    // Shown, not sent back: the gauge has these colours already.
    const bool wasLoading = loading_;
    loading_ = true;
    _colors1.SetPickedColor(tray->KERNEL_GetBar(0)->ForeColor());
    _colors2.SetPickedColor(tray->KERNEL_GetBar(0)->BackColor());
    _colors3.SetPickedColor(tray->KERNEL_GetBar(1)->ForeColor());
    _colors4.SetPickedColor(tray->KERNEL_GetBar(1)->BackColor());
    loading_ = wasLoading;
    DelBUTTON.SetEnabled(true);
    ColorsGROUP.Show();
}

void TOPTIONS::ShowNoTray() {
    DelBUTTON.SetEnabled(false);
    ColorsGROUP.Hide();
}

}  // namespace corvex
