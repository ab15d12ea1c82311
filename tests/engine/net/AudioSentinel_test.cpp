// The Audio Sentinel on a real band: a mixer device stood in behind the
// winmm wrapper (Wine has none), and the real winmm for the path without.

#include "AudioSentinel.h"

#include <gtest/gtest.h>

#include <tuple>

#include "Application.h"
#include "AudioMixer_Win32.h"
#include "TrackBar.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/TestMixer.h"

namespace corvex::test {
namespace {

using Values = std::vector<DWORD>;
using Writes = std::vector<_testmixer::Write>;

class AudioTest : public ::testing::Test {
protected:
    _audiosentinel& Plug() {
        _audiosentinel& s = host_.Make<_audiosentinel>(mixer_);
        s.PlugSpeeders();
        s.ArrangeSpeeders(0, 0, 200, -1);
        for (std::size_t i = 0; i < s.SpeederCount(); ++i) Reignite(*s.Speeders(i), std::string());
        Application().ProcessMessages();
        return s;
    }
    static _saudio& Slider(_audiosentinel& s, std::size_t i) { return dynamic_cast<_saudio&>(*s.Speeders(i)); }

    _testmixer mixer_ = _testmixer::Card();
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
};

TEST_F(AudioTest, TheLineListHoldsEveryLineWithItsControlsAndFlags) {
    _audiosentinel& s = Plug();
    using Row = std::tuple<int, int, std::string, int, bool, bool, bool, bool, int, int>;
    std::vector<Row> lines;  // place, name, flags, speakers, volume, mute, meter, levels
    for (const _mixerline& l : s.Mixer()->Lines())
        lines.emplace_back(l.destination, l.position, l.name, l.flags, l.speakers, l.HasVolume(), l.HasMute(),
                           l.meterControl != MIXER_NO_CONTROL, l.left, l.right);
    EXPECT_EQ(lines, (std::vector<Row>{
                         {-1, -1, "Corvex Test Mixer", 128, false, false, false, false, 0, 0},
                         {0, 0, "Volume Control", 0, true, true, true, true, 65535, 32768},
                         {0, 1, "Wave", 64, true, true, true, false, 30000, 30000},
                         {0, 2, "Line In", 128, true, true, false, false, 20000, 10000},
                         {1, 0, "Recording Control", 192, false, true, false, false, 50000, 50000},
                         {1, 1, "Microphone", 0, false, false, true, false, 0, 0},
                         {1, 2, "Rear", 192, false, true, false, true, 4000, 4000},
                     }));
    EXPECT_TRUE(s.Mixer()->Lines()[5].muted);
    ASSERT_EQ(s.SpeederCount(), 2u);
    EXPECT_EQ(Slider(s, 1).Position(), 1);  // the master's is 0
}

TEST_F(AudioTest, TheLouderChannelFollowsTheSliderAndTheOtherKeepsItsShare) {
    _saudio& master = Slider(Plug(), 0);
    EXPECT_EQ(master.TrackBar().Position(), 100);
    EXPECT_EQ(master.Balance().left, 1.0);
    EXPECT_NEAR(master.Balance().right, 0.5, 1e-4);
    const double share = master.Balance().right;

    master.TrackBar().SetPosition(50);  // 32767.5 goes to the even neighbour; the mute as read
    EXPECT_EQ(mixer_.writes, (Writes{{1, {32768, 16384}}, {2, {0}}}));
    // The device's news of that write is no change: the share does not drift.
    Application().ProcessMessages();
    EXPECT_EQ(master.TrackBar().Position(), 50);
    EXPECT_EQ(master.Balance().right, share);
    // The user's key goes the control's own way to the line.
    SendMessageA(master.TrackBar().Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(mixer_.writes.at(2).second, (Values{33423, 16712}));
}

TEST_F(AudioTest, SingleChannelAndMutelessLinesAreWrittenAsTheyAre) {
    _audiosentinel& s = Plug();
    _saudio& wave = Slider(s, 1);
    EXPECT_EQ(wave.TrackBar().Position(), 46);
    wave.TrackBar().SetPosition(80);
    EXPECT_EQ(wave.Balance().right, 1.0);
    EXPECT_EQ(s.Mixer()->WriteLine(0, 2, true, {1000, 2000}), _OK);  // "Line In" has no mute
    EXPECT_EQ(s.Mixer()->WriteLine(3, 0, false, {}), _ERROR);         // no such line
    EXPECT_EQ(mixer_.writes, (Writes{{10, {52428}}, {11, {0}}, {20, {1000, 2000}}}));
}

TEST_F(AudioTest, AChangeMadeElsewhereMovesTheSliderWithoutWritingBack) {
    _audiosentinel& s = Plug();
    _saudio& master = Slider(s, 0);
    mixer_.ChangeElsewhere(1, {20000, 40000});
    mixer_.ChangeElsewhere(11, {1});
    Application().ProcessMessages();
    EXPECT_EQ(master.TrackBar().Position(), 61);
    EXPECT_EQ(master.Balance().left, 0.5);
    EXPECT_TRUE(Slider(s, 1).Muted());
    EXPECT_TRUE(mixer_.writes.empty());
    // Equal levels set elsewhere are balanced from then on.
    mixer_.ChangeElsewhere(1, {30000, 30000});
    Application().ProcessMessages();
    master.TrackBar().SetPosition(100);
    EXPECT_EQ(mixer_.writes.at(0).second, (Values{65535, 65535}));
}

TEST_F(AudioTest, AFailedControlKeepsItsTextAndTheSliderItsPlace) {
    _audiosentinel& s = Plug();
    _saudio& master = Slider(s, 0);
    const char* texts[][2] = {{"Volume GetControlError in Mixer", "Volume SetControlError in Mixer"},
                              {"Mute GetControlError in Mixer", "Mute SetControlError in Mixer"}};
    for (DWORD control : {1, 2}) {
        mixer_.failing = {control};
        mixer_.ChangeElsewhere(1, {10000, 10000});
        Application().ProcessMessages();
        EXPECT_EQ(master.TrackBar().Position(), 100);
        EXPECT_EQ(s.Mixer()->LastError(), texts[control - 1][0]);
        EXPECT_EQ(master.Write(), _ERROR);
        EXPECT_EQ(s.Mixer()->LastError(), texts[control - 1][1]);
    }
}

TEST_F(AudioTest, TheMixerIsLetGoOnReleaseDestructionAndAnIncompleteDevice) {
    _audiosentinel& s = Plug();
    _saudio& master = Slider(s, 0);
    s.ReleaseMixer();
    EXPECT_EQ(mixer_.open, 0);
    master.TrackBar().SetPosition(10);
    EXPECT_EQ(master.Reread(), _ERROR);
    EXPECT_TRUE(mixer_.writes.empty());
    // A session that did not end gets its sliders back, on the mixer's levels.
    mixer_.ChangeElsewhere(1, {65535, 65535});
    EXPECT_EQ(s.RestoreMixer(), _OK);
    EXPECT_EQ(master.TrackBar().Position(), 100);
    EXPECT_EQ(master.Write(), _OK);
    host_.Destroy(&s);
    EXPECT_EQ(mixer_.open, 0);
    EXPECT_EQ(mixer_.open, 0);

    mixer_.phantomDestinations = 1;  // a destination that cannot be read
    _audiosentinel& incomplete = Plug();
    EXPECT_EQ(incomplete.Mixer()->Lines().Count(), 0u);
    EXPECT_EQ(incomplete.SpeederCount(), 0u);
    EXPECT_EQ(mixer_.open, 0);
}

TEST_F(AudioTest, WithoutAMixerDeviceTheSentinelShowsNothing) {
    ASSERT_EQ(mixerGetNumDevs(), 0u) << "this machine has a mixer";
    _audiosentinel& s = host_.Make<_audiosentinel>();
    s.PlugSpeeders();
    EXPECT_EQ(s.SpeederCount(), 0u);
}

TEST_F(AudioTest, TheSlidersRepaintOnANewBandColour) {
    _audiosentinel& s = Plug();
    host_.Show();
    for (const _color color : {_color{0x00C0FF}, _color{0x503020}}) {
        s.SetColor(color);
        Application().ProcessMessages();
        for (std::size_t i = 0; i < s.SpeederCount(); ++i)
            EXPECT_EQ(FromRGB(GetPixel(_windowdc(Slider(s, i).TrackBar().Handle()).Handle(), 0, 0)), color);
    }
}

}  // namespace
}  // namespace corvex::test
