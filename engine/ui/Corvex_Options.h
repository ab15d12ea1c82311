#pragma once
// TOPTIONS: the Options dialog. Three pages, chosen in the tree on the left:
// "general" (start with Windows, stay on top, docking, the refresh interval,
// the shortcut that shows and hides the bar, the snapping distance), "tray"
// (the tray gauges, one tree entry each, with the colours of their two
// bars) and "colors" (the bar's translucency and background). Every control
// acts on the bar at once; from Launch on the controls are where the bar's
// options live, and the bar reads them back through _optionsholder when it
// saves. Created once with the bar, shown (not modally) from its menu.

#include <string>

#include "Core_Zolt2.h"
#include "Form.h"
#include "LiveOptions.h"

namespace corvex {

class TPULSE;
class _autostart;
class _button;
class _checkbox;
class _colors;
class _groupbox;
class _hotkeyfield;
class _label;
class _otree;
class _pagecontrol;
class _spinedit;
class _tabsheet;
class _trackbar;
class _traypulse;
class _treenode;

class TOPTIONS : public _form, public _optionsholder {
public:
    // `engine` is the bar the dialog acts on; the dialog forgets it when it
    // goes first.
    TOPTIONS(_component* owner, TPULSE& engine);
    ~TOPTIONS() override;

    // ---- controls
    _otree& OTREE;
    _pagecontrol& PAGE;
    _tabsheet& TabSheet1;  // "general"
    _tabsheet& TabSheet2;  // "tray"
    _tabsheet& TabSheet3;  // "colors"
    _checkbox& AutoCHECK;
    _checkbox& OnTopCHECK;
    _checkbox& DockCHECK;
    _label& UpdateLABEL;
    _spinedit& UpdateSPIN;
    _label& UpdateUnitLABEL;
    _label& PopLABEL;
    _hotkeyfield& PopHOTKEY;
    _label& StickLABEL;
    _spinedit& StickSPIN;
    _label& StickUnitLABEL;
    _groupbox& ColorsGROUP;
    _label& LeftLABEL;
    _label& RightLABEL;
    _label& LoadLABEL;
    _label& FreeLABEL;
    _colors& _colors1;  // bar 0, "load:"
    _colors& _colors2;  // bar 0, "free:"
    _colors& _colors3;  // bar 1, "load:"
    _colors& _colors4;  // bar 1, "free:"
    _button& AddBUTTON;
    _button& DelBUTTON;
    _label& TransLABEL;
    _trackbar& TransTRACK;
    _label& BackLABEL;
    _colors& BackCOLOR;
    _button& OkBUTTON;
    _autostart& _autostart1;

    // A tray gauge was added or deleted here: whatever offers the gauges
    // (the Designer's tray list) must offer them anew.
    _notifyevent OnTraysChanged;

    // ---- state
    TPULSE* Engine() const noexcept { return engine_; }
    // While set the controls' change events do nothing: the controls are
    // being filled, not changed by the user.
    bool Loading() const noexcept { return loading_; }
    void SetLoading(bool loading) noexcept { loading_ = loading; }
    // The system has no translucent windows: the slider is disabled and
    // moving it does nothing.
    bool NoTransparency() const noexcept { return noTransparency_; }

    // ---- for the engine
    // A tree entry below "tray" for a tray gauge, named by the number of
    // entries there + 1; _ERROR (and no entry) for none or one already there.
    // An entry goes by itself when its gauge goes.
    _result AddTrayNode(_traypulse* tray);
    // Deletes the tray gauge through the bar: _OK when it went.
    _result DelTrayNode(_traypulse* tray);
    // The entry of a tray gauge, or none.
    _treenode* TrayNode(const _component* tray) const noexcept;

    void FillOptions(const _liveoptions& options, bool dockAllowed) override;
    _liveoptions Options() const override;
    bool DockTicked() const override;

protected:
    // However the dialog is closed, the bar's hot key becomes the field's.
    void Closed() override;
    void Resized() override;
    void Notification(_component& destroyed) override;

private:
    void FormCreate();
    void OkBUTTONClick();
    void UpdateSPINChange();
    void StickSPINChange();
    void OnTopCHECKClick();
    void DockCHECKClick();
    void TransTRACKChange();
    void BackCOLORChange();
    // A "load:" or "free:" box of bar 0 or 1 changed.
    void TrayColorChange(int bar);
    void AddBUTTONClick();
    void DelBUTTONClick();
    void OTREEChange(_treenode* node);
    // No tray gauge chosen: nothing to colour or delete.
    void ShowNoTray();
    // The "tray" entry of the tree.
    _treenode* TrayRoot() const noexcept;
    // The field's combination as a shortcut code the settings keep: a
    // combination still being typed (modifiers, no key) is none.
    int HotKeyCode() const noexcept;

    TPULSE* engine_;
    bool loading_ = false;
    bool noTransparency_ = false;
};

}  // namespace corvex
