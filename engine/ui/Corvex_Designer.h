#pragma once
// TDESIGNER, the Designer window, where the user edits the bar: the tree of
// the bar's Sentinels and their Speeders, a tool bar that hides, shows,
// adds, updates, destroys and reorders them, the common page of the
// selected Speeder, whose every control acts on the live Speeder at once,
// and the two pages a Sentinel kind and a Speeder kind build themselves
// (DesignerPage.h). It owns nothing of the model and stores nothing: the
// bar saves every setting when it shuts down.
//
// The window is made once, after the bar, and shown by Open. While it is
// hidden its tree is empty and does not follow the Sentinels; each Open
// builds it anew from the bar's list.

#include <string>

#include "Bitmap.h"
#include "Core_Zolt2.h"
#include "Form.h"
#include "SpeederOptions.h"

namespace corvex {

class TPULSE;
class _checkbox;
class _colors;
class _combobox;
class _gspeeder;
class _groupbox;
class _kindpage;
class _label;
class _mainmenu;
class _panel;
class _sentinel;
class _speedbutton;
class _speeder;
class _spinedit;
class _splitter;
class _statusbar;
class _toolbar;
class _trackbar;
class _treenode;
class _treeview;

class TDESIGNER : public _form {
public:
    // `bar` is the engine's bar: its Sentinel list is the one shown, and
    // it tells the Designer of Speeders added and removed while it runs.
    TDESIGNER(_component* owner, TPULSE& bar);
    ~TDESIGNER() override;

    // ---- components
    _toolbar& ToolBar1;
    _speedbutton& RefreshSPEED;
    _speedbutton& HideSPEED;
    _speedbutton& ShowSPEED;
    _speedbutton& DestroySPEED;
    _speedbutton& AddSPEED;
    _speedbutton& UpdateSPEED;
    _speedbutton& MoveUpSPEED;
    _speedbutton& MoveDownSPEED;
    _statusbar& STATUS;
    _treeview& TREE;
    _splitter& Splitter1;
    _panel& PagePANEL;  // right of the tree: everything below
    _panel& HiddenPANEL;
    _checkbox& HiddenCHECK;
    _panel& KSpeederPANEL;  // the common Speeder page
    _checkbox& MetersCHECK;
    _checkbox& NamedCHECK;
    _checkbox& IconedCHECK;
    _combobox& NickCOMBO;
    _label& FreqLABEL;
    _spinedit& FreqSPIN;
    _groupbox& GaugeGROUP;
    _trackbar& NickTRACK;
    _trackbar& HSpaceTRACK;
    _panel& ColorPANEL;
    _colors& L1COLOR;
    _colors& L2COLOR;
    _colors& L3COLOR;
    _colors& L4COLOR;
    _spinedit& L1SPIN;
    _spinedit& L2SPIN;
    _colors& BackCOLOR;
    _colors& FontCOLOR;
    _label& BorderLABEL;
    _colors& BorderCOLOR;
    _combobox& StyleCOMBO;
    _combobox& ArtCOMBO;
    _combobox& TrayCOMBO;
    _panel& DesignerPANEL;
    _panel& SpeederPANEL;  // the Speeder kind's page, 71 high
    _splitter& Splitter2;
    _panel& SentinelPANEL;  // the Sentinel kind's page
    _mainmenu& MainMenu1;
    _imagelist IMAGES;  // the bar's icon strip, then the Sentinels' band

    // ---- state
    // The page is being filled: the controls' change events do nothing.
    bool Loading() const noexcept { return loading_; }
    // The tree is being built: selection changes are not followed.
    bool Building() const noexcept { return building_; }
    // The node AddSpeeder made last.
    _treenode* LastAdded() const noexcept { return lastAdded_; }
    // The kind pages, while a kind holds them.
    const _kindpage& SentinelPage() const noexcept { return *sentinelPage_; }
    const _kindpage& SpeederPage() const noexcept { return *speederPage_; }

    // ---- what the bar and the Sentinel framework call
    // Builds the tree from the bar's list, shows the window, focuses the
    // tree and selects its first node.
    _result Open();
    _result BuildTree();
    // A Speeder node for `speeder` below its Sentinel's node (nothing
    // while the window is hidden); with `update` the bar is laid out anew.
    _result AddSpeeder(_treenode*& node, _sentinel* sentinel, bool update, _speeder* speeder);
    _result KillSpeeder(_sentinel* sentinel, _speeder* speeder, bool update);
    // Fills the page from `node` (also for the Options dialog, after a tray
    // gauge went, so that the tray list offers it no more).
    _result EnterEntity(_treenode* node);
    // Takes the kind pages back.
    _result LeaveEntity();
    _result SetEntityVisible(_treenode* node, bool visible);
    _result SetSpeederOption(_treenode* node, _speederoptions mask, bool on);

    // ---- the tool bar (the menu's F5 is RefreshSPEEDClick)
    void RefreshSPEEDClick();
    void HideSPEEDClick();
    void ShowSPEEDClick();
    void AddSPEEDClick();
    void UpdateSPEEDClick();
    void DestroySPEEDClick();
    void MoveUpSPEEDClick();
    void MoveDownSPEEDClick();

protected:
    // FormClose: the kind pages are taken back and the tree let go.
    void Closed() override;
    void Notification(_component& destroyed) override;

private:
    void BuildToolBar();
    void BuildSpeederPage();
    void BuildMenu();
    void Connect();
    void LoadImages();
    // A label of the page at (x, y) of `parent`, naming `control`.
    _label& PageLabel(_wincontrol& parent, const std::string& text, int x, int y, _wincontrol* control);

    // The Sentinel and the Speeder of a node (the Speeder none for a
    // Sentinel node).
    static _sentinel* SentinelOf(const _treenode* node) noexcept;
    static _speeder* SpeederOf(const _treenode* node) noexcept;
    _speeder* SelectedSpeeder() const noexcept;
    // The selected graph Speeder, or none.
    _gspeeder* SelectedGraph() const noexcept;
    _treenode* SentinelNode(const _sentinel* sentinel) const noexcept;
    int SpeederImage(const _speeder& speeder) const noexcept;

    void TREEChanging(_treenode* node);
    void TREEChange(_treenode* node);
    // The selection-change handler on the current selection: the page
    // again after an action changed the entry.
    void Refill();
    void EnterSpeeder(_sentinel& sentinel, _speeder& speeder);
    void EnterSentinel(_sentinel& sentinel);
    void FillGraph(_gspeeder& graph);
    void MoveSpeeder(_treenode& node, _treenode& other, const char* method, bool up);
    void MoveSentinel(_treenode& node, _treenode& other, const char* method, bool up);

    // ---- the common page's change events
    void OptionClick(_checkbox& box, _speederoptions mask);
    void HiddenCHECKClick();
    void LevelColorChange(int level);
    void LimitChange(int level);
    void BackCOLORChange();
    void FontCOLORChange();
    void BorderCOLORChange();
    void NickCOMBOChange();
    void NickTRACKChange();
    void HSpaceTRACKChange();
    void FreqSPINChange();
    void StyleCOMBOChange();
    void ArtCOMBOChange();
    void TrayCOMBOChange();
    // The checks every S-marked control makes: something is selected and
    // it is a Speeder node. False (reported) otherwise.
    bool SpeederSelected(const char* method, const void* sender, const char* control);

    TPULSE* bar_;  // cleared when the bar goes first
    _kindpage* sentinelPage_;
    _kindpage* speederPage_;
    int bandImage_ = -1;
    int museumImages_ = 0;
    bool loading_ = false;
    bool building_ = false;
    _treenode* lastAdded_ = nullptr;
    _speeder* killing_ = nullptr;  // the Speeder "&Destroy" is taking out
};

}  // namespace corvex
