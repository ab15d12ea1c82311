#pragma once
// A mixer device in memory behind the winmm wrapper, answering as a
// driver does and checking the arguments as strictly as Windows. Writes
// are kept in order; every change, the program's own or one made
// elsewhere, is posted to the window the device was opened with.

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "MixerApi_Win32.h"

namespace corvex::test {

class _testmixer final : public _mixerapi {
public:
    struct Control {
        DWORD id, type;
        std::vector<DWORD> values;  // one per channel of the line
        DWORD flags = 0;
    };
    struct Line {
        std::string name;
        DWORD type, channels;
        std::vector<Control> controls;
        std::vector<Line> sources;  // of a destination
    };
    // A control and the values written to it, one per channel passed.
    using Write = std::pair<DWORD, std::vector<DWORD>>;

    std::vector<Line> destinations;
    DWORD phantomDestinations = 0;  // reported but not answered
    std::vector<Write> writes;
    std::vector<DWORD> failing;  // controls whose values cannot be read or written
    HWND window = nullptr;
    int open = 0;  // handles open now

    // Speakers: the master (65535/32768, mute, meter), a single-channel
    // "Wave", a "Line In" without mute. Recording: a uniform volume, a
    // "Microphone" with a mute only, a four-channel "Rear".
    static _testmixer Card() {
        constexpr DWORD VOLUME = MIXERCONTROL_CONTROLTYPE_VOLUME, MUTE = MIXERCONTROL_CONTROLTYPE_MUTE;
        constexpr DWORD METER = MIXERCONTROL_CONTROLTYPE_PEAKMETER;
        _testmixer m;
        m.destinations = {
            {"Volume Control", MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 2,
             {{1, VOLUME, {65535, 32768}}, {2, MUTE, {0, 0}}, {3, METER, {}}},
             {{"Wave", MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 1, {{10, VOLUME, {30000}}, {11, MUTE, {0}}}, {}},
              {"Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE, 2, {{20, VOLUME, {20000, 10000}}}, {}}}},
            {"Recording Control", MIXERLINE_COMPONENTTYPE_DST_WAVEIN, 2,
             {{30, VOLUME, {50000, 50000}, MIXERCONTROL_CONTROLF_UNIFORM}, {31, MIXERCONTROL_CONTROLTYPE_ONOFF, {1}}},
             {{"Microphone", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 1, {{40, MUTE, {1}}}, {}},
              {"Rear", MIXERLINE_COMPONENTTYPE_SRC_ANALOG, 4, {{50, VOLUME, {4000, 3000, 2000, 1000}}, {51, METER, {}}},
               {}}}},
        };
        return m;
    }

    // Another program sets `control`.
    void ChangeElsewhere(DWORD control, std::vector<DWORD> values) {
        DWORD channels = 0;
        Find(control, channels)->values = std::move(values);
        PostMessageA(window, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<WPARAM>(Handle()), control);
    }

    UINT GetNumDevs() noexcept override { return destinations.empty() ? 0 : 1; }
    MMRESULT GetDevCaps(UINT device, MIXERCAPSA* caps, UINT size) noexcept override {
        if (device != 0 || size != sizeof *caps) return MMSYSERR_BADDEVICEID;
        *caps = MIXERCAPSA{};
        std::strcpy(caps->szPname, "Corvex Test Mixer");
        caps->cDestinations = static_cast<DWORD>(destinations.size()) + phantomDestinations;
        return MMSYSERR_NOERROR;
    }
    MMRESULT Open(HMIXER* mixer, UINT device, DWORD_PTR callback, DWORD_PTR, DWORD flags) noexcept override {
        window = reinterpret_cast<HWND>(callback);
        if (device != 0 || flags != CALLBACK_WINDOW || !IsWindow(window)) return MMSYSERR_INVALPARAM;
        ++open;
        *mixer = Handle();
        return MMSYSERR_NOERROR;
    }
    MMRESULT Close(HMIXER mixer) noexcept override {
        if (mixer == Handle()) --open;
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) noexcept override {
        const DWORD query = flags & MIXER_GETLINEINFOF_QUERYMASK;
        if (mixer != Handle() || !(flags & MIXER_OBJECTF_HMIXER) || line->cbStruct != sizeof *line ||
            (query != MIXER_GETLINEINFOF_SOURCE && query != MIXER_GETLINEINFOF_DESTINATION))
            return MMSYSERR_INVALPARAM;
        const DWORD source = query == MIXER_GETLINEINFOF_SOURCE ? line->dwSource + 1 : 0;
        const Line* found = LineOf(line->dwDestination << 16 | source);
        if (line->dwDestination > 0xFF || !found) return MIXERR_INVALLINE;
        line->dwLineID = line->dwDestination << 16 | source;
        line->dwComponentType = found->type;
        line->cChannels = found->channels;
        line->cConnections = static_cast<DWORD>(found->sources.size());
        line->cControls = static_cast<DWORD>(found->controls.size());
        std::strcpy(line->szName, found->name.c_str());
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* query, DWORD flags) noexcept override {
        const Line* line = LineOf(query->dwLineID);
        if (mixer != Handle() || flags != (MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL) || !line ||
            query->cbStruct != sizeof *query || query->cbmxctrl != sizeof(MIXERCONTROLA) ||
            query->cControls != line->controls.size())
            return MMSYSERR_INVALPARAM;
        for (std::size_t i = 0; i < line->controls.size(); ++i) {
            const Control& c = line->controls[i];
            query->pamxctrl[i] = MIXERCONTROLA{sizeof(MIXERCONTROLA), c.id, c.type, c.flags, 0, {}, {}, {}, {}};
        }
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* d, DWORD flags) noexcept override {
        return Details(mixer, *d, flags, false);
    }
    MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* d, DWORD flags) noexcept override {
        return Details(mixer, *d, flags, true);
    }

private:
    static HMIXER Handle() { return reinterpret_cast<HMIXER>(0x5A1); }

    // Line identifiers: the destination in the high word; 0 for itself,
    // or 1 + the source, in the low word.
    Line* LineOf(DWORD id) {
        const DWORD d = id >> 16, s = id & 0xFFFF;
        if (d >= destinations.size() || s > destinations[d].sources.size()) return nullptr;
        return s == 0 ? &destinations[d] : &destinations[d].sources[s - 1];
    }
    Control* Find(DWORD id, DWORD& channels) {
        for (DWORD d = 0; d < destinations.size(); ++d)
            for (DWORD s = 0; s <= destinations[d].sources.size(); ++s) {
                Line& line = *LineOf(d << 16 | s);
                channels = line.channels;
                for (Control& c : line.controls)
                    if (c.id == id) return &c;
            }
        return nullptr;
    }
    MMRESULT Details(HMIXER mixer, MIXERCONTROLDETAILS& d, DWORD flags, bool write) {
        DWORD channels = 0;
        Control* c = Find(d.dwControlID, channels);
        if (mixer != Handle() || flags != MIXER_OBJECTF_HMIXER || !c || d.cbStruct != sizeof d ||
            d.cbDetails != sizeof(DWORD) || d.cMultipleItems != 0)
            return MMSYSERR_INVALPARAM;
        // One value for all channels, or one for each (not for a uniform control).
        if (d.cChannels != 1 && ((c->flags & MIXERCONTROL_CONTROLF_UNIFORM) || d.cChannels != channels))
            return MMSYSERR_INVALPARAM;
        if (std::count(failing.begin(), failing.end(), c->id)) return MMSYSERR_ERROR;
        auto* values = static_cast<DWORD*>(d.paDetails);
        if (!write) {
            std::copy_n(c->values.begin(), d.cChannels, values);
            return MMSYSERR_NOERROR;
        }
        writes.emplace_back(c->id, std::vector<DWORD>(values, values + d.cChannels));
        for (std::size_t i = 0; i < c->values.size(); ++i) c->values[i] = values[d.cChannels == 1 ? 0 : i];
        PostMessageA(window, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<WPARAM>(Handle()), c->id);
        return MMSYSERR_NOERROR;
    }
};

}  // namespace corvex::test
