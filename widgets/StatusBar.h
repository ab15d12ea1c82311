#pragma once
// _statusbar: the common controls' status bar, aligned to the bottom of
// its parent, with panels of given widths (the last one takes the rest).

#include <string>
#include <vector>

#include "Control.h"

namespace corvex {

class _statusbar : public _wincontrol {
public:
    _statusbar(_component* owner, _wincontrol* parent);

    void SetPanels(const std::vector<int>& widths);
    int PanelCount() const noexcept { return static_cast<int>(widths_.size()); }
    std::string PanelText(int index) const;
    void SetPanelText(int index, const std::string& text);

protected:
    void Resized() override;

private:
    void ApplyParts();

    std::vector<int> widths_;
};

}  // namespace corvex
