#include "CPU_Wizard_Launcher_Zolt2.h"

#include <windows.h>

namespace corvex {

namespace {
using _cpuentry = void(__stdcall*)();
}  // namespace

_result LaunchCpuInfo(const _aboutnotice& notice) {
    const _aboutnotice show = notice ? notice : _aboutnotice(&ShowWizardError);
    const ModuleHandle library = LoadCompanionLibrary("cpupanel32.dll");
    if (!library) {
        show("cpupanel32.dll not found or open failure");
        return _ERROR;
    }
    const auto entry = reinterpret_cast<_cpuentry>(reinterpret_cast<void*>(GetProcAddress(library.get(), "cpupanel_Go")));
    if (!entry) {
        show("cpupanel32.dll: function not thunked");
        return _ERROR;
    }
    entry();
    return _OK;
}

}  // namespace corvex
