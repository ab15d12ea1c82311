#pragma once
// The lines of a mixer device as the audio mixer keeps them.
//
//   _mixerline          one line: its place, name, controls and last levels
//   _mixerlineflag      flag bits of a line
//   _mixercontrolkind   the control types the mixer looks at
//   _mixerlines         the line list, in the order built: the device
//                       record first, then each destination followed by
//                       its source lines
//   RecordControl       what one control of a line adds to its record
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

// A control identifier meaning "none".
inline constexpr std::uint32_t MIXER_NO_CONTROL = 0xFFFF;
// The destination and position of the device record.
inline constexpr std::int16_t MIXER_DEVICE_LINE = -1;

enum _mixerlineflag : std::uint8_t {
    MIXERLINE_NO_MUTE = 128,        // the line has no mute control
    MIXERLINE_SINGLE_CHANNEL = 64,  // the volume is one value for all channels
};

struct _mixerline {
    std::int16_t destination = 0;
    std::int16_t position = 0;  // 0: the destination itself; 1, 2, ...: its sources
    std::string name;
    std::uint32_t volumeControl = MIXER_NO_CONTROL;
    std::uint16_t left = 0;
    std::uint16_t right = 0;
    std::uint32_t muteControl = MIXER_NO_CONTROL;
    bool muted = false;
    std::uint32_t meterControl = MIXER_NO_CONTROL;
    std::uint8_t meterChannels = 2;
    std::uint8_t flags = MIXERLINE_NO_MUTE;
    bool singleChannel = false;
    bool speakers = false;
    bool hasControls = false;

    bool HasVolume() const noexcept { return volumeControl != MIXER_NO_CONTROL; }
    bool HasMute() const noexcept { return muteControl != MIXER_NO_CONTROL; }
};

enum _mixercontrolkind : std::uint8_t {
    MIXERCONTROL_KIND_OTHER,
    MIXERCONTROL_KIND_VOLUME,
    MIXERCONTROL_KIND_MUTE,
    MIXERCONTROL_KIND_METER,
};

class _mixerlines {
public:
    void Clear() noexcept { lines_.clear(); }
    std::size_t Count() const noexcept { return lines_.size(); }
    const _mixerline& operator[](std::size_t index) const noexcept { return lines_[index]; }
    auto begin() const noexcept { return lines_.begin(); }
    auto end() const noexcept { return lines_.end(); }

    // Appends a line without controls.
    _mixerline& Add(std::int16_t destination, std::int16_t position, std::string name, bool speakers);
    // The first line at (destination, position), or nullptr.
    _mixerline* Find(std::int16_t destination, std::int16_t position) noexcept;
    // The first line whose volume or mute control is `control`, or nullptr.
    const _mixerline* FindControl(std::uint32_t control) const noexcept;

private:
    std::vector<_mixerline> lines_;
};

// Records control `id` of kind `kind` on `line`. `values` holds the
// control's current values, one per channel read: two for a volume read
// on both channels, one for a single-channel volume or a mute; a control
// whose values could not be read is not recorded (values null). A mute
// control is taken only when the line has none yet. `lineChannels` is the
// line's own channel count (for the meter).
void RecordControl(_mixerline& line, _mixercontrolkind kind, std::uint32_t id, const std::uint32_t* values,
                   std::size_t count, std::uint32_t lineChannels);

}  // namespace corvex
