// The bar's placement arithmetic: snapping, the docked work area, the
// positions per resolution and the display-mode captions.

#include "BarGeometry.h"

#include <climits>

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(BarGeometry, SnapsWithinStickOfEitherEdgeOnly) {
    // A 150-wide bar on a 1024-wide screen, Stick 10.
    EXPECT_EQ(SnapToEdge(7, 150, 1024, 10), 0);
    EXPECT_EQ(SnapToEdge(-7, 150, 1024, 10), 0);
    EXPECT_EQ(SnapToEdge(10, 150, 1024, 10), 0);
    EXPECT_EQ(SnapToEdge(11, 150, 1024, 10), 11);
    EXPECT_EQ(SnapToEdge(1024 - 150 - 9, 150, 1024, 10), 1024 - 150);
    EXPECT_EQ(SnapToEdge(1024 - 150 + 10, 150, 1024, 10), 1024 - 150);
    EXPECT_EQ(SnapToEdge(1024 - 150 - 11, 150, 1024, 10), 1024 - 150 - 11);
    // Stick 0: only the exact edges count.
    EXPECT_EQ(SnapToEdge(1, 150, 1024, 0), 1);
    EXPECT_EQ(SnapToEdge(0, 150, 1024, 0), 0);
    // A bar as wide as the screen is within reach of both: the near edge wins.
    EXPECT_EQ(SnapToEdge(5, 1024, 1024, 10), 0);
    // Far off-screen positions do not overflow.
    EXPECT_EQ(SnapToEdge(INT_MIN, 150, 1024, 10), INT_MIN);
    EXPECT_EQ(SnapToEdge(INT_MAX - 10, 150, 1024, 10), INT_MAX - 10);
}

TEST(BarGeometry, AScreenChangeKeepsTheBarOnItAndAtTheEdgeItTouched) {
    // 1280 -> 800: a bar at the right edge goes to the new right edge, one
    // in the middle only as far as it must, one at the left edge stays.
    EXPECT_EQ(KeepOnScreen(1130, 150, 1280, 800), 650);
    EXPECT_EQ(KeepOnScreen(300, 150, 1280, 800), 300);
    EXPECT_EQ(KeepOnScreen(700, 150, 1280, 800), 650);
    EXPECT_EQ(KeepOnScreen(0, 150, 1280, 800), 0);
    // 800 -> 1280: the right edge is followed outwards too.
    EXPECT_EQ(KeepOnScreen(650, 150, 800, 1280), 1130);
    EXPECT_EQ(KeepOnScreen(649, 150, 800, 1280), 649);
    // Off the near edge, or longer than the screen: the near edge shows.
    EXPECT_EQ(KeepOnScreen(-40, 150, 1280, 1280), 0);
    EXPECT_EQ(KeepOnScreen(100, 900, 1280, 800), 0);
    // Same screen: nothing moves that lies on it.
    EXPECT_EQ(KeepOnScreen(1130, 150, 1280, 1280), 1130);
    EXPECT_EQ(KeepOnScreen(INT_MAX - 10, 150, 1280, 800), 650);
}

TEST(BarGeometry, ADockedBarReservesItsStripOverTheFullHeight) {
    EXPECT_EQ(PlaceOfBar(0, 150, 1024), BAR_AT_LEFT);
    // The task bar's 30 pixels at the bottom stay reserved.
    const _workarea base{0, 0, 1024, 738};
    EXPECT_EQ(CutStrip(base, BAR_AT_LEFT, 0, 150), (_workarea{150, 0, 1024, 738}));
    EXPECT_EQ(PlaceOfBar(874, 150, 1024), BAR_AT_RIGHT);
    EXPECT_EQ(CutStrip(base, BAR_AT_RIGHT, 874, 150), (_workarea{0, 0, 874, 738}));
    // A task bar at the left already takes more than the bar: nothing more.
    EXPECT_EQ(CutStrip(_workarea{200, 0, 1024, 768}, BAR_AT_LEFT, 0, 150), (_workarea{200, 0, 1024, 768}));
    EXPECT_EQ(PlaceOfBar(873, 150, 1024), BAR_FLOATING);
    EXPECT_EQ(CutStrip(base, BAR_FLOATING, 400, 150), base);
    // From 1280 x 1024 to 800 x 600: the far edges follow, a task bar's
    // reservation at the bottom is lost with the old screen's edge.
    EXPECT_EQ(FollowScreen(_workarea{0, 0, 1280, 994}, 1280, 1024, 800, 600), (_workarea{0, 0, 800, 600}));
    EXPECT_EQ(FollowScreen(_workarea{0, 0, 1280, 1024}, 1280, 1024, 1600, 1200), (_workarea{0, 0, 1600, 1200}));
    EXPECT_EQ(FollowScreen(_workarea{0, 30, 1280, 1024}, 1280, 1024, 800, 600), (_workarea{0, 30, 800, 600}));
    // Partly off the right edge is floating, not docked.
    EXPECT_EQ(PlaceOfBar(900, 150, 1024), BAR_FLOATING);
}

TEST(BarGeometry, PositionsAreKeptOncePerResolution) {
    _screenpositions positions;
    bool updated = true;
    EXPECT_EQ(positions.Add(10, 20, 1024, 768, &updated), 0);
    EXPECT_FALSE(updated);
    EXPECT_EQ(positions.Add(30, 40, 800, 600, &updated), 1);
    EXPECT_FALSE(updated);
    EXPECT_EQ(positions.Add(5, 6, 1024, 768, &updated), 0);
    EXPECT_TRUE(updated);
    ASSERT_EQ(positions.Count(), 2);
    EXPECT_EQ(positions[0].x, 5);
    EXPECT_EQ(positions[0].y, 6);
    EXPECT_EQ(positions[1].xRes, 800);
    // Width and height must both match.
    EXPECT_EQ(positions.Find(1024, 600), -1);
    EXPECT_EQ(positions.Find(800, 600), 1);
}

TEST(BarGeometry, ModeCaptionsPadTheHeightAndNameTheDefaultRate) {
    EXPECT_EQ(ResolutionCaption(800, 600, 60), "800x600  @ 60hz");
    EXPECT_EQ(ResolutionCaption(1280, 1024, 0), "1280x1024 @ hardware");
    EXPECT_EQ(ResolutionCaption(640, 480, 1), "640x480  @ hardware");
    EXPECT_EQ(ResolutionCaption(640, 480, 2), "640x480  @ 2hz");
    EXPECT_EQ(ResolutionText(1280, 1024, 16, 85), "1280x1024 16bits @ 85Hz");
    EXPECT_EQ(ResolutionText(800, 600, 32, 1), "800x600  32bits @ hardware");
    EXPECT_STREQ(ColorDepthCaption(24), "16Mil colors");
    EXPECT_STREQ(ColorDepthCaption(32), "16Mil+Alpha channel colors");
    EXPECT_EQ(ColorDepthCaption(15), nullptr);
}

// A bar on no monitor comes onto the nearest one; one partly on a monitor
// stays where it is.
TEST(BarGeometry, ABarOnNoMonitorIsRescuedOntoTheNearest) {
    const std::vector<_workarea> two = {{0, 0, 1280, 994}, {1280, 0, 2304, 768}};
    const struct {
        int x, y, ex, ey;
    } cases[] = {
        {100, 100, 100, 100},             // on the first
        {1250, 700, 1250, 700},           // partly on both
        {-32768, 32767, 0, 994 - 200},    // far below left: the first, its bottom left
        {5000, 10, 2304 - 150, 10},       // right of the second
        {1500, 900, 1500, 768 - 200},     // below the second, which is shorter
        {-149, -199, -149, -199},         // one pixel still on the screen
        {-150, 0, 0, 0},                  // just off the left edge
    };
    for (const auto& c : cases) {
        const _corner corner = RescuedCorner(c.x, c.y, 150, 200, two);
        EXPECT_EQ(corner.x, c.ex) << c.x << "," << c.y;
        EXPECT_EQ(corner.y, c.ey) << c.x << "," << c.y;
    }
    EXPECT_EQ(RescuedCorner(-5000, 0, 150, 200, {}).x, -5000);  // nothing to go to
    EXPECT_EQ(RescuedCorner(INT_MIN, INT_MAX, 150, 200, two).x, 0);
}

}  // namespace
}  // namespace corvex
