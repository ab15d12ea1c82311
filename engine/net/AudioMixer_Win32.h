#pragma once
// _audiomixer: the first multimedia mixer device of the system, its lines
// with their volume, mute and peak-meter controls, reading and writing a
// line's levels, and the changes other programs make to them.
//
//   _mixerreading   what reading a line gives
//   _mixer          the open device: handle, line list, notification window
//   _audiomixer     the component the Audio Sentinel owns
//
// Everything runs on the GUI thread: the device reports control changes as
// messages to a hidden window of this thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "AudioBalance.h"
#include "Component.h"
#include "Core_Zolt2.h"
#include "MixerApi_Win32.h"
#include "MixerLines.h"

namespace corvex {

class _audiomixer;
class _messagewindow;

struct _mixerreading {
    std::uint8_t flags = 0;  // _mixerlineflag
    bool muted = false;
    _audiolevels levels;
};

struct _mixer {
    bool open = false;
    _audiomixer* owner = nullptr;
    MixerHandle handle;
    _mixerlines lines;
    std::unique_ptr<_messagewindow> window;  // where the device's notifications arrive
};

class _audiomixer : public _component {
public:
    // A wave device number that means "none".
    static constexpr unsigned NO_DEVICE = 0xFFFFFFFFu;

    // Opens mixer device 0 through winmm.
    explicit _audiomixer(_component* owner);
    // The same through `api` (tests stand a mixer in).
    _audiomixer(_component* owner, _mixerapi& api);
    ~_audiomixer() override;

    // ---- properties
    // Kept for the settings of other parts, not used here.
    unsigned AudioDeviceID() const noexcept { return audioDeviceId_; }
    void SetAudioDeviceID(unsigned id) noexcept { audioDeviceId_ = id >= 10 ? NO_DEVICE : id; }
    bool SeparateCtrls() const noexcept { return separateCtrls_; }
    void SetSeparateCtrls(bool on) noexcept { separateCtrls_ = on; }
    unsigned MixerDeviceID() const noexcept { return mixerDeviceId_; }
    // Opens that device instead and builds its line list again.
    void SetMixerDeviceID(unsigned id);

    // Raised when a volume or mute control of a line changed, with the
    // line's destination and position.
    std::function<void(_audiomixer& sender, std::int16_t destination, std::int16_t source)> OnMixerChange;

    // ---- attributes
    bool Open() const noexcept { return mixer_.open; }
    const _mixerlines& Lines() const noexcept { return mixer_.lines; }
    // The text of the last control that could not be read or written.
    const std::string& LastError() const noexcept { return lastError_; }
    HWND NotifyWindow() const noexcept;

    // ---- operations
    // Reads the volume and mute controls of the line at (destination,
    // position) into `reading`. _ERROR when the mixer is not open, there is
    // no such line or a control failed (LastError tells which).
    _result ReadLine(std::int16_t destination, std::int16_t position, _mixerreading& reading);
    // Writes the levels (one value for a single-channel line), then the
    // mute state where the line has a mute control.
    _result WriteLine(std::int16_t destination, std::int16_t position, bool muted, const _audiolevels& levels);

private:
    bool OpenMixer(unsigned device);
    void CloseMixer() noexcept;
    // The destination's line and its source lines; false when one cannot be read.
    bool ReadDestination(DWORD destination);
    void AddLine(const MIXERLINEA& line, std::int16_t destination, std::int16_t position, bool speakers);
    void ReadControls(_mixerline& record, const MIXERLINEA& line);
    MMRESULT Details(bool write, std::uint32_t control, std::uint32_t channels, std::uint32_t* values);
    _result Fail(const char* text, std::int16_t destination, std::int16_t position);
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    _mixerapi& api_;
    _mixer mixer_;
    unsigned audioDeviceId_ = NO_DEVICE;
    unsigned mixerDeviceId_ = 0;
    bool separateCtrls_ = false;
    std::string lastError_;
};

}  // namespace corvex
