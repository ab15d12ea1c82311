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

// Drives by letter, each of a type, with a medium or none, and an icon of
// one colour.
class _fakedrives final : public _drivesystem {
public:
    struct Drive {
        unsigned type = DRIVEART_FIXED;
        bool medium = true;
        std::uint64_t free = 1 << 30, total = 300ull << 30;
        _color icon = 0x0000C0;
    };
    std::map<char, Drive> drives;
    bool hasEx = true;
    int exCalls = 0;
    std::vector<std::string> notices;

    std::uint32_t LogicalDrives() override {
        std::uint32_t mask = 0;
        for (const auto& d : drives) mask |= 1u << (d.first - 'A');
        return mask;
    }
    unsigned DriveType(const std::string& root) override {
        return drives.count(root[0]) ? drives[root[0]].type : unsigned{DRIVEART_NO_ROOT_DIR};
    }
    bool DiskFreeSpace(const std::string& root, _clusters& c) override {
        const Drive* d = Medium(root);
        if (d) c = {8, 512, static_cast<std::uint32_t>(d->free >> 12), static_cast<std::uint32_t>(d->total >> 12)};
        return d;
    }
    bool HasDiskFreeSpaceEx() override { return hasEx; }
    bool DiskFreeSpaceEx(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        ++exCalls;
        const Drive* d = Medium(root);
        if (d) total = d->total, free = d->free;
        return d;
    }
    _icon SmallIcon(const std::string& path) override {
        _bitmap picture(16, 16);
        picture.Canvas().SetBrush(drives.count(path[0]) ? drives[path[0]].icon : COLOR_BLACK);
        picture.Canvas().FillRect(_rect::Bounds(0, 0, 16, 16));
        return _icon::FromBitmap(picture, COLOR_FUCHSIA);
    }
    void NotifyMedia(const std::string& path, bool in) override { notices.push_back((in ? "+" : "-") + path); }
    void FailCriticalErrors() override {}

private:
    const Drive* Medium(const std::string& root) {
        return drives.count(root[0]) && drives[root[0]].medium ? &drives[root[0]] : nullptr;
    }
};

class DriveTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_.SetCompany("Brannock");
        store_.SetApp("corvex-drive-test");
        registry_.SetRootKey(REGISTRY_CURRENT_USER);
        TearDown();
        host_.store = &store_;
    }
    void TearDown() override { registry_.DeleteKey("\\Software\\Brannock\\corvex-drive-test"); }
    // Plugged, loaded and started as the engine does it.
    _drivessentinel& Plug(_drivesystem& drives, _winrelease release = RELEASE_WIN2000) {
        _drivessentinel& sentinel = host_.Make<_drivessentinel>(drives, release);
        sentinel.SetBounds(0, 0, 200, 10);
        sentinel.SetColor(kBand);
        sentinel.PlugSpeeders();
        sentinel.PrepareSpeeders();
        sentinel.LoadOptions("Sentinels\\Drive Sentinel", store_);
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
    // How many pixels of a row's icon the band paints in `color`.
    static int IconPixels(_sentinel& band, const _sdrive& row, _color color) {
        _bitmap shot(band.Width(), band.Height());
        band.PaintTo(shot.Canvas(), 0, 0);
        int count = 0;
        for (int i = 0; i < 256; ++i) count += shot.Pixel(row.IconBox().Left() + i % 16, row.IconBox().Top() + i / 16) == color;
        return count;
    }
    static constexpr _color kBand = 0x707070;

    _registry registry_;
    _component root_;
    _testhost& host_ = root_.Make<_testhost>();
    _lair& store_ = root_.Make<_lair>();
};

TEST_F(DriveTest, RealDrivesShowTheirRealAmountsAndIcons) {
    SetErrorMode(0);
    for (_winrelease release : {WindowsRelease(), RELEASE_WIN98}) {
        _drivessentinel& sentinel = Plug(Win32Drives(), release);
        EXPECT_TRUE(SetErrorMode(0) & SEM_FAILCRITICALERRORS);
        std::string fixed;
        ForEachDrive(GetLogicalDrives(), [&](unsigned i) {
            const std::string name = std::string(1, DriveLetter(i)) + ":";
            if (GetDriveTypeA((name + "\\").c_str()) == DRIVE_FIXED) fixed += name;
        });
        ASSERT_EQ(Letters(sentinel), fixed);
        ASSERT_NE(fixed.find("C:"), std::string::npos);
        sentinel.RefreshSpeedersPulse(1000);
        for (std::size_t i = 0; i < sentinel.SpeederCount(); ++i) {
            _sdrive& row = Row(sentinel, i);
            ULARGE_INTEGER caller{}, total{}, free{};
            ASSERT_TRUE(GetDiskFreeSpaceExA((row.Name() + "\\").c_str(), &caller, &total, &free));
            EXPECT_EQ(row.Total(), static_cast<double>(total.QuadPart)) << row.Name();
            EXPECT_NEAR(row.Free(), static_cast<double>(free.QuadPart), 1 << 30);  // others write meanwhile
            EXPECT_EQ(row.TotalLabel().Caption(), FormatBytes(row.Total(), LocaleDecimalSeparator()));
            EXPECT_EQ(row.Graph().Progress(), GaugePercent(row.Free(), row.Total()) * row.Graph().Max() / 100);
            EXPECT_LT(IconPixels(sentinel, row, kBand), 200) << row.Name();  // the shell's icon
        }
        host_.Destroy(&sentinel);
    }
}

TEST_F(DriveTest, DrivesComeAndGoAndAReturningOneGetsItsSettingsBack) {
    _fakedrives fake;
    fake.drives['A'].type = fake.drives['B'].type = DRIVEART_REMOVABLE;
    fake.drives['C'];
    fake.drives['D'];
    fake.drives['E'].type = DRIVEART_UNKNOWN;
    // The first Windows 95 has no GetDiskFreeSpaceEx: the clusters serve.
    fake.hasEx = false;
    _drivessentinel& sentinel = Plug(fake, RELEASE_WIN95);
    ASSERT_EQ(Letters(sentinel), "C:D:");  // no floppies, nothing unknown
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Row(sentinel, 0).Total(), 300.0 * (1 << 30));  // far beyond 32 bits
    EXPECT_EQ(fake.exCalls, 0);
    _sdrive& d = Row(sentinel, 1);
    d.SetNick("data");
    d.SetNBX(7);
    d.ChangeOption(SPEEDER_METERS, false);
    _speederlevels levels = d.Levels();
    levels.l1 = 0x123456;
    d.SetLevels(levels);
    const int height = sentinel.Height();

    fake.drives.erase('B');
    fake.drives.erase('D');
    fake.drives['G'].type = DRIVEART_UNKNOWN;  // a later one whatever its type
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Letters(sentinel), "C:G:");
    EXPECT_EQ(host_.updateSizes, 1);
    fake.drives['D'];
    fake.drives['B'].type = DRIVEART_REMOVABLE;
    sentinel.RefreshSpeedersPulse(1000);
    ASSERT_EQ(Letters(sentinel), "C:G:B:D:");
    EXPECT_GT(sentinel.Height(), height);
    _sdrive& back = Row(sentinel, 3);
    EXPECT_EQ(back.NameLabel().Caption(), "data");
    EXPECT_EQ(back.NBX(), 7);
    EXPECT_FALSE(back.Options() & SPEEDER_METERS);
    EXPECT_EQ(back.Levels().l1, 0x123456u);
    EXPECT_FALSE(back.Stopped());
    EXPECT_TRUE(back.Shell32Waiting());  // a new row follows the shell's icon a while

    // The debug entry's row takes the first free letter and becomes that
    // drive's row when it appears.
    _sdrive* debug = sentinel.AddDebugDrive();
    ASSERT_NE(debug, nullptr);
    EXPECT_EQ(debug->Name(), "F:");  // E: is there, of unknown type
    EXPECT_FALSE(debug->Mounted() || debug->Stopped());
    fake.drives['F'];
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(Letters(sentinel), "C:G:B:D:F:");
    EXPECT_TRUE(debug->Mounted());
}

TEST_F(DriveTest, ACdRomIsInStasisAndShowsWhetherItHoldsADisc) {
    _fakedrives fake;
    _fakedrives::Drive& cd = fake.drives['D'];
    cd.type = DRIVEART_CDROM;
    cd.free = 0;
    _drivessentinel& sentinel = Plug(fake);
    _sdrive& row = Row(sentinel, 0);
    _speederlevels levels = row.Levels();
    levels.l4 = 0x202020;
    row.SetLevels(levels);
    const std::string size = FormatBytes(300.0 * (1 << 30), LocaleDecimalSeparator());
    sentinel.RefreshSpeedersPulse(1000);
    // The first refresh puts both amounts up, 0 free included.
    EXPECT_EQ(row.FreeLabel().Caption(), FormatBytes(0, LocaleDecimalSeparator()));
    EXPECT_EQ(row.TotalLabel().Caption(), size);
    EXPECT_EQ(row.Graph().Color(), levels.l4);

    // Ejected: one tick of an empty gauge, then "not mounted".
    cd.medium = false;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(fake.notices, std::vector<std::string>{"-D:\\"});
    EXPECT_EQ(row.Graph().Progress(), 0u);
    cd.icon = 0x00A000;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(row.Graph().Text(), "not mounted");
    EXPECT_EQ(row.Graph().Color(), levels.l4);
    EXPECT_EQ(row.FreeLabel().Caption() + row.TotalLabel().Caption(), "");
    // The icon follows the shell's change while the drive is empty too.
    EXPECT_EQ(IconPixels(sentinel, row, 0x00A000), 256);

    // A disc again: the percentage on the next tick, and the icon follows.
    cd.medium = true;
    cd.icon = 0xC00000;
    sentinel.RefreshSpeedersPulse(1000);
    EXPECT_EQ(fake.notices.back(), "+D:\\");
    EXPECT_EQ(row.Graph().Text(), "%d%%");
    EXPECT_EQ(row.Graph().Progress(), row.Graph().Max());
    EXPECT_EQ(row.TotalLabel().Caption(), size);
    EXPECT_EQ(IconPixels(sentinel, row, 0xC00000), 256);
}

}  // namespace
}  // namespace corvex::test
