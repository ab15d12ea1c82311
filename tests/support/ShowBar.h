#pragma once
// The bar of the showcase programs: a plain form standing in for the
// engine's bar, with the engine's own icon strip, for bands shown alone.

#include <string>

#include "Bitmap.h"
#include "Corvex_Kernel.h"
#include "Form.h"
#include "KernelPort.h"

namespace corvex::test {

class _showbar final : public _form, public _kernelport {
public:
    explicit _showbar(_component* owner) : _form(owner) { DrawMuseumStrip(strip_); }

    // The tray gauges the shown Speeders may drive, if any.
    _traycontainer* trays = nullptr;

    _result UpdateIgnition(const std::string&) override { return _OK; }
    _result KERNEL_UpdateSize() override { return _OK; }
    _result GetMuseumBitmap(_bitmap* image, int index) override {
        return image && strip_.GetBitmap(index, *image) ? _OK : _ERROR;
    }
    std::string HelpFolder() const override { return ""; }
    _traycontainer* TrayContainer() const noexcept override { return trays; }

private:
    _imagelist strip_;
};

}  // namespace corvex::test
