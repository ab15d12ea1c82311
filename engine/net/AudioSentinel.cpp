#include "AudioSentinel.h"

#include "AudioMixer_Win32.h"
#include "Debug_Zolt2.h"
#include "TrackBar.h"

namespace corvex {

// ---- _audiosentinel

_audiosentinel::_audiosentinel(_component* owner) : _audiosentinel(owner, Win32Mixer()) {}

_audiosentinel::_audiosentinel(_component* owner, _mixerapi& api) : _sentinel(owner), api_(api) {
    MakeMixer();
    SetCaption("Audio Sentinel");
}

void _audiosentinel::MakeMixer() {
    mixer_ = &Make<_audiomixer>(api_);
    mixer_->OnMixerChange = [this](_audiomixer&, std::int16_t destination, std::int16_t source) {
        OnMixerChange(destination, source);
    };
}

_audiosentinel::~_audiosentinel() { ReleaseMixer(); }

_result _audiosentinel::PlugSpeeders() {
    _sentinel::PlugSpeeders();
    if (!mixer_ || !mixer_->Open()) return _OK;
    _speeder* made = nullptr;
    if (LinkSpeeder<_saudio>("audio", made) == _OK) static_cast<_saudio*>(made)->SetMixer(mixer_);
    if (LinkSpeeder<_swave>("wav", made) == _OK) static_cast<_saudio*>(made)->SetMixer(mixer_);
    return _OK;
}

_result _audiosentinel::SetColor(_color color) {
    _sentinel::SetColor(color);
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        auto* slider = dynamic_cast<_saudio*>(Speeders(i));
        if (!slider) continue;
        _trackbar& track = slider->TrackBar();
        track.SetColor(color);
        // The track bar keeps the background it once painted until its
        // size changes: a pixel wider and back makes it paint the new one.
        track.SetWidth(track.Width() + 1);
        track.SetWidth(track.Width() - 1);
    }
    return _OK;
}

_result _audiosentinel::ReleaseMixer() {
    Log(10, "_audiosentinel.ReleaseMixer: <-");
    for (std::size_t i = 0; i < SpeederCount(); ++i)
        if (auto* slider = dynamic_cast<_saudio*>(Speeders(i))) slider->SetMixer(nullptr);
    if (mixer_) Destroy(mixer_);
    mixer_ = nullptr;
    Log(10, "_audiosentinel.ReleaseMixer: ->");
    return _OK;
}

_result _audiosentinel::RestoreMixer() {
    Log(10, "_audiosentinel.RestoreMixer: <-");
    if (!mixer_) MakeMixer();
    const bool open = mixer_->Open();
    for (std::size_t i = 0; i < SpeederCount(); ++i)
        if (auto* slider = dynamic_cast<_saudio*>(Speeders(i))) {
            slider->SetMixer(open ? mixer_ : nullptr);
            slider->Reread();
        }
    Log(10, "_audiosentinel.RestoreMixer: -> %d", open ? _OK : _ERROR);
    return open ? _OK : _ERROR;
}

void _audiosentinel::OnMixerChange(std::int16_t destination, std::int16_t source) {
    for (std::size_t i = 0; i < SpeederCount(); ++i) {
        auto* slider = dynamic_cast<_saudio*>(Speeders(i));
        if (slider && slider->Destination() == destination && slider->Position() == source) {
            slider->Reread();
            return;
        }
    }
}

// ---- _saudio

_saudio::_saudio(_component* owner) : _speeder(owner) {
    SetOption(SPEEDER_GRAPH | SPEEDER_METERS, false);
    SetOption(SPEEDER_UNTIMED, true);  // the mixer's notifications drive it
    SetUnsupported(Unsupported() | SPEEDER_GRAPH | SPEEDER_METERS);
    SetAmounts(Free(), 100);
    SetName("audio");
    SetIconIndex(6);
    SetHelpAnchor("_saudio");

    auto* panel = dynamic_cast<_wincontrol*>(owner);
    track_ = &Make<_trackbar>(panel);
    track_->SetBounds(0, 0, 0, 0);
    track_->SetRange(0, AUDIO_SLIDER_MAX);
    track_->SetTickMarks(TICKMARKS_BOTH);
    track_->SetTicksDrawn(false);
    track_->SetThumbLength(10);
    if (panel) track_->SetColor(panel->Color());
    track_->OnChange = [this] { Write(); };
}

_saudio::~_saudio() = default;

_result _saudio::Ignite() {
    _speeder::Ignite();
    return Reread();
}

void _saudio::Arrange(int left, int top, int width, int height) {
    _speeder::Arrange(left, top, width, height);
    const _rect& a = Area();
    track_->SetBounds(a.left, a.top, a.Width(), a.Height());
}

_result _saudio::UpdateVisibility() {
    track_->SetVisible(!Hidden());
    return _speeder::UpdateVisibility();
}

_result _saudio::Reread() {
    if (!mixer_) return _ERROR;
    reading_ = true;
    _mixerreading reading;
    const _result result = mixer_->ReadLine(destination_, position_, reading);
    if (result == _OK) {
        muted_ = reading.muted;
        levels_ = reading.levels;
        if (accept_) {
            // Our own write coming back holds rounded levels: the balance
            // they would give drifts from the one the user set.
            _audiobalance balance = balance_;
            const long position = SliderFromLevels(levels_, balance);
            if (written_ != levels_) balance_ = balance;
            track_->SetPosition(position);
        }
    }
    reading_ = false;
    return result;
}

_result _saudio::Write() {
    if (reading_) return _OK;
    if (!mixer_) return _ERROR;
    const _audiolevels levels = LevelsFromSlider(track_->Position(), balance_);
    accept_ = false;
    const _result result = mixer_->WriteLine(destination_, position_, muted_, levels);
    accept_ = true;
    if (result == _OK) {
        levels_ = levels;
        written_ = levels;
    }
    return result;
}

// ---- _swave

_swave::_swave(_component* owner) : _saudio(owner) {
    SetName("wav");
    SetHelpAnchor("_swav");
    SetLine(0, 1);
}

}  // namespace corvex
