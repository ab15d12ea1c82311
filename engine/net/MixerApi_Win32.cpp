#include "MixerApi_Win32.h"

namespace corvex {

namespace {

HMIXEROBJ Object(HMIXER mixer) noexcept { return reinterpret_cast<HMIXEROBJ>(mixer); }

class _winmm final : public _mixerapi {
public:
    UINT GetNumDevs() noexcept override { return mixerGetNumDevs(); }
    MMRESULT GetDevCaps(UINT device, MIXERCAPSA* caps, UINT size) noexcept override {
        return mixerGetDevCapsA(device, caps, size);
    }
    MMRESULT Open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance,
                  DWORD flags) noexcept override {
        return mixerOpen(mixer, device, callback, instance, flags);
    }
    MMRESULT Close(HMIXER mixer) noexcept override { return mixerClose(mixer); }
    MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) noexcept override {
        return mixerGetLineInfoA(Object(mixer), line, flags);
    }
    MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* controls, DWORD flags) noexcept override {
        return mixerGetLineControlsA(Object(mixer), controls, flags);
    }
    MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) noexcept override {
        return mixerGetControlDetailsA(Object(mixer), details, flags);
    }
    MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) noexcept override {
        return mixerSetControlDetails(Object(mixer), details, flags);
    }
};

}  // namespace

_mixerapi& Win32Mixer() noexcept {
    static _winmm winmm;
    return winmm;
}

}  // namespace corvex
