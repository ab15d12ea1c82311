#pragma once
// The multimedia mixer calls of winmm, behind one small interface so that
// a mixer device can be stood in for where the system has none.
//
//   _mixerapi         the calls the audio mixer makes, with winmm's
//                     arguments and results
//   Win32Mixer        the real winmm
//   _mixerref         an open mixer and the interface it came from
//   MixerHandle       owns an open mixer; closes it through its interface

#include <windows.h>

#include <mmsystem.h>

#include "Handle.h"

namespace corvex {

class _mixerapi {
public:
    virtual ~_mixerapi() = default;

    virtual UINT GetNumDevs() noexcept = 0;
    virtual MMRESULT GetDevCaps(UINT device, MIXERCAPSA* caps, UINT size) noexcept = 0;
    virtual MMRESULT Open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR instance,
                          DWORD flags) noexcept = 0;
    virtual MMRESULT Close(HMIXER mixer) noexcept = 0;
    virtual MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) noexcept = 0;
    virtual MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* controls, DWORD flags) noexcept = 0;
    virtual MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) noexcept = 0;
    virtual MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) noexcept = 0;
};

_mixerapi& Win32Mixer() noexcept;

struct _mixerref {
    HMIXER mixer = nullptr;
    _mixerapi* api = nullptr;

    friend bool operator==(const _mixerref& a, const _mixerref& b) noexcept {
        return a.mixer == b.mixer && a.api == b.api;
    }
    friend bool operator!=(const _mixerref& a, const _mixerref& b) noexcept { return !(a == b); }
};

struct MixerHandleTraits {
    using value_type = _mixerref;
    static value_type Invalid() noexcept { return {}; }
    static void Close(value_type h) noexcept {
        if (h.api) h.api->Close(h.mixer);
    }
};

using MixerHandle = _handle<MixerHandleTraits>;

}  // namespace corvex
