#pragma once
// The Audio Sentinel and its volume sliders.
//
//   _audiosentinel  owns the audio mixer; one slider for the master level
//                   and one for the wave line, when the system has a mixer
//   _saudio         a slider Speeder of one mixer line (destination 0, the
//                   master level): follows the mixer's changes, and sets
//                   the line when moved, keeping its left/right balance
//   _swave          the first source line of destination 0
//
// Windows tree only.

#include <cstdint>
#include <optional>

#include "AudioBalance.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"

namespace corvex {

class _audiomixer;
class _mixerapi;
class _trackbar;

class _audiosentinel : public _sentinel {
public:
    explicit _audiosentinel(_component* owner);
    // The mixer's calls go to `api` (tests stand a mixer in).
    _audiosentinel(_component* owner, _mixerapi& api);
    ~_audiosentinel() override;

    // nullptr once released.
    _audiomixer* Mixer() const noexcept { return mixer_; }

    _result PlugSpeeders() override;
    // The sliders repaint on the new background too.
    _result SetColor(_color color) override;
    // Lets go of the mixer (before Windows ends the session, and at
    // destruction); the sliders then do nothing.
    virtual _result ReleaseMixer();
    // Opens the mixer again after a release whose session did not end, and
    // gives it back to the sliders, which read their lines again. _ERROR
    // when it does not open.
    _result RestoreMixer();

private:
    void MakeMixer();
    void OnMixerChange(std::int16_t destination, std::int16_t source);

    _mixerapi& api_;
    _audiomixer* mixer_ = nullptr;  // owned through the component list
};

class _saudio : public _speeder {
public:
    explicit _saudio(_component* owner);
    ~_saudio() override;

    // ---- attributes
    _audiomixer* Mixer() const noexcept { return mixer_; }
    void SetMixer(_audiomixer* mixer) noexcept { mixer_ = mixer; }
    std::int16_t Destination() const noexcept { return destination_; }
    std::int16_t Position() const noexcept { return position_; }
    _trackbar& TrackBar() const noexcept { return *track_; }
    const _audiobalance& Balance() const noexcept { return balance_; }
    // The levels and mute state last read or written.
    const _audiolevels& Levels() const noexcept { return levels_; }
    bool Muted() const noexcept { return muted_; }

    // ---- overrides
    _result Ignite() override;
    void Arrange(int left, int top, int width, int height) override;
    _result UpdateVisibility() override;

    // ---- operations
    // Mixer -> slider: reads the line and sets the slider and the balance
    // from it. _ERROR without a mixer or when the line cannot be read (the
    // slider then stays where it is).
    _result Reread();
    // Slider -> mixer: writes the slider's level with the balance kept.
    // Nothing while the slider is being set from the mixer; _ERROR without
    // a mixer or when the line cannot be written.
    _result Write();

protected:
    void SetLine(std::int16_t destination, std::int16_t position) noexcept {
        destination_ = destination;
        position_ = position;
    }

private:
    _audiomixer* mixer_ = nullptr;
    std::int16_t destination_ = 0;
    std::int16_t position_ = 0;
    _trackbar* track_ = nullptr;  // owned through the component list
    _audiobalance balance_;
    _audiolevels levels_;
    // What this slider wrote last: the mixer's news of it is no change.
    std::optional<_audiolevels> written_;
    bool muted_ = false;
    bool reading_ = false;
    bool accept_ = true;
};

class _swave : public _saudio {
public:
    explicit _swave(_component* owner);
};

}  // namespace corvex
