// The free-system-resources reader and the FSR Sentinel: on a 95/98 system
// played through the 16-bit calls, on the NT family, and through Wine's
// own QT_Thunk and 16-bit USER.

#include "FsrSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "FSR_Win32.h"
#include "Impulse_Zolt2.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

// Fails at step `failAt` (1 kernel, 2 thunk, 3 loader, 4 procedure; 0
// never) and answers `user` and `gdi` percent.
class _fakethunk final : public _thunk16 {
public:
    int failAt = 0;
    std::uint16_t user = 30, gdi = 80;
    std::vector<std::string> calls;

    bool FindKernel() override { return Step("kernel", 1); }
    bool FindThunk() override { return Step("thunk", 2); }
    std::uint32_t LoadModule16(const char* name) override { return Step(name, 3) ? 0x1234 : 2; }
    std::uint32_t FindProcedure16(std::uint32_t, const char* name) override { return Step(name, 4) ? 0x1FF0010 : 0; }
    void FreeModule16(std::uint32_t module) override { calls.push_back("free " + std::to_string(module)); }
    std::uint16_t Call16(std::uint32_t, std::uint16_t resource) override {
        return resource == GFSR_USERRESOURCES ? user : resource == GFSR_GDIRESOURCES ? gdi : 0;
    }

private:
    bool Step(const std::string& what, int step) {
        calls.push_back(what);
        return failAt != step;
    }
};

TEST(Fsr, TheStateOfEveryWayTheSetUpEnds) {
    const struct {
        int failAt;
        _fsrerror error;
        const char* text;
        std::size_t calls;  // the freeing of user.exe included
    } cases[] = {{1, FSR_NO_KERNEL32, "failed to mount Kernel32.dll", 1},
                 {2, FSR_NO_QT_THUNK, "failed to mount QT_Thunk in Kernel32.dll", 2},
                 {3, FSR_NO_USER16, "failed to load User.exe (16-bits)", 3},
                 {4, FSR_NO_PROCEDURE, "ASSERT: unknown error", 5},
                 {0, FSR_NONE, "", 4}};
    for (const auto& c : cases) {
        _fakethunk thunk;
        thunk.failAt = c.failAt;
        {
            _fsr fsr(nullptr, thunk, RELEASE_WIN95);
            EXPECT_EQ(fsr.Error(), c.error);
            EXPECT_STREQ(fsr.ErrorStr(), c.text);
            EXPECT_EQ(fsr.Dead(), c.error != FSR_NONE);
            EXPECT_EQ(thunk.calls.size(), c.calls) << c.failAt;
            EXPECT_EQ(fsr.LastUser(), c.failAt ? 100 : 30);  // read once when alive
            thunk.user = 12;
            EXPECT_EQ(fsr.USER(), c.failAt ? 100 : 12);
            EXPECT_EQ(fsr.GDI(), c.failAt ? 100 : 80);
        }
        // user.exe is given back once it was had, and only then.
        EXPECT_EQ(std::count(thunk.calls.begin(), thunk.calls.end(), "free 4660"), c.failAt % 4 ? 0 : 1);
    }
    // The NT family does not try at all.
    for (_winrelease release : {RELEASE_WINNT, RELEASE_WIN2000, RELEASE_OTHER_PLATFORM, RELEASE_UNKNOWN}) {
        _fakethunk thunk;
        _fsr fsr(nullptr, thunk, release);
        EXPECT_STREQ(fsr.ErrorStr(), "not supported (only Win95,98,ME");
        EXPECT_TRUE(fsr.Dead() && thunk.calls.empty()) << release;
        EXPECT_EQ(fsr.USER() + fsr.GDI(), 200);
    }
}

// Wine carries a QT_Thunk and a 16-bit USER: the whole set-up runs for real
// (Wine hands the 16-bit result back in no register, so only its range is
// known) and gives user.exe back.
TEST(Fsr, TheRealThunk) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit process has no 16-bit side to thunk to";
    std::unique_ptr<_thunk16> thunk = MakeWin32Thunk();
    _fsr fsr(nullptr, *thunk, RELEASE_WIN98);
    ASSERT_EQ(fsr.Error(), FSR_NONE) << fsr.ErrorStr();
    EXPECT_LE(fsr.USER(), 100);
    EXPECT_LE(fsr.GDI(), 100);
}

TEST(FsrSentinel, BarsOfTheFreeShareInTheColourOfTheUsedOneAndHiddenFullRowsOnNt) {
    _fakethunk thunk;  // outlives the readers, which give user.exe back to it
    _component root;
    _testhost& host = root.Make<_testhost>();
    _lair& store = root.Make<_lair>();
    store.SetCompany("Brannock");
    store.SetApp("corvex-fsr-test");
    store.Hive().DeleteKey("\\Software\\Brannock\\corvex-fsr-test");
    const auto plug = [&](_winrelease release) -> _fsrsentinel& {
        _fsrsentinel& sentinel = host.Make<_fsrsentinel>(thunk, release);
        EXPECT_EQ(sentinel.PlugSpeeders(), _OK);
        sentinel.PrepareSpeeders();
        sentinel.LoadOptions("Sentinels\\FSR Sentinel", store);
        sentinel.SignalSpeeders(SIGNAL_START);
        sentinel.RefreshSpeedersPulse(1000);
        return sentinel;
    };
    const auto row = [](_sentinel& sentinel, std::size_t i) -> _gspeeder& {
        return *dynamic_cast<_gspeeder*>(sentinel.Speeders(i));
    };
    _fsrsentinel& win98 = plug(RELEASE_WIN98);
    const std::pair<const char*, std::uint32_t> rows[] = {{"usr", 30}, {"gdi", 80}};
    for (std::size_t i = 0; i < 2; ++i) {
        _impulse& graph = row(win98, i).Graph();
        EXPECT_EQ(row(win98, i).Name(), rows[i].first);
        EXPECT_EQ(graph.Progress(), rows[i].second * graph.Max() / 100);
        EXPECT_EQ(graph.Color(), GaugeSample(100 - rows[i].second, 100, 0, row(win98, i).Levels()).color);
    }
    EXPECT_NE(row(win98, 0).Graph().Color(), row(win98, 1).Graph().Color());

    _fsrsentinel& nt = plug(RELEASE_WIN2000);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(row(nt, i).Hidden() && !row(nt, i).Graph().Visible());
        row(nt, i).RefreshPulse(1000);  // the tick passes it by; asked, a full bar
        EXPECT_EQ(row(nt, i).Graph().Progress(), row(nt, i).Graph().Max());
        EXPECT_EQ(row(nt, i).Graph().Color(), row(nt, i).Levels().l1);
    }
    store.Hive().DeleteKey("\\Software\\Brannock\\corvex-fsr-test");
}

}  // namespace
}  // namespace corvex::test
