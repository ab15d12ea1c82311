#include "MixerLines.h"

#include <utility>

namespace corvex {

namespace {

std::uint16_t Level(std::uint32_t value) noexcept {
    return static_cast<std::uint16_t>(value > 0xFFFF ? 0xFFFF : value);
}

}  // namespace

_mixerline& _mixerlines::Add(std::int16_t destination, std::int16_t position, std::string name, bool speakers) {
    _mixerline& line = lines_.emplace_back();
    line.destination = destination;
    line.position = position;
    line.name = std::move(name);
    line.speakers = speakers;
    return line;
}

_mixerline* _mixerlines::Find(std::int16_t destination, std::int16_t position) noexcept {
    for (_mixerline& line : lines_)
        if (line.destination == destination && line.position == position) return &line;
    return nullptr;
}

const _mixerline* _mixerlines::FindControl(std::uint32_t control) const noexcept {
    // A line without a control must not answer for the "none" identifier.
    if (control == MIXER_NO_CONTROL) return nullptr;
    for (const _mixerline& line : lines_)
        if (line.volumeControl == control || line.muteControl == control) return &line;
    return nullptr;
}

void RecordControl(_mixerline& line, _mixercontrolkind kind, std::uint32_t id, const std::uint32_t* values,
                   std::size_t count, std::uint32_t lineChannels) {
    switch (kind) {
        case MIXERCONTROL_KIND_VOLUME:
            if (!values || count == 0) return;
            line.volumeControl = id;
            line.left = Level(values[0]);
            line.singleChannel = count == 1;
            if (line.singleChannel) line.flags |= MIXERLINE_SINGLE_CHANNEL;
            else line.flags &= static_cast<std::uint8_t>(~MIXERLINE_SINGLE_CHANNEL);
            line.right = line.singleChannel ? line.left : Level(values[1]);
            line.hasControls = true;
            return;
        case MIXERCONTROL_KIND_MUTE:
            if (!values || count == 0 || line.HasMute()) return;
            line.muteControl = id;
            line.muted = values[0] != 0;
            line.flags &= static_cast<std::uint8_t>(~MIXERLINE_NO_MUTE);
            line.hasControls = true;
            return;
        case MIXERCONTROL_KIND_METER:
            line.meterControl = id;
            line.meterChannels = lineChannels == 1 ? 1 : 2;
            return;
        case MIXERCONTROL_KIND_OTHER: return;
    }
}

}  // namespace corvex
