// cpupanel32.dll: the processor information the engine shows through
// "cpupanel_Go": the processor's name, kind, vendor and signature, the
// number of processors and the features the identification reports, as
// the engine's own processor identification reads them.

#include <windows.h>

#include <algorithm>
#include <vector>

#include "CPU_Win32.h"
#include "ModalPanel.h"
#include "PanelIds.h"
#include "PanelText.h"

namespace corvex {

namespace {

_cpufacts FactsOf(const _cpu& cpu) {
    _cpufacts facts;
    facts.name = cpu.FullName();
    facts.description = cpu.ProcessorDescription();
    facts.vendor = cpu.ProcessorVendor();
    facts.family = cpu.ProcessorFamily();
    facts.model = cpu.ProcessorModel();
    facts.stepping = cpu.ProcessorStepping();
    facts.processors = ProcessorCount();
    facts.hasCpuid = cpu.HasCPUID();
    facts.fpu = cpu.HasFPU();
    facts.timeStamp = cpu.HasTimeStamp();
    facts.apic = cpu.HasAPIC();
    return facts;
}

class _cpupanel final : public _modalpanel {
public:
    explicit _cpupanel(std::vector<_panelrow> rows)
        : _modalpanel(CPUPANEL_CLASS, "Processor information"), rows_(std::move(rows)) {}

private:
    static constexpr int kMaxValueWidth = 360;

    void Build() override {
        int captionWidth = 0, valueWidth = 160;
        for (const _panelrow& row : rows_) {
            captionWidth = std::max(captionWidth, static_cast<int>(MeasureText(row.first, BoldFont()).cx));
            valueWidth = std::max(valueWidth, static_cast<int>(MeasureText(row.second, nullptr).cx));
        }
        valueWidth = std::min(valueWidth, kMaxValueWidth);
        const int valueLeft = kMargin + captionWidth + kMargin;
        int y = kMargin;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const int id = static_cast<int>(i);
            const int height = std::max(MeasureText(rows_[i].first, BoldFont()).cy,
                                        MeasureText(rows_[i].second, nullptr, valueWidth).cy);
            AddLabel(rows_[i].first, CPUPANEL_CAPTION + id, RECT{kMargin, y, kMargin + captionWidth, y + height},
                     BoldFont());
            AddLabel(rows_[i].second, CPUPANEL_VALUE + id, RECT{valueLeft, y, valueLeft + valueWidth, y + height});
            y += height + kGap;
        }
        const int clientWidth = valueLeft + valueWidth + kMargin;
        SetClientSize(clientWidth, AddOkButton(clientWidth, y - kGap + kMargin));
    }

    std::vector<_panelrow> rows_;
};

}  // namespace

}  // namespace corvex

// Returns when the user has closed the panel; nothing may escape into the
// caller, which knows no C++ exceptions.
extern "C" __declspec(dllexport) void __stdcall cpupanel_Go() {
    try {
        const corvex::_cpu cpu;
        corvex::_cpupanel panel(corvex::CpuPanelRows(corvex::FactsOf(cpu)));
        panel.ShowModal();
    } catch (...) {
    }
}
