// The Drive Sentinel on the real drives of the Wine prefix (C:, and Z: for
// the host's root), and on drives a test makes come and go.

#include "DriveSentinel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "Image.h"
#include "Impulse_Zolt2.h"
#include "Label.h"
#include "Lair_Zolt2.h"
#include "Registry_Zolt2.h"
#include "Sizes_Win32.h"
#include "Sizes_Zolt2.h"
#include "System_Zolt2.h"
#include "engine/sentinels/SentinelTesting.h"

namespace corvex::test {
namespace {

// Drives by letter; each has a type, a medium or none, and an icon colour.
class _fakedrives final : public _drivesystem {
public:
    struct Drive {
        unsigned type = DRIVEART_FIXED;
        bool medium = true;
        std::uint64_t free = 1 << 30, total = 4ull << 30;
        _color icon = 0x0000C0;
    };
    std::map<char, Drive> drives;
    bool hasEx = true;
    int exCalls = 0, clusterCalls = 0;
    std::vector<std::string> notices;

    std::uint32_t LogicalDrives() override {
        std::uint32_t mask = 0;
        for (const auto& d : drives) mask |= 1u << (d.first - 'A');
        return mask;
    }
    unsigned DriveType(const std::string& root) override {
        const auto d = drives.find(root[0]);
        return d == drives.end() ? unsigned{DRIVEART_NO_ROOT_DIR} : d->second.type;
    }
    bool DiskFreeSpace(const std::string& root, _clusters& c) override {
        ++clusterCalls;
        const Drive* d = Medium(root);
        if (!d) return false;
        c = {8, 512, static_cast<std::uint32_t>(d->free / 4096), static_cast<std::uint32_t>(d->total / 4096)};
        return true;
    }
    bool HasDiskFreeSpaceEx() override { return hasEx; }
    bool DiskFreeSpaceEx(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        ++exCalls;
        const Drive* d = Medium(root);
        if (!d) return false;
        total = d->total;
        free = d->free;
        return true;
    }
    _icon SmallIcon(const std::string& path) override {
        const auto d = drives.find(path[0]);
        _bitmap picture(16, 16);
        picture.Canvas().SetBrush(d == drives.end() ? COLOR_BLACK : d->second.icon);
        picture.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
        return _icon::FromBitmap(picture, COLOR_FUCHSIA);
    }
    void NotifyMedia(const std::string& path, bool inserted) override {
        notices.push_back((inserted ? "+" : "-") + path);
    }
    void FailCriticalErrors() override {}

private:
    const Drive* Medium(const std::string& root) const {
        const auto d = drives.find(root[0]);
        return d != drives.end() && d->second.medium ? &d->second : nullptr;
    }
};

class DriveTest : public ::testing::Test {
protected:
    _drivessentinel& Plug(_drivesystem& drives, _winrelease release = RELEASE_WIN2000) {
        _drivessentinel& sentinel = host_.Make<_drivessentinel>(drives, release);
        sentinel.SetBounds(0, 0, 200, 10);
        sentinel.SetColor(kBand);
        sentinel.PlugSpeeders();
        sentinel.PrepareSpeeders();
        sentinel.SignalSpeeders(SIGNAL_START);
        return sentinel;
    }
    static std::string Letters(const _sentinel& sentinel) {
        std::string names;
        for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i) names += sentinel.Speeders(i)->Name();
        return names;
    }
    static _sdrive& Row(const _sentinel& sentinel, std::size_t index) {
        return *dynamic_cast<_sdrive*>(sentinel.Speeders(index));
    }
    // How many pixels of a row's icon box the band paints in `color`.
    static int IconPixels(_sentinel& band, const _sdrive& row, _color color) {
        _bitmap shot(band.Width(), band.Height());
        band.PaintTo(shot.Canvas(), 0, 0);
        int count = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                count += shot.Pixel(row.IconBox().Left() + x, row.IconBox().Top() + y) == color;
        return count;
    }
    static constexpr _color kBand = 0x707070;

    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
};

TEST_F(DriveTest, RealDrivesShowTheirRealAmountsAndIcons) {
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode & ~SEM_FAILCRITICALERRORS);
    for (_winrelease release : {WindowsRelease(), RELEASE_WIN98}) {
        _drivessentinel& sentinel = Plug(Win32Drives(), release);
        mode = SetErrorMode(0);
        SetErrorMode(mode);
        EXPECT_TRUE(mode & SEM_FAILCRITICALERRORS);
        std::string fixed;
        ForEachDrive(GetLogicalDrives(), [&](unsigned i) {
            if (GetDriveTypeA((std::string(1, DriveLetter(i)) + ":\\").c_str()) == DRIVE_FIXED)
                fixed += std::string(1, DriveLetter(i)) + ":";
        });
        ASSERT_EQ(Letters(sentinel), fixed);
        ASSERT_NE(fixed.find("C:"), std::string::npos);
        sentinel.RefreshSpeedersPulse(1000);
        for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i) {
            _sdrive& row = Row(sentinel, i);
            ULARGE_INTEGER caller{}, total{}, free{};
            ASSERT_TRUE(GetDiskFreeSpaceExA((row.Name() + "\\").c_str(), &caller, &total, &free));
            EXPECT_TRUE(row.Mounted());
            EXPECT_EQ(row.Total(), static_cast<double>(total.QuadPart)) << row.Name();
            // Other programs write to the same disk meanwhile.
            EXPECT_NEAR(row.Free(), static_cast<double>(free.QuadPart), 1 << 30) << row.Name();
            EXPECT_EQ(row.TotalLabel().Caption(), FormatBytes(row.Total(), LocaleDecimalSeparator()));
            EXPECT_EQ(row.Graph().Progress(),
                      GaugePercent(row.Free(), row.Total()) * row.Graph().Max() / 100);
            ASSERT_FALSE(row.ShellIcon().Empty());
            EXPECT_LT(IconPixels(sentinel, row, kBand), 200) << row.Name();
        }
        host_.Destroy(&sentinel);
    }
}

TEST_F(DriveTest, SpaceComesFromTheCallOfTheRelease) {
    const struct {
        _winrelease release;
        bool hasEx;
        bool ex;
    } cases[] = {{RELEASE_WIN98, true, true},      {RELEASE_WIN95_OSR, true, true},
                 {RELEASE_WIN95, false, false},    {RELEASE_WINNT, true, false},
                 {RELEASE_UNKNOWN, true, false}};
    for (const auto& c : cases) {
        _fakedrives fake;
        fake.hasEx = c.hasEx;
        fake.drives['C'].total = 300ull << 30;  // far beyond 32 bits
        fake.drives['D'].medium = false;
        _drivessentinel& sentinel = Plug(fake, c.release);
        fake.exCalls = fake.clusterCalls = 0;
        double free = -1, total = -1;
        EXPECT_EQ(Row(sentinel, 0).GetDriveSpace("C:\\", free, total), _OK);
        EXPECT_EQ(total, 300.0 * (1 << 30));
        EXPECT_EQ(free, 1 << 30);
        EXPECT_EQ(Row(sentinel, 1).GetDriveSpace("D:\\", free, total), _ERROR);
        EXPECT_EQ(free, 0);
        EXPECT_EQ(total, 0);
        EXPECT_EQ(fake.exCalls, c.ex ? 2 : 0) << c.release;
        EXPECT_EQ(fake.clusterCalls, c.ex ? 0 : 2) << c.release;
        host_.Destroy(&sentinel);
    }
}

TEST_F(DriveTest, FloppiesWaitUntilTheyComeAndLaterLettersGetARowWhateverTheirType) {
    _fakedrives fake;
    for (char letter : {'A', 'B', 'F'}) fake.drives[letter].type = DRIVEART_REMOVABLE;
    fake.drives['C'];
    fake.drives['D'].type = DRIVEART_CDROM;
    fake.drives['E'].type = DRIVEART_UNKNOWN;
    _drivessentinel& sentinel = Plug(fake);
    EXPECT_EQ(Letters(sentinel), "C:D:F:");
    const int height = sentinel.Height();

    fake.drives['G'].type = DRIVEART_UNKNOWN;
    fake.drives['H'].type = DRIVEART_REMOVABLE;
    fake.drives.erase('B');  // had no row
    fake.drives.erase('D');
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Letters(sentinel), "C:F:G:H:");
    EXPECT_GT(sentinel.Height(), height);
    EXPECT_EQ(host_.updateSizes, 1);
    _sdrive& g = Row(sentinel, 2);
    EXPECT_FALSE(g.Stopped());
    EXPECT_EQ(g.DriveArt(), DRIVEART_UNKNOWN);
    // A new row follows the shell's icon for a few ticks.
    EXPECT_TRUE(g.Shell32Waiting());
    for (int tick = 0; tick < 20 && g.Shell32Waiting(); ++tick) sentinel.RefreshSpeedersPulse(1000);
    EXPECT_FALSE(g.Shell32Waiting());
    EXPECT_EQ(host_.updateSizes, 1);  // the letters stayed
}

class DriveStoreTest : public DriveTest {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-drive-test");
        Wipe();
        host_.store = &store_;
    }
    void TearDown() override {
        host_.store = nullptr;
        Wipe();
    }
    static void Wipe() {
        _registry registry;
        registry.SetRootKey(REGISTRY_CURRENT_USER);
        registry.DeleteKey("\\Software\\Brannock\\corvex-drive-test");
    }
    _lair& store_ = root_.Make<_lair>();
};

TEST_F(DriveStoreTest, ADriveThatComesBackGetsItsSettingsBack) {
    _fakedrives fake;
    fake.drives['C'];
    fake.drives['D'];
    _drivessentinel& sentinel = Plug(fake);
    sentinel.LoadOptions("Sentinels\\Drive Sentinel", store_);
    _sdrive& d = Row(sentinel, 1);
    d.SetNick("data");
    d.SetNBX(7);
    d.ChangeOption(SPEEDER_METERS, false);
    _speederlevels levels = d.Levels();
    levels.l1 = 0x123456;
    d.SetLevels(levels);

    fake.drives.erase('D');
    sentinel.RefreshSpeedersPulse(1000);
    ASSERT_EQ(Letters(sentinel), "C:");
    fake.drives['D'];
    sentinel.RefreshSpeedersPulse(1000);
    ASSERT_EQ(Letters(sentinel), "C:D:");
    _sdrive& back = Row(sentinel, 1);
    EXPECT_EQ(back.NameLabel().Caption(), "data");
    EXPECT_EQ(back.NBX(), 7);
    EXPECT_FALSE(back.Options() & SPEEDER_METERS);
    EXPECT_EQ(back.Levels().l1, 0x123456u);
    EXPECT_FALSE(back.Stopped());

    // The debug entry's row takes the first free letter and becomes that
    // drive's row when it appears.
    _sdrive* debug = sentinel.AddDebugDrive();
    ASSERT_NE(debug, nullptr);
    EXPECT_EQ(debug->Name(), "E:");
    EXPECT_FALSE(debug->Mounted());
    EXPECT_FALSE(debug->Stopped());
    fake.drives['E'];
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Letters(sentinel), "C:D:E:");
    EXPECT_TRUE(debug->Mounted());
}

TEST_F(DriveTest, ACdRomIsInStasisAndShowsWhetherItHoldsADisc) {
    _fakedrives fake;
    _fakedrives::Drive& cd = fake.drives['D'];
    cd.type = DRIVEART_CDROM;
    cd.free = 0;
    cd.total = 650ull << 20;
    _drivessentinel& sentinel = Plug(fake);
    _sdrive& row = Row(sentinel, 0);
    const _color stasis = row.Levels().l4 + 0x10;
    _speederlevels levels = row.Levels();
    levels.l4 = stasis;
    row.SetLevels(levels);
    ASSERT_TRUE(row.Mounted());
    sentinel.RefreshSpeedersPulse(1000);
    // The first refresh puts both amounts up, 0 free included.
    EXPECT_EQ(row.FreeLabel().Caption(), FormatBytes(0, LocaleDecimalSeparator()));
    EXPECT_EQ(row.TotalLabel().Caption(), FormatBytes(650.0 * (1 << 20), LocaleDecimalSeparator()));
    EXPECT_EQ(row.Graph().Color(), stasis);

    // Ejected: one tick of an empty gauge, then "not mounted".
    cd.medium = false;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(fake.notices, std::vector<std::string>{"-D:\\"});
    EXPECT_EQ(row.Graph().Progress(), 0u);
    EXPECT_EQ(row.Graph().Text(), "%d%%");
    cd.icon = 0x00A000;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(row.Graph().Text(), "not mounted");
    EXPECT_TRUE(row.Options() & SPEEDER_ERROR);
    EXPECT_EQ(row.Graph().Color(), stasis);
    EXPECT_EQ(row.FreeLabel().Caption(), "");
    EXPECT_EQ(row.TotalLabel().Caption(), "");
    // The icon follows the shell's change while the drive is empty too.
    EXPECT_EQ(IconPixels(sentinel, row, 0x00A000), 256);

    // A disc again: the percentage on the next tick, and the icon follows
    // until the waiting runs out.
    cd.medium = true;
    cd.icon = 0xC00000;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(fake.notices.back(), "+D:\\");
    EXPECT_EQ(row.Graph().Text(), "%d%%");
    EXPECT_FALSE(row.Options() & SPEEDER_ERROR);
    EXPECT_EQ(row.Graph().Progress(), row.Graph().Max());
    EXPECT_EQ(row.TotalLabel().Caption(), FormatBytes(650.0 * (1 << 20), LocaleDecimalSeparator()));
    EXPECT_EQ(IconPixels(sentinel, row, 0xC00000), 256);
    for (int tick = 0; tick < 100 && row.Shell32Waiting(); ++tick) sentinel.RefreshSpeedersPulse(1000);
    EXPECT_FALSE(row.Shell32Waiting());
    cd.icon = 0x0000C0;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(IconPixels(sentinel, row, 0xC00000), 256);
}

}  // namespace
}  // namespace corvex::test
