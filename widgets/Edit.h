#pragma once
// Text entry over the system EDIT and up-down classes.
//
//   _edit      a one-line edit box; PasswordChar hides what is typed
//   _updown    the arrow pair inside a spin edit
//   _spinedit  an edit box for a whole number in [MinValue, MaxValue] with
//              arrows that step it by Increment; leaving it puts what it
//              holds back into the range

#include <functional>
#include <string>

#include "Control.h"

namespace corvex {

class _edit : public _wincontrol {
public:
    _edit(_component* owner, _wincontrol* parent);

    // Text() and SetText() hold the contents.
    char PasswordChar() const noexcept;
    void SetPasswordChar(char shown);  // 0: show the text
    bool ReadOnly() const noexcept;
    void SetReadOnly(bool on);
    void SetMaxLength(int characters);

    // Every change of the text, by the user or the program.
    _notifyevent OnChange;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnCommand(WPARAM wparam);
};

class _updown final : public _wincontrol {
public:
    _updown(_component* owner, _wincontrol* parent);
    // One step up (+1) or down (-1) was asked for.
    std::function<void(int direction)> OnStep;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    LRESULT OnNotify(LPARAM lparam);
};

class _spinedit : public _edit {
public:
    _spinedit(_component* owner, _wincontrol* parent);

    long MinValue() const noexcept { return min_; }
    long MaxValue() const noexcept { return max_; }
    // A range with MinValue > MaxValue is turned round.
    void SetRange(long minimum, long maximum);
    long Increment() const noexcept { return increment_; }
    void SetIncrement(long step) noexcept { increment_ = step > 0 ? step : 1; }

    // The number in the box, held to the range; MinValue when the box holds
    // no number.
    long Value() const;
    void SetValue(long value);
    // The box's number exactly as typed (no range applied); false when the
    // text is not a whole number.
    bool TypedValue(long& value) const;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Resized() override;
    void EnabledChanged() override;

private:
    LRESULT OnKillFocus(WPARAM wparam);
    long Clamp(long value) const noexcept;
    void Step(int direction);

    long min_ = 0;
    long max_ = 100;
    long increment_ = 1;
    _updown* arrows_;
};

}  // namespace corvex
