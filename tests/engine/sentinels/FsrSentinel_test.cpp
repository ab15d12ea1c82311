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
#include "PeExports.h"
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
    std::uint32_t LoadModule16(const char* name) override {
        return Step(std::string("load ") + name, 3) ? 0x1234 : 2;
    }
    std::uint32_t FindProcedure16(std::uint32_t, const char* name) override {
        return Step(std::string("find ") + name, 4) ? 0x01FF1D93 : 0;
    }
    void FreeModule16(std::uint32_t module) override { calls.push_back("free " + std::to_string(module)); }
    std::uint16_t Call16(std::uint32_t, std::uint16_t argument) override {
        return argument == GFSR_USERRESOURCES ? user : argument == GFSR_GDIRESOURCES ? gdi : 0;
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
        std::size_t calls;  // steps taken, the freeing of user.exe included
    } cases[] = {
        {1, FSR_NO_KERNEL32, "failed to mount Kernel32.dll", 1},
        {2, FSR_NO_QT_THUNK, "failed to mount QT_Thunk in Kernel32.dll", 2},
        {3, FSR_NO_USER16, "failed to load User.exe (16-bits)", 3},
        {4, FSR_NO_PROCEDURE, "ASSERT: unknown error", 5},
        {0, FSR_NONE, "", 4},
    };
    for (const auto& c : cases) {
        _fakethunk thunk;
        thunk.failAt = c.failAt;
        {
            _fsr fsr(nullptr, thunk, RELEASE_WIN95);
            EXPECT_EQ(fsr.Error(), c.error) << c.failAt;
            EXPECT_STREQ(fsr.ErrorStr(), c.text);
            EXPECT_EQ(fsr.Dead(), c.error != FSR_NONE);
            EXPECT_EQ(thunk.calls.size(), c.calls) << c.failAt;
            EXPECT_EQ(fsr.LastUser(), c.error == FSR_NONE ? 30 : 100);  // read once when alive
            thunk.user = 12;
            thunk.gdi = 34;
            EXPECT_EQ(fsr.USER(), c.error == FSR_NONE ? 12 : 100);
            EXPECT_EQ(fsr.GDI(), c.error == FSR_NONE ? 34 : 100);
        }
        // user.exe is given back once it was had, and only then.
        const auto freed = std::count(thunk.calls.begin(), thunk.calls.end(), "free " + std::to_string(0x1234));
        EXPECT_EQ(freed, c.failAt == 0 || c.failAt == 4 ? 1 : 0) << c.failAt;
    }
    // The NT family does not try at all.
    for (_winrelease release : {RELEASE_WINNT, RELEASE_WIN2000, RELEASE_OTHER_PLATFORM, RELEASE_UNKNOWN}) {
        _fakethunk thunk;
        _fsr fsr(nullptr, thunk, release);
        EXPECT_TRUE(fsr.Dead());
        EXPECT_STREQ(fsr.ErrorStr(), "not supported (only Win95,98,ME");
        EXPECT_EQ(fsr.USER(), 100);
        EXPECT_EQ(fsr.GDI(), 100);
        EXPECT_TRUE(thunk.calls.empty()) << release;
    }
}

// Wine carries a QT_Thunk and a 16-bit USER: the whole set-up runs for real
// (Wine hands the 16-bit result back in no register, so only its range is
// known), and the export walk finds what GetProcAddress finds.
TEST(Fsr, TheRealThunkAndTheExportWalkOnKernel32) {
    std::unique_ptr<_thunk16> thunk = MakeWin32Thunk();
    {
        _fsr fsr(nullptr, *thunk, RELEASE_WIN98);
        ASSERT_EQ(fsr.Error(), FSR_NONE) << fsr.ErrorStr();
        EXPECT_FALSE(fsr.Dead());
        EXPECT_LE(fsr.USER(), 100);
        EXPECT_LE(fsr.GDI(), 100);
    }
    const auto* image = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA("kernel32.dll"));
    MEMORY_BASIC_INFORMATION region{};
    ASSERT_TRUE(VirtualQuery(image, &region, sizeof region));
    const std::uint32_t size = PeImageSize(image, region.RegionSize);
    ASSERT_GT(size, region.RegionSize);
    int found = 0;
    for (unsigned ordinal = 1; ordinal < 2000; ++ordinal) {
        const _peexport entry = FindExportByOrdinal(image, size, ordinal);
        if (entry.kind != PEEXPORT_FOUND) continue;
        ++found;
        ASSERT_EQ(reinterpret_cast<const void*>(image + entry.rva),
                  reinterpret_cast<const void*>(GetProcAddress(reinterpret_cast<HMODULE>(const_cast<std::uint8_t*>(image)),
                                                               MAKEINTRESOURCEA(ordinal))))
            << ordinal;
    }
    EXPECT_GT(found, 100);
}

class FsrSentinelTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-fsr-test");
        Wipe();
    }
    void TearDown() override { Wipe(); }
    static void Wipe() {
        _registry registry;
        registry.SetRootKey(REGISTRY_CURRENT_USER);
        registry.DeleteKey("\\Software\\Brannock\\corvex-fsr-test");
    }
    _fsrsentinel& Plug(_winrelease release) {
        _fsrsentinel& sentinel = host_.Make<_fsrsentinel>(thunk_, release);
        sentinel.SetBounds(0, 0, 200, 10);
        EXPECT_EQ(sentinel.PlugSpeeders(), _OK);
        sentinel.PrepareSpeeders();
        sentinel.LoadOptions("Sentinels\\FSR Sentinel", store_);
        sentinel.SignalSpeeders(SIGNAL_START);
        return sentinel;
    }
    static _gspeeder& Row(const _sentinel& sentinel, std::size_t index) {
        return *dynamic_cast<_gspeeder*>(sentinel.Speeders(index));
    }

    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _lair& store_ = root_.Make<_lair>();
    _fakethunk thunk_;
};

TEST_F(FsrSentinelTest, TheBarIsTheFreeShareInTheColourOfTheUsedOne) {
    _fsrsentinel& sentinel = Plug(RELEASE_WIN98);
    ASSERT_EQ(sentinel.SpeederCount(), 2u);
    sentinel.RefreshSpeedersPulse(1000);
    const struct {
        const char* name;
        std::uint32_t free;
    } rows[] = {{"usr", 30}, {"gdi", 80}};
    for (std::size_t i = 0; i < 2; ++i) {
        _gspeeder& row = Row(sentinel, i);
        EXPECT_EQ(row.Name(), rows[i].name);
        EXPECT_FALSE(row.Hidden());
        EXPECT_EQ(row.Graph().Progress(), rows[i].free * row.Graph().Max() / 100) << rows[i].name;
        EXPECT_EQ(row.Graph().Color(), GaugeSample(100 - rows[i].free, 100, 0, row.Levels()).color);
    }
    EXPECT_NE(Row(sentinel, 0).Graph().Color(), Row(sentinel, 1).Graph().Color());
}

TEST_F(FsrSentinelTest, OnTheNtFamilyFullBarsInRowsHiddenUntilShown) {
    _fsrsentinel& first = Plug(RELEASE_WIN2000);
    for (std::size_t i = 0; i < 2; ++i) {
        _gspeeder& row = Row(first, i);
        EXPECT_TRUE(row.Hidden());
        EXPECT_FALSE(row.Graph().Visible());
        // Not reached by the tick while hidden; asked, it shows a full bar.
        row.RefreshPulse(1000);
        EXPECT_EQ(row.Graph().Progress(), row.Graph().Max());
        EXPECT_EQ(row.Graph().Color(), row.Levels().l1);
    }
    // Shown by the user, a row stays shown.
    Row(first, 1).SetVisible(true);
    first.SaveOptions("Sentinels\\FSR Sentinel", store_);
    host_.Destroy(&first);
    _fsrsentinel& second = Plug(RELEASE_WIN2000);
    EXPECT_TRUE(Row(second, 0).Hidden());
    EXPECT_FALSE(Row(second, 1).Hidden());
}

}  // namespace
}  // namespace corvex::test
