#include "AudioMixer_Win32.h"

#include <cstring>
#include <vector>

#include "Debug_Zolt2.h"
#include "MessageWindow.h"

namespace corvex {

namespace {

// Bounds on what a driver reports, so that a damaged answer cannot make
// the list build for ever or allocate without end.
constexpr DWORD MAX_DESTINATIONS = 64;
constexpr DWORD MAX_SOURCES = 64;
constexpr DWORD MAX_CONTROLS = 256;

static_assert(sizeof(MIXERCONTROLDETAILS_UNSIGNED) == sizeof(std::uint32_t));
static_assert(sizeof(MIXERCONTROLDETAILS_BOOLEAN) == sizeof(std::uint32_t));

// A name from a fixed-size field, which a driver need not end with a zero.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

_mixercontrolkind KindOf(DWORD type) noexcept {
    switch (type) {
        case MIXERCONTROL_CONTROLTYPE_VOLUME: return MIXERCONTROL_KIND_VOLUME;
        case MIXERCONTROL_CONTROLTYPE_MUTE: return MIXERCONTROL_KIND_MUTE;
        case MIXERCONTROL_CONTROLTYPE_PEAKMETER: return MIXERCONTROL_KIND_METER;
        default: return MIXERCONTROL_KIND_OTHER;
    }
}

// Channels a volume is read and written with. Windows takes either one
// value for all channels or one per channel of the line; a line with more
// than two channels is handled as one value, as is a uniform control.
std::uint32_t VolumeChannels(const MIXERLINEA& line, const MIXERCONTROLA& control) noexcept {
    if (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) return 1;
    return line.cChannels == 2 ? 2 : 1;
}

std::uint16_t Level(std::uint32_t value) noexcept {
    return static_cast<std::uint16_t>(value > AUDIO_LEVEL_MAX ? AUDIO_LEVEL_MAX : value);
}

}  // namespace

_audiomixer::_audiomixer(_component* owner) : _audiomixer(owner, Win32Mixer()) {}

_audiomixer::_audiomixer(_component* owner, _mixerapi& api) : _component(owner), api_(api) {
    mixer_.owner = this;
    mixer_.window = std::make_unique<_messagewindow>(
        [this](UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
            return OnMessage(message, wparam, lparam, result);
        });
    mixer_.open = OpenMixer(mixerDeviceId_);
}

_audiomixer::~_audiomixer() {
    CloseMixer();
    mixer_.window.reset();
}

HWND _audiomixer::NotifyWindow() const noexcept { return mixer_.window ? mixer_.window->Handle() : nullptr; }

void _audiomixer::SetMixerDeviceID(unsigned id) {
    if (id == mixerDeviceId_) return;
    mixerDeviceId_ = id;
    CloseMixer();
    mixer_.open = OpenMixer(id);
}

bool _audiomixer::OpenMixer(unsigned device) {
    const UINT devices = api_.GetNumDevs();
    if (devices == 0 || device >= devices) {
        Log(20, "_audiomixer.OpenMixer(%u): no mixer device", device);
        return false;
    }
    MIXERCAPSA caps{};
    HMIXER mixer = nullptr;
    if (api_.GetDevCaps(device, &caps, sizeof caps) != MMSYSERR_NOERROR ||
        api_.Open(&mixer, device, reinterpret_cast<DWORD_PTR>(NotifyWindow()), 0,
                  MIXER_OBJECTF_MIXER | CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
        Log(1, "ERROR: _audiomixer.OpenMixer(%u): the device does not open", device);
        return false;
    }
    mixer_.handle.reset(_mixerref{mixer, &api_});
    mixer_.lines.Add(MIXER_DEVICE_LINE, MIXER_DEVICE_LINE, FieldText(caps.szPname), false);
    const DWORD destinations = caps.cDestinations < MAX_DESTINATIONS ? caps.cDestinations : MAX_DESTINATIONS;
    for (DWORD d = 0; d < destinations; ++d) {
        if (ReadDestination(d)) continue;
        // Half a list is no list: the device is let go, and no notification
        // can reach a mixer that is not open.
        Log(1, "ERROR: _audiomixer.OpenMixer(%u): the lines of \"%s\" cannot be read", device,
            FieldText(caps.szPname).c_str());
        CloseMixer();
        return false;
    }
    Log(20, "_audiomixer.OpenMixer(%u): \"%s\", %u lines", device, mixer_.lines[0].name.c_str(),
        static_cast<unsigned>(mixer_.lines.Count()));
    return true;
}

bool _audiomixer::ReadDestination(DWORD d) {
    const HMIXER mixer = mixer_.handle.get().mixer;
    const DWORD flags = MIXER_OBJECTF_HMIXER;
    MIXERLINEA line{};
    line.cbStruct = sizeof line;
    line.dwDestination = d;
    if (api_.GetLineInfo(mixer, &line, flags | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR) return false;
    const bool speakers = line.dwComponentType == MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    const auto destination = static_cast<std::int16_t>(d);
    AddLine(line, destination, 0, speakers);
    const DWORD sources = line.cConnections < MAX_SOURCES ? line.cConnections : MAX_SOURCES;
    for (DWORD s = 0; s < sources; ++s) {
        MIXERLINEA source{};
        source.cbStruct = sizeof source;
        source.dwDestination = d;
        source.dwSource = s;
        if (api_.GetLineInfo(mixer, &source, flags | MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR) return false;
        AddLine(source, destination, static_cast<std::int16_t>(s + 1), speakers);
    }
    return true;
}

void _audiomixer::CloseMixer() noexcept {
    mixer_.open = false;
    mixer_.handle.reset();
    mixer_.lines.Clear();
}

void _audiomixer::AddLine(const MIXERLINEA& line, std::int16_t destination, std::int16_t position, bool speakers) {
    _mixerline& record = mixer_.lines.Add(destination, position, FieldText(line.szName), speakers);
    ReadControls(record, line);
}

void _audiomixer::ReadControls(_mixerline& record, const MIXERLINEA& line) {
    // All controls are asked for at once, which Windows answers only for
    // the exact count the line reported.
    if (line.cControls == 0 || line.cControls > MAX_CONTROLS) return;
    std::vector<MIXERCONTROLA> controls(line.cControls);
    MIXERLINECONTROLSA query{};
    query.cbStruct = sizeof query;
    query.dwLineID = line.dwLineID;
    query.cControls = line.cControls;
    query.cbmxctrl = sizeof(MIXERCONTROLA);
    query.pamxctrl = controls.data();
    const DWORD flags = MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL;
    if (api_.GetLineControls(mixer_.handle.get().mixer, &query, flags) != MMSYSERR_NOERROR) return;
    for (const MIXERCONTROLA& control : controls) {
        const _mixercontrolkind kind = KindOf(control.dwControlType);
        // A control of several items per channel is no plain level or switch.
        if (kind == MIXERCONTROL_KIND_OTHER || (control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE)) continue;
        std::uint32_t values[2] = {};
        std::uint32_t channels = 0;
        if (kind == MIXERCONTROL_KIND_VOLUME) channels = VolumeChannels(line, control);
        if (kind == MIXERCONTROL_KIND_MUTE && !record.HasMute()) channels = 1;
        const bool read = channels > 0 && Details(false, control.dwControlID, channels, values) == MMSYSERR_NOERROR;
        RecordControl(record, kind, control.dwControlID, read ? values : nullptr, channels, line.cChannels);
    }
}

MMRESULT _audiomixer::Details(bool write, std::uint32_t control, std::uint32_t channels, std::uint32_t* values) {
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control;
    details.cChannels = channels;
    details.cbDetails = sizeof(std::uint32_t);
    details.paDetails = values;
    const HMIXER mixer = mixer_.handle.get().mixer;
    if (write) return api_.SetControlDetails(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE);
    return api_.GetControlDetails(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
}

_result _audiomixer::Fail(const char* text, std::int16_t destination, std::int16_t position) {
    lastError_ = text;
    Log(1, "ERROR: _audiomixer(%d,%d): %s", destination, position, text);
    return _ERROR;
}

_result _audiomixer::ReadLine(std::int16_t destination, std::int16_t position, _mixerreading& reading) {
    _mixerline* line = mixer_.open ? mixer_.lines.Find(destination, position) : nullptr;
    if (!line || !line->hasControls) return _ERROR;
    if (line->HasVolume()) {
        std::uint32_t values[2] = {};
        const std::uint32_t channels = line->singleChannel ? 1 : 2;
        if (Details(false, line->volumeControl, channels, values) != MMSYSERR_NOERROR)
            return Fail("Volume GetControlError in Mixer", destination, position);
        line->left = Level(values[0]);
        line->right = channels == 1 ? line->left : Level(values[1]);
    }
    if (line->HasMute()) {
        std::uint32_t value = 0;
        if (Details(false, line->muteControl, 1, &value) != MMSYSERR_NOERROR)
            return Fail("Mute GetControlError in Mixer", destination, position);
        line->muted = value != 0;
    }
    reading.flags = line->flags;
    reading.muted = line->muted;
    reading.levels.left = line->left;
    reading.levels.right = line->right;
    return _OK;
}

_result _audiomixer::WriteLine(std::int16_t destination, std::int16_t position, bool muted,
                               const _audiolevels& levels) {
    _mixerline* line = mixer_.open ? mixer_.lines.Find(destination, position) : nullptr;
    if (!line) return _ERROR;
    if (line->HasVolume()) {
        // One value for all channels: the louder, which the slider shows.
        std::uint32_t values[2] = {levels.left, levels.right};
        const std::uint32_t channels = line->singleChannel ? 1 : 2;
        if (channels == 1 && levels.right > levels.left) values[0] = levels.right;
        if (Details(true, line->volumeControl, channels, values) != MMSYSERR_NOERROR)
            return Fail("Volume SetControlError in Mixer", destination, position);
        line->left = Level(values[0]);
        line->right = channels == 1 ? line->left : Level(values[1]);
    }
    if (line->HasMute()) {
        std::uint32_t value = muted ? 1 : 0;
        if (Details(true, line->muteControl, 1, &value) != MMSYSERR_NOERROR)
            return Fail("Mute SetControlError in Mixer", destination, position);
        line->muted = muted;
    }
    return _OK;
}

bool _audiomixer::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (message != MM_MIXM_CONTROL_CHANGE) return false;
    result = 0;
    if (!mixer_.open || !OnMixerChange) return true;
    // Only our own handle's news: the window is ours, but a message is a
    // message.
    if (reinterpret_cast<HMIXER>(wparam) != mixer_.handle.get().mixer) return true;
    const _mixerline* line = mixer_.lines.FindControl(static_cast<std::uint32_t>(lparam));
    if (!line) return true;
    const std::int16_t destination = line->destination;
    const std::int16_t position = line->position;
    Raise(OnMixerChange, *this, destination, position);
    return true;
}

}  // namespace corvex
