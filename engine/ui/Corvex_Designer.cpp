#include "Corvex_Designer.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "Button.h"
#include "Colors_Zolt2.h"
#include "ComboBox.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "Corvex_Tray.h"
#include "Debug_Zolt2.h"
#include "DesignerGlyphs.h"
#include "DesignerPage.h"
#include "DesignerRules.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Menu.h"
#include "Panel.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "TrackBar.h"
#include "TreeView.h"

namespace corvex {

namespace {

// The frequency box's range, milliseconds.
constexpr unsigned long kFrequencyMin = 10;
constexpr unsigned long kFrequencyMax = 100000000;
constexpr int kLimitMax = 100;
constexpr int kSpeederPageHeight = 71;

// The common page, top to bottom: the option boxes, nick, frequency, then
// the gauge group with its two track bars and the colour panel.
constexpr int kLabelX = 8;
constexpr int kFieldX = 80;
constexpr int kGroupTop = 72;
constexpr int kColorTop = 66;
constexpr int kColorRow = 22;
constexpr int kColorRows = 7;
constexpr int kColorHeight = kColorRows * kColorRow + 4;
constexpr int kGroupHeight = kColorTop + kColorHeight + 4;
constexpr int kPageHeight = kGroupTop + kGroupHeight + 4;

const char* const kStyles[] = {"oscillograph", "spectrum", "bar"};
const char* const kArts[] = {"shadow", "BeOS"};

_fontspec SmallFont() {
    _fontspec font;
    font.name = "Small Fonts";
    font.height = -9;
    font.color = SYSCOLOR_WINDOWTEXT;
    return font;
}

const char* NameOf(const _component* component) noexcept { return component ? component->Name().c_str() : ""; }

}  // namespace

TDESIGNER::TDESIGNER(_component* owner, TPULSE& bar)
    : _form(owner),
      ToolBar1(Make<_toolbar>(this)),
      RefreshSPEED(ToolBar1.AddButton("&Refresh")),
      HideSPEED(ToolBar1.AddButton("&Hide")),
      ShowSPEED(ToolBar1.AddButton("&Show")),
      DestroySPEED(ToolBar1.AddButton("&Destroy")),
      AddSPEED(ToolBar1.AddButton("&Add")),
      UpdateSPEED(ToolBar1.AddButton("&Update")),
      MoveUpSPEED(ToolBar1.AddButton("u&p")),
      MoveDownSPEED(ToolBar1.AddButton("&down")),
      STATUS(Make<_statusbar>(this)),
      TREE(Make<_treeview>(this)),
      Splitter1(Make<_splitter>(this, ALIGN_LEFT)),
      PagePANEL(Make<_panel>(this)),
      HiddenPANEL(Make<_panel>(&PagePANEL)),
      HiddenCHECK(Make<_checkbox>(&HiddenPANEL, "h&idden")),
      KSpeederPANEL(Make<_panel>(&PagePANEL)),
      MetersCHECK(Make<_checkbox>(&KSpeederPANEL, "&meters")),
      NamedCHECK(Make<_checkbox>(&KSpeederPANEL, "&named")),
      IconedCHECK(Make<_checkbox>(&KSpeederPANEL, "ic&oned")),
      NickCOMBO(Make<_combobox>(&KSpeederPANEL, COMBO_DROPDOWN)),
      FreqLABEL(Make<_label>(&KSpeederPANEL, "&frequency:")),
      FreqSPIN(Make<_spinedit>(&KSpeederPANEL)),
      GaugeGROUP(Make<_groupbox>(&KSpeederPANEL, " gauge ")),
      NickTRACK(Make<_trackbar>(&GaugeGROUP)),
      HSpaceTRACK(Make<_trackbar>(&GaugeGROUP)),
      ColorPANEL(Make<_panel>(&GaugeGROUP)),
      L1COLOR(Make<_colors>(&ColorPANEL)),
      L2COLOR(Make<_colors>(&ColorPANEL)),
      L3COLOR(Make<_colors>(&ColorPANEL)),
      L4COLOR(Make<_colors>(&ColorPANEL)),
      L1SPIN(Make<_spinedit>(&ColorPANEL)),
      L2SPIN(Make<_spinedit>(&ColorPANEL)),
      BackCOLOR(Make<_colors>(&ColorPANEL)),
      FontCOLOR(Make<_colors>(&ColorPANEL)),
      BorderLABEL(Make<_label>(&ColorPANEL, "border color:")),
      BorderCOLOR(Make<_colors>(&ColorPANEL)),
      StyleCOMBO(Make<_combobox>(&ColorPANEL, COMBO_DROPDOWNLIST)),
      ArtCOMBO(Make<_combobox>(&ColorPANEL, COMBO_DROPDOWNLIST)),
      TrayCOMBO(Make<_combobox>(&ColorPANEL, COMBO_DROPDOWNLIST)),
      DesignerPANEL(Make<_panel>(&PagePANEL)),
      SpeederPANEL(Make<_panel>(&DesignerPANEL)),
      Splitter2(Make<_splitter>(&DesignerPANEL, ALIGN_BOTTOM)),
      SentinelPANEL(Make<_panel>(&DesignerPANEL)),
      MainMenu1(Make<_mainmenu>()),
      IMAGES(16, 16, COLOR_FUCHSIA),
      bar_(&bar),
      sentinelPage_(&Make<_kindpage>(SentinelPANEL)),
      speederPage_(&Make<_kindpage>(SpeederPANEL)) {
    SetCaption("designer");
    _fontspec font;
    font.name = "MS Sans Serif";
    font.height = -11;
    SetFont(font);
    SetBounds(199, 146, 520, 590);
    SetMinSize(420, 480);

    BuildToolBar();
    STATUS.SetPanels({50, 50});
    TREE.SetWidth(217);
    TREE.SetAlign(ALIGN_LEFT);
    TREE.SetIndent(19);
    PagePANEL.SetBevelOuter(BEVEL_NONE);
    PagePANEL.SetAlign(ALIGN_CLIENT);
    HiddenPANEL.SetBevelOuter(BEVEL_NONE);
    HiddenPANEL.SetHeight(24);
    HiddenPANEL.SetAlign(ALIGN_TOP);
    HiddenCHECK.SetBounds(kLabelX, 4, 97, 17);
    BuildSpeederPage();
    DesignerPANEL.SetBevelOuter(BEVEL_NONE);
    DesignerPANEL.SetAlign(ALIGN_CLIENT);
    SpeederPANEL.SetBevelOuter(BEVEL_LOWERED);
    SpeederPANEL.SetHeight(kSpeederPageHeight);
    SpeederPANEL.SetAlign(ALIGN_BOTTOM);
    SentinelPANEL.SetBevelOuter(BEVEL_LOWERED);
    SentinelPANEL.SetAlign(ALIGN_CLIENT);
    BuildMenu();
    LoadImages();
    Connect();
}

TDESIGNER::~TDESIGNER() {
    LeaveEntity();
    if (bar_) {
        bar_->RemoveFreeNotification(*this);
        bar_->OnSpeederAdded = nullptr;
        bar_->OnSpeederRemoved = nullptr;
    }
    // The tree borrows IMAGES: the controls go while it exists.
    TREE.SetImages(nullptr);
    DestroyComponents();
}

// ---- building the window

void TDESIGNER::BuildToolBar() {
    struct Button {
        _speedbutton& button;
        _toolglyph glyph;
        const char* hint;
        void (TDESIGNER::*click)();
    };
    const Button buttons[] = {
        {RefreshSPEED, GLYPH_REFRESH, "build the tree anew (F5)", &TDESIGNER::RefreshSPEEDClick},
        {HideSPEED, GLYPH_HIDE, "hide the selected entry", &TDESIGNER::HideSPEEDClick},
        {ShowSPEED, GLYPH_SHOW, "show the selected entry", &TDESIGNER::ShowSPEEDClick},
        {DestroySPEED, GLYPH_DESTROY, "destroy the selected Speeder", &TDESIGNER::DestroySPEEDClick},
        {AddSPEED, GLYPH_ADD, "add a Speeder made from the Sentinel's page", &TDESIGNER::AddSPEEDClick},
        {UpdateSPEED, GLYPH_UPDATE, "give the selected Speeder the pages' settings", &TDESIGNER::UpdateSPEEDClick},
        {MoveUpSPEED, GLYPH_UP, "move the selected entry up", &TDESIGNER::MoveUpSPEEDClick},
        {MoveDownSPEED, GLYPH_DOWN, "move the selected entry down", &TDESIGNER::MoveDownSPEEDClick},
    };
    for (const Button& b : buttons) {
        b.button.SetFont(SmallFont());
        _bitmap glyph;
        DrawToolGlyph(glyph, b.glyph);
        b.button.SetGlyph(glyph);
        ToolBar1.SetHint(b.button, b.hint);
        const auto click = b.click;
        b.button.OnClick = [this, click] { (this->*click)(); };
    }
}

_label& TDESIGNER::PageLabel(_wincontrol& parent, const std::string& text, int x, int y, _wincontrol* control) {
    _label& label = Make<_label>(&parent, text);
    label.SetBounds(x, y, label.Width(), label.Height());
    label.SetFocusControl(control);
    return label;
}

void TDESIGNER::BuildSpeederPage() {
    KSpeederPANEL.SetBevelOuter(BEVEL_NONE);
    KSpeederPANEL.SetHeight(kPageHeight);
    KSpeederPANEL.SetAlign(ALIGN_TOP);
    MetersCHECK.SetBounds(kLabelX, 2, 80, 17);
    NamedCHECK.SetBounds(kLabelX + 84, 2, 80, 17);
    IconedCHECK.SetBounds(kLabelX + 168, 2, 80, 17);
    PageLabel(KSpeederPANEL, "ni&ck: ", kLabelX, 27, &NickCOMBO);
    NickCOMBO.SetBounds(kFieldX, 23, 200, 21);
    FreqLABEL.SetBounds(kLabelX, 51, FreqLABEL.Width(), FreqLABEL.Height());
    FreqLABEL.SetFocusControl(&FreqSPIN);
    FreqSPIN.SetBounds(kFieldX, 47, 100, 21);
    FreqSPIN.SetRange(static_cast<long>(kFrequencyMin), static_cast<long>(kFrequencyMax));
    FreqSPIN.SetValue(static_cast<long>(kFrequencyMin));

    GaugeGROUP.SetBounds(4, kGroupTop, 284, kGroupHeight);
    PageLabel(GaugeGROUP, "&width:", kLabelX, 20, &NickTRACK);
    NickTRACK.SetBounds(kFieldX - 4, 16, 190, 24);
    PageLabel(GaugeGROUP, "&height:", kLabelX, 44, &HSpaceTRACK);
    HSpaceTRACK.SetBounds(kFieldX - 4, 40, 190, 24);
    HSpaceTRACK.SetRange(SPEEDER_NBY_MIN, SPEEDER_NBY_MAX);
    HSpaceTRACK.SetPosition(14);
    NickTRACK.SetFrequency(5);
    HSpaceTRACK.SetFrequency(10);

    ColorPANEL.SetBevelOuter(BEVEL_NONE);
    ColorPANEL.SetBounds(2, kColorTop, 280, kColorHeight);
    const auto row = [](int n) { return 2 + n * kColorRow; };
    struct Box {
        _colors& box;
        const char* caption;
        int x, y;
        _color color;
    };
    const Box boxes[] = {
        {L1COLOR, "tolerable: ", 0, row(0), COLOR_GRAY},     {L2COLOR, "low level:", 0, row(1), COLOR_GRAY},
        {L3COLOR, "alarm level:", 0, row(2), COLOR_GRAY},    {L4COLOR, "stasis level:", 0, row(3), COLOR_GRAY},
        {BackCOLOR, "back color:", 0, row(4), COLOR_MAROON}, {FontCOLOR, "font color:", 132, row(4), COLOR_BLACK},
    };
    for (const Box& b : boxes) {
        // The second column (font colour) shares the back colour's row.
        PageLabel(ColorPANEL, b.caption, kLabelX + b.x, b.y + 3, nullptr);
        if (b.x)
            b.box.SetBounds(200, b.y, 66, 20);
        else
            b.box.SetBounds(kFieldX, b.y, &b.box == &BackCOLOR ? 48 : 86, 20);
        b.box.SetPickedColor(b.color);
    }
    BorderLABEL.SetBounds(kLabelX + 132, row(3) + 3, BorderLABEL.Width(), BorderLABEL.Height());
    BorderCOLOR.SetBounds(200, row(3), 66, 20);
    BorderLABEL.Hide();
    BorderCOLOR.Hide();
    int limit = 25;
    for (_spinedit* spin : {&L1SPIN, &L2SPIN}) {
        spin->SetBounds(kFieldX + 92, spin == &L1SPIN ? row(0) : row(1), 50, 21);
        spin->SetRange(0, kLimitMax);
        spin->SetValue(limit);
        limit = 50;
    }
    PageLabel(ColorPANEL, "style:", kLabelX, row(5) + 3, &StyleCOMBO);
    StyleCOMBO.SetBounds(kFieldX, row(5), 86, 21);
    for (const char* style : kStyles) StyleCOMBO.Add(style);
    PageLabel(ColorPANEL, "art:", kLabelX + 166, row(5) + 3, &ArtCOMBO);
    ArtCOMBO.SetBounds(200, row(5), 66, 21);
    for (const char* art : kArts) ArtCOMBO.Add(art);
    PageLabel(ColorPANEL, "tray:", kLabelX, row(6) + 3, &TrayCOMBO);
    TrayCOMBO.SetBounds(kFieldX, row(6), 86, 21);
}

void TDESIGNER::BuildMenu() {
    // Never shown: the two items only serve their short-cuts.
    _menuitem& close = MainMenu1.Items().Add("Close", MakeShortCut('W', false, true, false));
    close.OnClick = [this](_menuitem&) { Close(); };
    _menuitem& refresh = MainMenu1.Items().Add("Refresh", VK_F5);
    refresh.OnClick = [this](_menuitem&) { RefreshSPEEDClick(); };
    close.SetVisible(false);
    refresh.SetVisible(false);
    SetShortCutMenu(&MainMenu1);
}

void TDESIGNER::LoadImages() {
    _bitmap tile;
    for (int i = 0; i < bar_->MUSEUM.Count(); ++i)
        if (bar_->GetMuseumBitmap(&tile, i) == _OK && IMAGES.Add(tile) == i) museumImages_ = i + 1;
    _bitmap band;
    DrawBandPicture(band);
    bandImage_ = IMAGES.Add(band);
    TREE.SetImages(&IMAGES);
}

void TDESIGNER::Connect() {
    TREE.OnChanging = [this](_treenode* node) {
        TREEChanging(node);
        return true;
    };
    TREE.OnChange = [this](_treenode* node) { TREEChange(node); };
    HiddenCHECK.OnClick = [this] { HiddenCHECKClick(); };
    MetersCHECK.OnClick = [this] { OptionClick(MetersCHECK, SPEEDER_METERS); };
    NamedCHECK.OnClick = [this] { OptionClick(NamedCHECK, SPEEDER_NAMED); };
    IconedCHECK.OnClick = [this] { OptionClick(IconedCHECK, SPEEDER_ICONED); };
    NickCOMBO.OnChange = [this] { NickCOMBOChange(); };
    FreqSPIN.OnChange = [this] { FreqSPINChange(); };
    NickTRACK.OnChange = [this] { NickTRACKChange(); };
    HSpaceTRACK.OnChange = [this] { HSpaceTRACKChange(); };
    L1COLOR.OnChange = [this] { LevelColorChange(1); };
    L2COLOR.OnChange = [this] { LevelColorChange(2); };
    L3COLOR.OnChange = [this] { LevelColorChange(3); };
    L4COLOR.OnChange = [this] { LevelColorChange(4); };
    L1SPIN.OnChange = [this] { LimitChange(1); };
    L2SPIN.OnChange = [this] { LimitChange(2); };
    BackCOLOR.OnChange = [this] { BackCOLORChange(); };
    FontCOLOR.OnChange = [this] { FontCOLORChange(); };
    BorderCOLOR.OnChange = [this] { BorderCOLORChange(); };
    StyleCOMBO.OnChange = [this] { StyleCOMBOChange(); };
    ArtCOMBO.OnChange = [this] { ArtCOMBOChange(); };
    TrayCOMBO.OnChange = [this] { TrayCOMBOChange(); };

    // The tree follows the Speeders Sentinels take in and let go.
    bar_->FreeNotification(*this);
    bar_->OnSpeederAdded = [this](_sentinel& sentinel, _speeder& speeder) {
        _treenode* node = nullptr;
        AddSpeeder(node, &sentinel, false, &speeder);
    };
    bar_->OnSpeederRemoved = [this](_sentinel& sentinel, _speeder& speeder) {
        KillSpeeder(&sentinel, &speeder, false);
    };
}

void TDESIGNER::Notification(_component& destroyed) {
    _form::Notification(destroyed);
    if (&destroyed != bar_) return;
    // Its Sentinels went with it: no node may point at them any more.
    bar_ = nullptr;
    LeaveEntity();
    building_ = true;
    TREE.Clear();
    building_ = false;
}

// ---- nodes

_sentinel* TDESIGNER::SentinelOf(const _treenode* node) noexcept {
    if (!node) return nullptr;
    if (node->Level() == 0) return static_cast<_sentinel*>(node->Data());
    return node->Parent() ? static_cast<_sentinel*>(node->Parent()->Data()) : nullptr;
}

_speeder* TDESIGNER::SpeederOf(const _treenode* node) noexcept {
    return node && node->Level() == 1 ? static_cast<_speeder*>(node->Data()) : nullptr;
}

_speeder* TDESIGNER::SelectedSpeeder() const noexcept { return SpeederOf(TREE.Selected()); }

_gspeeder* TDESIGNER::SelectedGraph() const noexcept { return dynamic_cast<_gspeeder*>(SelectedSpeeder()); }

_treenode* TDESIGNER::SentinelNode(const _sentinel* sentinel) const noexcept {
    _treenode* selected = TREE.Selected();
    if (selected && selected->Level() == 0 && selected->Data() == sentinel) return selected;
    for (std::size_t i = 0; i < TREE.TopCount(); ++i)
        if (TREE.TopItem(i)->Data() == sentinel) return TREE.TopItem(i);
    return nullptr;
}

int TDESIGNER::SpeederImage(const _speeder& speeder) const noexcept {
    const int index = speeder.IconIndex();
    return index >= 0 && index < museumImages_ ? index : -1;
}

// ---- what the bar and the Sentinel framework call

_result TDESIGNER::Open() {
    BuildTree();
    Show();
    BringToFront();
    TREE.SetFocus();
    TREE.SetSelected(TREE.TopItem(0));
    return _OK;
}

_result TDESIGNER::BuildTree() {
    loading_ = building_ = true;
    sentinelPage_->Return();
    TREE.BeginUpdate();
    TREE.Clear();
    lastAdded_ = nullptr;
    for (std::size_t s = 0; bar_ && s < bar_->SentinelCount(); ++s) {
        _sentinel& sentinel = *bar_->Sentinels(s);
        _treenode& band = TREE.Add(nullptr, sentinel.Caption(), &sentinel);
        band.SetImageIndex(bandImage_);
        for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i) {
            _speeder& speeder = *sentinel.Speeders(i);
            TREE.Add(&band, speeder.Name(), &speeder).SetImageIndex(SpeederImage(speeder));
        }
        band.Expand(true);
    }
    TREE.EndUpdate();
    loading_ = building_ = false;
    sentinelPage_->Return();
    speederPage_->Return();
    return _OK;
}

_result TDESIGNER::AddSpeeder(_treenode*& node, _sentinel* sentinel, bool update, _speeder* speeder) {
    if (!Visible()) return _OK;
    node = nullptr;
    if (!sentinel || !speeder) {
        LogKernel("TDESIGNER.AddSpeeder(%p,%p,%p,%d): NULL input", static_cast<void*>(&node),
                  static_cast<void*>(sentinel), static_cast<void*>(speeder), update);
        return _ERROR;
    }
    _treenode* band = SentinelNode(sentinel);
    if (!band) {
        LogKernel("TDESIGNER.AddSpeeder(%p,%p,%p,%d): failed to find _sentinel", static_cast<void*>(&node),
                  static_cast<void*>(sentinel), static_cast<void*>(speeder), update);
        return _ERROR;
    }
    node = &TREE.Add(band, speeder->Name(), speeder);
    node->SetImageIndex(SpeederImage(*speeder));
    band->Expand(true);
    if (update && bar_) bar_->KERNEL_UpdateSize();
    lastAdded_ = node;
    return _OK;
}

_result TDESIGNER::KillSpeeder(_sentinel* sentinel, _speeder* speeder, bool update) {
    if (!Visible()) return _OK;
    // "&Destroy" took the node out before it let the Sentinel go.
    if (speeder && speeder == killing_) return _OK;
    if (!sentinel || !speeder) {
        LogKernel("TDESIGNER.KillSpeeder(%p,%p,%d): NULL input", static_cast<void*>(sentinel),
                  static_cast<void*>(speeder), update);
        return _ERROR;
    }
    _treenode* band = SentinelNode(sentinel);
    if (!band) {
        LogKernel("TDESIGNER.KillSpeeder(%p,%p,%d): failed to find _sentinel", static_cast<void*>(sentinel),
                  static_cast<void*>(speeder), update);
        return _ERROR;
    }
    _treenode* node = nullptr;
    for (std::size_t i = 0; i < band->Count() && !node; ++i)
        if (band->Item(i)->Data() == speeder) node = band->Item(i);
    if (!node) {
        LogKernel("TDESIGNER.KillSpeeder(%p,%p,%d): failed to find _speeder", static_cast<void*>(sentinel),
                  static_cast<void*>(speeder), update);
        return _ERROR;
    }
    // The pages let go of the Speeder while it still exists.
    if (TREE.Selected() == node) LeaveEntity();
    if (lastAdded_ == node) lastAdded_ = nullptr;
    TREE.Delete(*node);
    if (update && bar_) bar_->KERNEL_UpdateSize();
    return _OK;
}

_result TDESIGNER::LeaveEntity() {
    if (speederPage_->Lent()) {
        Log(40, "TDESIGNER.LeaveEntity: Destroying Speeder Designer");
        speederPage_->Return();
    }
    if (sentinelPage_->Lent()) {
        Log(40, "TDESIGNER.LeaveEntity: Destroying Sentinel Designer");
        sentinelPage_->Return();
    }
    return _OK;
}

void TDESIGNER::Closed() {
    LeaveEntity();
    // The tree would go stale while hidden: Open builds it anew.
    building_ = true;
    TREE.Clear();
    lastAdded_ = nullptr;
    building_ = false;
}

// ---- the selection and the page

void TDESIGNER::TREEChanging(_treenode* node) {
    Log(40, "TDESIGNER.LeaveEntity: Selected=%p Node=%p", static_cast<void*>(TREE.Selected()),
        static_cast<void*>(node));
    LeaveEntity();
}

void TDESIGNER::TREEChange(_treenode* node) {
    if (building_) return;
    Log(40, "TDESIGNER.TREEChange: Selected=%p Node=%p", static_cast<void*>(TREE.Selected()),
        static_cast<void*>(node));
    EnterEntity(TREE.Selected());
}

void TDESIGNER::Refill() { TREEChange(TREE.Selected()); }

_result TDESIGNER::EnterEntity(_treenode* node) {
    if (!node || !Visible() || !bar_) return _OK;
    _sentinel* sentinel = SentinelOf(node);
    if (!sentinel) return _OK;
    const bool outer = loading_;
    loading_ = true;
    if (_speeder* speeder = SpeederOf(node))
        EnterSpeeder(*sentinel, *speeder);
    else
        EnterSentinel(*sentinel);
    STATUS.SetPanelText(1, EntityText(node->Text()));
    loading_ = outer;
    return _OK;
}

void TDESIGNER::EnterSpeeder(_sentinel& sentinel, _speeder& speeder) {
    const bool hidden = speeder.Hidden();
    HiddenCHECK.SetChecked(hidden);
    HideSPEED.SetEnabled(!hidden);
    ShowSPEED.SetEnabled(hidden);

    const _speederoptions unsupported = speeder.Unsupported();
    const std::pair<_checkbox*, _speederoptions> options[] = {
        {&MetersCHECK, SPEEDER_METERS}, {&NamedCHECK, SPEEDER_NAMED}, {&IconedCHECK, SPEEDER_ICONED}};
    for (const auto& [box, mask] : options) {
        box->SetChecked((speeder.Options() & mask) && !(unsupported & mask));
        box->SetEnabled(!(unsupported & mask));
    }

    // The name is offered besides the nick, to go back to.
    const std::string nick = speeder.GetNick();
    NickCOMBO.Clear();
    NickCOMBO.Add(speeder.Name());
    if (nick != speeder.Name()) NickCOMBO.Add(nick);
    NickCOMBO.SetText(nick);
    HSpaceTRACK.SetPosition(speeder.NBY());
    NickTRACK.SetMax(SPEEDER_NBX_MAX);
    NickTRACK.SetPosition(speeder.NBX());

    const bool ownFrequency = (speeder.Options() & SPEEDER_FREQUENCY) != 0;
    FreqLABEL.SetEnabled(ownFrequency);
    FreqSPIN.SetEnabled(ownFrequency);
    unsigned period = 0;
    if (speeder.GetFrequency(period) == _ERROR) period = bar_->Settings().update;
    FreqSPIN.SetValue(static_cast<long>(std::min<unsigned long>(period, kFrequencyMax)));

    auto* graph = dynamic_cast<_gspeeder*>(&speeder);
    if (graph && (speeder.Options() & SPEEDER_GRAPH)) {
        FillGraph(*graph);
        ColorPANEL.Show();
    } else {
        ColorPANEL.Hide();
    }
    GaugeGROUP.Show();
    KSpeederPANEL.Show();

    if (sentinel.UserDefined())
        sentinelPage_->Lend(std::make_unique<_sentinelkind>(sentinel, &speeder));
    else
        sentinelPage_->Return();
    if (speeder.Options() & SPEEDER_DESIGNER)
        speederPage_->Lend(std::make_unique<_speederkind>(speeder));
    else
        speederPage_->Return();

    AddSPEED.SetEnabled(sentinel.UserDefined());
    UpdateSPEED.SetEnabled(sentinel.UserDefined());
    DestroySPEED.SetEnabled(sentinel.UserDefined());
    int t = -1, s = -1;
    bar_->FindSentinel(&sentinel, t);
    sentinel.FindSpeeder(&speeder, s);
    STATUS.SetPanelText(0, EntityPosition(t + 1, s + 1));
}

void TDESIGNER::FillGraph(_gspeeder& graph) {
    const _speederlevels& levels = graph.Levels();
    L1COLOR.SetPickedColor(levels.l1);
    L2COLOR.SetPickedColor(levels.l2);
    L3COLOR.SetPickedColor(levels.l3);
    L4COLOR.SetPickedColor(levels.l4);
    L1SPIN.SetValue(levels.l1Limit);
    L2SPIN.SetValue(levels.l2Limit);
    const _impulse& impulse = graph.Graph();
    StyleCOMBO.SetItemIndex(impulse.Style());
    BackCOLOR.SetPickedColor(impulse.BackColor());
    FontCOLOR.SetPickedColor(impulse.Font().color);
    BorderCOLOR.SetPickedColor(impulse.BorderColor1());
    ArtCOMBO.SetItemIndex((impulse.Art() & IMPULSE_SHADED) ? 0 : 1);

    _traycontainer* trays = bar_->TrayContainer();
    const int count = trays ? trays->Count() : 0;
    TrayCOMBO.Clear();
    for (const std::string& item : TrayItems(count)) TrayCOMBO.Add(item);
    const int tray = graph.Tray() && trays ? trays->IndexOf(graph.Tray()) : -1;
    TrayCOMBO.SetItemIndex(graph.TrayBarIndex() >= 0 ? TrayItem(tray, graph.TrayBarIndex(), count) : -1);
}

void TDESIGNER::EnterSentinel(_sentinel& sentinel) {
    const bool hidden = sentinel.Hidden();
    HideSPEED.SetEnabled(!hidden);
    ShowSPEED.SetEnabled(hidden);
    HiddenCHECK.SetChecked(hidden);
    KSpeederPANEL.Hide();
    speederPage_->Return();
    if (sentinel.UserDefined())
        sentinelPage_->Lend(std::make_unique<_sentinelkind>(sentinel, nullptr));
    else
        sentinelPage_->Return();
    AddSPEED.SetEnabled(sentinel.UserDefined());
    UpdateSPEED.SetEnabled(false);
    DestroySPEED.SetEnabled(false);
    int t = -1;
    bar_->FindSentinel(&sentinel, t);
    STATUS.SetPanelText(0, EntityPosition(t + 1, 0));
}

// ---- showing, hiding and the options

_result TDESIGNER::SetEntityVisible(_treenode* node, bool visible) {
    _sentinel* sentinel = SentinelOf(node);
    if (!sentinel || !bar_) return _ERROR;
    if (_speeder* speeder = SpeederOf(node)) {
        speeder->SetVisible(visible);
        // A Speeder that drives a tray bar keeps running out of sight, and
        // one that never stopped is not started twice.
        if (visible && speeder->Stopped())
            speeder->Start();
        else if (!visible && !(speeder->Options() & SPEEDER_TRAYED))
            speeder->Stop();
        sentinel->ArrangeSpeeders(sentinel->Left(), sentinel->Top(), -1, -1);
        bar_->KERNEL_UpdateSize();
    } else if (visible) {
        sentinel->ShowByUser();
    } else {
        sentinel->HideByUser();
    }
    return _OK;
}

_result TDESIGNER::SetSpeederOption(_treenode* node, _speederoptions mask, bool on) {
    _sentinel* sentinel = SentinelOf(node);
    _speeder* speeder = SpeederOf(node);
    if (!sentinel || !speeder || !bar_) return _ERROR;
    speeder->ChangeOption(mask, on);
    sentinel->ArrangeSpeeders(sentinel->Left(), sentinel->Top(), -1, -1);
    bar_->KERNEL_UpdateSize();
    return _OK;
}

void TDESIGNER::OptionClick(_checkbox& box, _speederoptions mask) {
    if (loading_) return;
    SetSpeederOption(TREE.Selected(), mask, box.Checked());
    Refill();
}

void TDESIGNER::HiddenCHECKClick() {
    if (loading_) return;
    SetEntityVisible(TREE.Selected(), !HiddenCHECK.Checked());
    Refill();
}

// ---- the other controls of the common page

bool TDESIGNER::SpeederSelected(const char* method, const void* sender, const char* control) {
    const _treenode* node = TREE.Selected();
    if (Check(!node, "TDESIGNER.%s(%p): NIL", method, sender) == DEBUG_ASSERT) return false;
    return Check(!SpeederOf(node), "TDESIGNER.%s(%p): %s enabled for Sentinel", method, sender, control) !=
           DEBUG_ASSERT;
}

void TDESIGNER::LevelColorChange(int level) {
    if (loading_) return;
    _gspeeder* graph = SelectedGraph();
    if (!graph) return;
    _speederlevels levels = graph->Levels();
    const _colors* boxes[] = {&L1COLOR, &L2COLOR, &L3COLOR, &L4COLOR};
    _color* colors[] = {&levels.l1, &levels.l2, &levels.l3, &levels.l4};
    *colors[level - 1] = boxes[level - 1]->PickedColor();
    graph->SetLevels(levels);
    graph->RefreshGauge();
}

void TDESIGNER::LimitChange(int level) {
    if (loading_) return;
    _gspeeder* graph = SelectedGraph();
    long typed = 0;
    _spinedit& spin = level == 1 ? L1SPIN : L2SPIN;
    if (!graph || !spin.TypedValue(typed)) return;  // not a number (yet)
    _speederlevels levels = graph->Levels();
    (level == 1 ? levels.l1Limit : levels.l2Limit) = static_cast<std::int32_t>(std::clamp<long>(typed, 0, kLimitMax));
    graph->SetLevels(levels);
    graph->Refresh(0, true);
}

void TDESIGNER::BackCOLORChange() {
    if (loading_) return;
    if (_gspeeder* graph = SelectedGraph()) {
        graph->Graph().SetBackColor(BackCOLOR.PickedColor());
        graph->Graph().Flush();
    }
}

void TDESIGNER::FontCOLORChange() {
    if (loading_) return;
    if (_gspeeder* graph = SelectedGraph()) {
        graph->Graph().SetFontColor(FontCOLOR.PickedColor());
        graph->Graph().Flush();
    }
}

void TDESIGNER::BorderCOLORChange() {
    if (loading_) return;
    if (_gspeeder* graph = SelectedGraph()) {
        graph->Graph().SetBorderColor1(BorderCOLOR.PickedColor());
        graph->Graph().Flush();
    }
}

void TDESIGNER::NickCOMBOChange() {
    if (loading_ || !SpeederSelected("NickCOMBOChange", &NickCOMBO, "NickCOMBO")) return;
    SelectedSpeeder()->SetNick(NickCOMBO.Text());
}

void TDESIGNER::NickTRACKChange() {
    if (loading_ || !SpeederSelected("NickTRACKChange", &NickTRACK, "NickTRACK")) return;
    _speeder& speeder = *SelectedSpeeder();
    speeder.SetNBX(static_cast<int>(NickTRACK.Position()));
    speeder.Rearrange();
}

void TDESIGNER::HSpaceTRACKChange() {
    if (loading_ || !SpeederSelected("HSpaceTRACKChange", &HSpaceTRACK, "NHSpaceTRACK")) return;
    SelectedSpeeder()->SetNBY(static_cast<int>(HSpaceTRACK.Position()));
    if (bar_) bar_->KERNEL_UpdateSize();
}

void TDESIGNER::FreqSPINChange() {
    if (loading_) return;
    _speeder* speeder = SelectedSpeeder();
    if (Check(!speeder, "TDESIGNER.FreqSPINChange(%p): not a _speeder node", static_cast<void*>(&FreqSPIN)) ==
        DEBUG_ASSERT)
        return;
    const _frequencyentry entry = ReadFrequencyBox(FreqSPIN.Text(), kFrequencyMin, kFrequencyMax);
    if (!entry.rewrite.empty()) {
        loading_ = true;
        FreqSPIN.SetText(entry.rewrite);
        loading_ = false;
    }
    if (entry.action == _frequencyentry::FREQUENCY_SET) speeder->SetFrequency(static_cast<unsigned>(entry.period));
}

void TDESIGNER::StyleCOMBOChange() {
    if (loading_ || !SpeederSelected("StyleCOMBOChange", &StyleCOMBO, "StyleCOMBO")) return;
    _gspeeder* graph = SelectedGraph();
    if (Check(!graph, "TDESIGNER.StyleCOMBOChange(%p): not _gspeeder", static_cast<void*>(&StyleCOMBO)) ==
        DEBUG_ASSERT)
        return;
    const int index = StyleCOMBO.ItemIndex();
    if (Check(index < IMPULSE_OSCILLO || index > IMPULSE_PROGRESSOR,
              "TDESIGNER.StyleCOMBOChange(%p): invalid StyleCOMBO index: %d", static_cast<void*>(&StyleCOMBO),
              index) == DEBUG_ASSERT)
        return;
    graph->Graph().SetStyle(static_cast<_istyle>(index));
    graph->Graph().Flush();
}

void TDESIGNER::ArtCOMBOChange() {
    if (loading_) return;
    if (Check(!TREE.Selected(), "TDESIGNER.ArtCOMBOChange(%p): NIL", static_cast<void*>(&ArtCOMBO)) == DEBUG_ASSERT)
        return;
    _gspeeder* graph = SelectedGraph();
    if (Check(!graph, "TDESIGNER.ArtCOMBOChange(%p): not _gspeeder", static_cast<void*>(&ArtCOMBO)) == DEBUG_ASSERT)
        return;
    _impulse& impulse = graph->Graph();
    switch (ArtCOMBO.ItemIndex()) {
        case 0:  // shadow: the 3-D frame and bar
            impulse.SetArt(static_cast<_iart>(impulse.Art() | IMPULSE_SHADED));
            impulse.SetBorderColor1(SYSCOLOR_BTNSHADOW);
            break;
        case 1:  // BeOS: flat, in a black frame
            impulse.SetArt(static_cast<_iart>(impulse.Art() & ~IMPULSE_SHADED));
            impulse.SetBorderColor1(COLOR_BLACK);
            break;
        default: return;
    }
    impulse.Flush();
}

void TDESIGNER::TrayCOMBOChange() {
    if (loading_) return;
    if (Check(!TREE.Selected(), "TDESIGNER.TrayCOMBOChange(%p): NIL", static_cast<void*>(&TrayCOMBO)) ==
        DEBUG_ASSERT)
        return;
    _gspeeder* graph = SelectedGraph();
    if (Check(!graph, "TDESIGNER.TrayCOMBOChange(%p): not _gspeeder", static_cast<void*>(&TrayCOMBO)) ==
        DEBUG_ASSERT)
        return;
    _traycontainer* trays = bar_ ? bar_->TrayContainer() : nullptr;
    const _trayplace place = TrayOfItem(TrayCOMBO.ItemIndex(), trays ? trays->Count() : 0);
    if (place.tray < 0) return;
    _traypulse* tray = trays->Get(place.tray);
    if (graph->AttachTray(tray, place.bar) != _OK)
        Check(true, "TDESIGNER.TrayCOMBOChange: could not Attach %p to Tray %p on index %d",
              static_cast<void*>(graph), static_cast<void*>(tray), place.bar);
}

// ---- the tool bar

void TDESIGNER::RefreshSPEEDClick() {
    BuildTree();
    TREE.SetFocus();
    TREE.SetSelected(TREE.TopItem(0));
}

void TDESIGNER::HideSPEEDClick() {
    SetEntityVisible(TREE.Selected(), false);
    Refill();
}

void TDESIGNER::ShowSPEEDClick() {
    SetEntityVisible(TREE.Selected(), true);
    Refill();
}

void TDESIGNER::AddSPEEDClick() {
    _treenode* node = TREE.Selected();
    if (Check(!node, "TDESIGNER.AddSPEEDClick(%p): NIL", static_cast<void*>(&AddSPEED)) == DEBUG_ASSERT) return;
    _sentinel* sentinel = SentinelOf(node);
    if (!sentinel) return;
    lastAdded_ = nullptr;
    _speeder* made = nullptr;
    // The kind makes the Speeder from its page and adds it: its node comes
    // back here through AddSpeeder.
    if (sentinel->OnAddSpeeder(made) == _OK && lastAdded_) TREE.SetSelected(lastAdded_);
}

void TDESIGNER::UpdateSPEEDClick() {
    _treenode* node = TREE.Selected();
    if (Check(!node, "TDESIGNER.UpdateSPEEDClick(%p): NIL", static_cast<void*>(&UpdateSPEED)) == DEBUG_ASSERT)
        return;
    _sentinel* sentinel = SentinelOf(node);
    _speeder* speeder = SpeederOf(node);
    if (!sentinel || sentinel->RedesignSpeeder(speeder) != _OK) return;
    node->SetText(speeder->Name());
    // The pages show what the Speeder holds now.
    LeaveEntity();
    Refill();
}

void TDESIGNER::DestroySPEEDClick() {
    _treenode* node = TREE.Selected();
    if (Check(!node, "TDESIGNER.DestroySPEEDClick(%p): NIL", static_cast<void*>(&DestroySPEED)) == DEBUG_ASSERT)
        return;
    if (node->Level() == 0) {
        LogKernel("TDESIGNER.DestroySPEEDClick: Sentinel destroy signal for %s", node->Text().c_str());
        return;
    }
    if (!node->Parent()) {
        LogKernel("TDESIGNER.DestroySPEEDClick: no parent for %s", node->Text().c_str());
        return;
    }
    _sentinel* sentinel = SentinelOf(node);
    _speeder* speeder = SpeederOf(node);
    LeaveEntity();
    if (lastAdded_ == node) lastAdded_ = nullptr;
    killing_ = speeder;
    TREE.Delete(*node);
    sentinel->KillSpeeder(speeder);
    killing_ = nullptr;
    if (bar_) bar_->KERNEL_UpdateSize();
    Refill();
}

void TDESIGNER::MoveUpSPEEDClick() {
    Log(10, "TDESIGNER.MoveUpSPEEDClick: <-");
    _treenode* node = TREE.Selected();
    if (_treenode* previous = node ? node->PreviousSibling() : nullptr) {
        if (node->Level() == 1)
            MoveSpeeder(*node, *previous, "MoveUpSPEEDClick", true);
        else
            MoveSentinel(*node, *previous, "MoveUpSPEEDClick", true);
    }
    Log(10, "TDESIGNER.MoveUpSPEEDClick: ->");
}

void TDESIGNER::MoveDownSPEEDClick() {
    Log(10, "TDESIGNER.MoveDownSPEEDClick: <-");
    _treenode* node = TREE.Selected();
    if (_treenode* next = node ? node->NextSibling() : nullptr) {
        if (node->Level() == 1)
            MoveSpeeder(*node, *next, "MoveDownSPEEDClick", false);
        else
            MoveSentinel(*node, *next, "MoveDownSPEEDClick", false);
    }
    Log(10, "TDESIGNER.MoveDownSPEEDClick: ->");
}

void TDESIGNER::MoveSpeeder(_treenode& node, _treenode& other, const char* method, bool up) {
    _sentinel* sentinel = SentinelOf(&node);
    _speeder* speeder = SpeederOf(&node);
    _speeder* neighbour = SpeederOf(&other);
    Log(20, "TDESIGNER.%s: exchanging _speeders: %d (%s) and %d (%s)", method, node.Index(), NameOf(speeder),
        other.Index(), NameOf(neighbour));
    if (!sentinel || sentinel->ExchangeSpeeders(speeder, neighbour) == _ERROR) {
        Log(20, "TDESIGNER.%s: failed to exchange _speeders: %p(%s) and %p(%s)", method, static_cast<void*>(speeder),
            NameOf(speeder), static_cast<void*>(neighbour), NameOf(neighbour));
        return;
    }
    sentinel->ArrangeSpeeders(sentinel->Left(), sentinel->Top(), -1, -1);
    if (up)
        node.MoveBefore(other);
    else
        other.MoveBefore(node);
    Refill();
}

void TDESIGNER::MoveSentinel(_treenode& node, _treenode& other, const char* method, bool up) {
    _sentinel* sentinel = SentinelOf(&node);
    _sentinel* neighbour = SentinelOf(&other);
    Log(20, "TDESIGNER.%s: exchanging _sentinels: %d (%s) and %d (%s)", method, node.Index(),
        sentinel ? sentinel->Caption().c_str() : "", other.Index(), neighbour ? neighbour->Caption().c_str() : "");
    if (!bar_ || bar_->ExchangeSentinels(sentinel, neighbour) == _ERROR) return;
    bar_->KERNEL_UpdateSize();
    if (up)
        node.MoveBefore(other);
    else
        other.MoveBefore(node);
    Refill();
}

}  // namespace corvex
