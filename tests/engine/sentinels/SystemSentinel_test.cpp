// The System Sentinel and its readouts on a real band: the real clock,
// locale, keyboard layout, registry and WinExec of the Wine account; the
// power status through a stand-in (there is no battery here).

#include "SystemSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "Battery_Zolt2.h"
#include "ComboBox.h"
#include "Edit.h"
#include "ExeSpeeder.h"
#include "Image.h"
#include "Impulse_Zolt2.h"
#include "KeySpeeder.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Panel.h"
#include "StartupOptions.h"
#include "System_Zolt2.h"
#include "SystemSpeeders.h"
#include "Timer.h"
#include "engine/display/TrayTesting.h"
#include "engine/sentinels/SentinelTesting.h"
#include "support/RawRegistry.h"

namespace corvex::test {
namespace {

class _playedpower final : public _powersource {
public:
    _powerreading reading{1, 128, 255};
    bool fails = false;
    bool Read(_powerreading& out) override {
        if (fails) SetLastError(ERROR_NOT_SUPPORTED);
        else out = reading;
        return !fails;
    }
};

class SystemTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetVersionSource(nullptr);
        StartupOptions().ClearUnlinked();
    }
    template <class T>
    T& Add(T& speeder) {
        sentinel_.AddSpeeder(&speeder);
        speeder.Prepare();
        return speeder;
    }
    std::string Text(_tspeeder& s) const { return s.TextLabel().Caption(); }

    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _playedpower power_;
    _syssentinel& sentinel_ = host_.Make<_syssentinel>(_systemsources{&power_, {}});
};

TEST_F(SystemTest, PlugsItsReadoutsInOrderAndLeavesOutUnlinkedOnes) {
    StartupOptions().Unlink("key");
    ASSERT_EQ(sentinel_.PlugSpeeders(), _OK);
    EXPECT_EQ(sentinel_.Caption(), "System Sentinel");
    const struct {
        const char* name;
        int icon;
        const char* anchor;
    } expected[] = {{"clock", 5, "_sclock"}, {"os", 8, "_sos"},     {"scr", 11, "_sscr"},  {"host", 10, "_shost"},
                    {"user", 9, "_suser"},   {"live", 7, "_slive"}, {"mapi", 15, "_smapi"}, {"exe", 17, "_sexe"},
                    {"power", 19, "_spower"}};
    ASSERT_EQ(sentinel_.SpeederCount(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const _speeder& s = *sentinel_.Speeders(i);
        EXPECT_EQ(s.Name(), expected[i].name);
        EXPECT_EQ(s.IconIndex(), expected[i].icon) << s.Name();
        EXPECT_EQ(s.HelpAnchor(), expected[i].anchor);
        // Only the up-time and the power readout run on the engine's tick.
        const bool ticked = s.Name() == "live" || s.Name() == "power" || s.Name() == "mapi";
        EXPECT_EQ((s.Options() & SPEEDER_UNTIMED) == 0, ticked) << s.Name();
    }
}

TEST_F(SystemTest, ClockRunsOnItsOwnSecondAndRefusesShorterPeriods) {
    _sclock& clock = Add(sentinel_.Make<_sclock>());
    ASSERT_NE(clock.Timer(), nullptr);
    EXPECT_FALSE(clock.Timer()->Enabled());
    clock.Start();
    EXPECT_TRUE(clock.Timer()->Enabled());
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char year[8];
    std::snprintf(year, sizeof year, "%04u", now.wYear);
    EXPECT_EQ(Text(clock).size(), std::string("hh:mm:ss   dd/mm/yyyy").size());
    EXPECT_NE(Text(clock).find(year), std::string::npos);

    unsigned period = 0;
    EXPECT_EQ(clock.SetFrequency(999), _ERROR);
    EXPECT_FALSE(clock.Timer()->Enabled());
    EXPECT_EQ(clock.SetFrequency(2000), _OK);
    EXPECT_TRUE(clock.Timer()->Enabled());
    EXPECT_EQ(clock.GetFrequency(period), _OK);
    EXPECT_EQ(period, 2000u);
    clock.SetFrequency(10);
    clock.Start();  // a start brings it back too
    EXPECT_TRUE(clock.Timer()->Enabled());
    clock.Stop();
    EXPECT_FALSE(clock.Timer()->Enabled());
}

TEST_F(SystemTest, ClockFormatFromTheDesignerAppliesAtTheNextTick) {
    _sclock& clock = Add(sentinel_.Make<_sclock>());
    _panel& page = host_.Make<_panel>(&host_);
    page.SetBounds(0, 0, 300, 100);
    clock.OnCreateDesigner(page);
    ASSERT_NE(clock.FormatEdit(), nullptr);
    EXPECT_EQ(clock.FormatEdit()->Text(), "hh:mm:ss   dd/mm/yyyy");
    page.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(clock.FormatEdit()->Width(), 330);

    const std::string before = Text(clock);
    clock.FormatEdit()->SetText("'at' yyyy");
    EXPECT_EQ(clock.Format(), "'at' yyyy");
    EXPECT_EQ(Text(clock), before);
    clock.KERNEL_OnTimer();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(Text(clock), "at " + std::to_string(now.wYear));

    clock.FormatEdit()->SetText("hh 'oops");
    clock.KERNEL_OnTimer();
    EXPECT_EQ(Text(clock), "invalid format");
    clock.OnDestroyDesigner(page);

    // No format: the system's own short date and long time.
    clock.SetFormat("");
    for (int attempt = 0; attempt < 3; ++attempt) {
        char date[64], time[64];
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
        clock.KERNEL_OnTimer();
        if (Text(clock) == std::string(date) + " " + time) break;
        EXPECT_LT(attempt, 2) << Text(clock) << " | " << date << " " << time;
    }
}

TEST_F(SystemTest, UptimeShowsWholeDaysAndLogsOnlyNonZeroUnits) {
    LogFile log;
    _srunning& live = Add(sentinel_.Make<_srunning>());
    EXPECT_EQ(live.Timer(), nullptr);  // the engine's tick drives it
    std::uint32_t ticks = 12 * 60000 + 34000;
    live.SetTickSource([&ticks] { return ticks; });
    live.Start();
    live.RefreshPulse(1000);
    EXPECT_EQ(Text(live), "00:12:34 00 days");
    EXPECT_EQ(log.Occurrences("_srunning.RefreshPulse: 12 min. 34 sec."), 1);
    for (const char* word : {"years", "monthes", "days", "hours"})
        EXPECT_EQ(log.Text().find(std::string(" ") + word + " "), std::string::npos) << word;

    ticks = 3 * 86400000u + 4 * 3600000u + 5 * 60000u + 6000u;
    live.RefreshPulse(1000);
    EXPECT_EQ(Text(live), "04:05:06 03 days");
    EXPECT_EQ(log.Occurrences("_srunning.RefreshPulse: 3 days 4 hours 5 min. 6 sec."), 1);
}

class KeyTest : public SystemTest {
protected:
    void SetUp() override { host_.dataFolder = folder_.Path() + "\\"; }
    void Write(const std::string& text) { std::ofstream(folder_ / "keylang.ini", std::ios::binary) << text; }
    // The shipped icon, copied into the test's data folder.
    void CopyIcon(const std::string& name) {
        const std::string shipped = ProgramFolder() + "data\\keylang\\en-us.ico";
        ASSERT_TRUE(CopyFileA(shipped.c_str(), (folder_ / name).c_str(), FALSE)) << shipped;
    }
    static unsigned CurrentLanguage() {
        return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0)) & 0xFFFF);
    }
    TempFolder folder_{"keylang-test"};
};

TEST_F(KeyTest, TheLanguageOfTheLayoutWithItsIconOrUnknown) {
    CopyIcon("mine.ico");
    const std::string id = std::to_string(CurrentLanguage());
    Write("[Languages]\r\nOther=1,mine.ico\r\nMine=" + id + ", mine.ico\r\n");
    _skey& key = Add(sentinel_.Make<_skey>());
    ASSERT_EQ(key.LoadLanguages(), _OK);
    key.UpdateIcon();
    const _color tile = key.Icon().Picture().Pixel(8, 8);
    key.Start();
    EXPECT_TRUE(key.PollTimer().Enabled());
    key.Poll();
    EXPECT_EQ(Text(key), "Mine");
    EXPECT_EQ(key.Shown(), 2u);
    EXPECT_NE(key.Icon().Picture().Pixel(8, 8), tile);

    Write("[Languages]\r\nOther=1,mine.ico\r\n");
    key.LoadLanguages();
    key.Poll();
    EXPECT_EQ(Text(key), "Unknown language");
    EXPECT_EQ(key.Icon().Picture().Pixel(8, 8), tile);
    key.Stop();
    EXPECT_FALSE(key.PollTimer().Enabled());
}

TEST_F(KeyTest, DamagedFilesLeaveOnlyWhatCanBeUsed) {
    CopyIcon("ok.ico");
    _skey& key = Add(sentinel_.Make<_skey>());
    EXPECT_EQ(key.LoadLanguages(), _ERROR);
    EXPECT_EQ(key.ErrorText(), "Could not find \"keylang.ini\" keyboard languges file in /data dir");
    EXPECT_EQ(key.Languages().size(), 1u);

    Write("[Other]\r\nA=1,ok.ico\r\n");
    EXPECT_EQ(key.LoadLanguages(), _ERROR);
    EXPECT_EQ(key.ErrorText(), "Section [Languages] not found in keyboard language file");

    Write("[Languages]\r\nNoComma=1 ok.ico\r\nBadNumber=x1,ok.ico\r\nNoIcon=3,gone.ico\r\nNotAnIcon=4,keylang.ini\r\n"
          "Good=5,ok.ico\r\n");
    EXPECT_EQ(key.LoadLanguages(), _OK);
    EXPECT_EQ(key.ErrorText(), "");
    ASSERT_EQ(key.Languages().size(), 2u);
    EXPECT_EQ(key.Languages()[0].name, "Unknown language");
    EXPECT_EQ(key.Languages()[1].name, "Good");
    EXPECT_EQ(key.Icons().Count(), 1);
}

TEST_F(KeyTest, TheShippedTableLoadsWhole) {
    host_.dataFolder.clear();  // beside the program, as delivered
    _skey& key = Add(sentinel_.Make<_skey>());
    ASSERT_EQ(key.LoadLanguages(), _OK);
    std::ifstream in(ProgramFolder() + "data\\keylang.ini");
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) lines += line[0] != ';' && line.find('=') != std::string::npos;
    EXPECT_GT(lines, 40u);
    EXPECT_EQ(key.Languages().size(), lines + 1);
    EXPECT_EQ(key.Icons().Count(), static_cast<int>(lines));
}

TEST_F(SystemTest, PowerRedrawsOnlyWhenTheSourceChanges) {
    _spower& p = Add(sentinel_.Make<_spower>(power_));
    p.Start();
    p.RefreshPulse(1000);
    EXPECT_EQ(p.Graph().Text(), "plugged");
    EXPECT_TRUE(p.Options() & SPEEDER_NOTICE);
    EXPECT_EQ(p.IconIndex(), 19);

    power_.reading = {0, 1, 60};
    p.RefreshPulse(1000);
    EXPECT_FALSE(p.Options() & SPEEDER_NOTICE);
    EXPECT_EQ(p.IconIndex(), 20);
    const std::uint32_t unplugged = p.Graph().Progress();
    EXPECT_EQ(unplugged, p.Graph().Max() * 40 / 100);  // the gauge shows what is spent

    power_.reading = {0, 1, 30};
    p.RefreshPulse(1000);
    EXPECT_EQ(p.Graph().Progress(), unplugged);
    EXPECT_EQ(p.Battery().Charge(), 30);

    power_.reading = {1, 8, 30};
    p.RefreshPulse(1000);
    EXPECT_EQ(p.Graph().Text(), "plugged");
    EXPECT_EQ(p.IconIndex(), 19);
    power_.reading = {255, 255, 255};
    p.RefreshPulse(1000);
    EXPECT_EQ(p.Graph().Text(), "unknown power");
    EXPECT_TRUE(p.Options() & SPEEDER_ERROR);

    power_.fails = true;
    EXPECT_EQ(p.Battery().Update(), BATTERY_ERROR_WIN32);
    EXPECT_FALSE(p.Battery().ErrorStr().empty());
}

TEST_F(SystemTest, NtFourHasNoPowerStatus) {
    SetVersionSource([](_osversion& v) {
        v.platform = _osversion::WIN32_NT;
        v.major = 4;
        v.build = 1381;
        return true;
    });
    _spower& p = Add(sentinel_.Make<_spower>(power_));
    EXPECT_EQ(p.Battery().Error(), BATTERY_ERROR_NO_SUPPORT);
    EXPECT_EQ(p.Battery().ErrorStr(), "not supported");
    EXPECT_TRUE(p.Battery().Art() & BATTERY_DEAD);
    p.Start();
    p.RefreshPulse(1000);
    EXPECT_EQ(p.LastPower(), BATTERY_POWER_UNKNOWN);
    EXPECT_FALSE(p.Options() & (SPEEDER_ERROR | SPEEDER_NOTICE));
}

class ExeTest : public SystemTest {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-exe-test");
        Wipe();
    }
    void TearDown() override {
        Wipe();
        SystemTest::TearDown();
    }
    void Wipe() { RawDeleteTree(HKEY_CURRENT_USER, "Software\\Brannock\\corvex-exe-test"); }
    void Type(_sexe& exe, const std::string& command) {
        exe.ExeCOMBO().SetText(command);
        SendMessageA(exe.EditWindow(), WM_CHAR, VK_RETURN, 1);
    }
    std::vector<std::string> History(_sexe& exe) {
        std::vector<std::string> items;
        for (int i = 0; i < exe.ExeCOMBO().Count(); ++i) items.push_back(exe.ExeCOMBO().Items(i));
        return items;
    }
    _lair& store_ = root_.Make<_lair>();
    const std::string key_ = "Sentinels\\System Sentinel\\Speeders\\exe";
};

TEST_F(ExeTest, EnterStartsTheCommandAndMovesItToTheTop) {
    _sexe& exe = Add(sentinel_.Make<_sexe>());
    ASSERT_NE(exe.EditWindow(), nullptr);
    exe.ExeCOMBO().Add("notepad");
    exe.ExeCOMBO().Add("CMD.EXE /C EXIT");
    Type(exe, "  cmd.exe /c exit ");
    EXPECT_EQ(History(exe), (std::vector<std::string>{"cmd.exe /c exit", "notepad"}));
    EXPECT_EQ(exe.FreeLabel().Caption(), "");

    Type(exe, "   ");
    EXPECT_EQ(History(exe).size(), 2u);
    Type(exe, "no-such-program-4711.exe");
    EXPECT_EQ(History(exe).size(), 2u);
    const std::string line = exe.FreeLabel().Caption();
    EXPECT_EQ(line.rfind("ERROR: ", 0), 0u);
    EXPECT_GT(line.size(), 7u);
}

TEST_F(ExeTest, HistoryIsStoredByNumberAndReadUpToTheCount) {
    _sexe& saved = Add(sentinel_.Make<_sexe>());
    for (const char* command : {"first", "second", "third"}) saved.ExeCOMBO().Add(command);
    {
        const _lairkey scope(store_, key_);
        saved.SaveSettings(key_, store_);
    }
    _sexe& loaded = Add(sentinel_.Make<_sexe>());
    loaded.LoadSettings(key_, store_);
    EXPECT_EQ(History(loaded), (std::vector<std::string>{"first", "second", "third"}));

    const std::string path = "Software\\Brannock\\corvex-exe-test\\0.0.1\\" + key_ + "\\history";
    HKEY history = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &history), ERROR_SUCCESS);
    RegDeleteValueA(history, "1");
    RegCloseKey(history);
    loaded.LoadSettings(key_, store_);
    EXPECT_EQ(History(loaded), (std::vector<std::string>{"first", ""}));

    // A save writes the list whole: no value of a longer list stays.
    saved.ExeCOMBO().Delete(2);
    saved.SaveSettings(key_, store_);
    loaded.LoadSettings(key_, store_);
    EXPECT_EQ(History(loaded), (std::vector<std::string>{"first", "second"}));
}

TEST_F(SystemTest, ScreenTextFollowsDisplayChanges) {
    _sscreen& screen = Add(sentinel_.Make<_sscreen>());
    const std::string size =
        std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(Text(screen).rfind(size, 0), 0u) << Text(screen);
    screen.TextLabel().SetCaption("stale");
    SendMessageA(screen.WatchWindow(), WM_DISPLAYCHANGE, 32, 0);
    EXPECT_EQ(Text(screen).rfind(size, 0), 0u);
}

}  // namespace
}  // namespace corvex::test
