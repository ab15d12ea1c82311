#pragma once
// _groupbox: a captioned, etched frame around other controls. Drawn by the
// layer itself, so windowless labels inside it paint like anywhere else.

#include "Control.h"

namespace corvex {

class _groupbox : public _wincontrol {
public:
    _groupbox(_component* owner, _wincontrol* parent, const std::string& caption = {});

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }

protected:
    void PaintWindow(_canvas& canvas) override;
    _rect AlignArea() const noexcept override;

private:
    int CaptionHeight() const;
};

}  // namespace corvex
