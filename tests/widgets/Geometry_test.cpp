#include "Geometry.h"

#include <gtest/gtest.h>

namespace corvex {
namespace {

TEST(GeometryTest, ContainsExcludesTheFarEdgesUnlessAskedToIncludeThem) {
    const _rect r = _rect::Bounds(10, 20, 5, 5);
    EXPECT_TRUE(r.Contains({10, 20}));
    EXPECT_TRUE(r.Contains({14, 24}));
    EXPECT_FALSE(r.Contains({15, 24}));
    EXPECT_FALSE(r.Contains({14, 25}));
    EXPECT_TRUE(r.ContainsWithEdges({15, 25}));
    EXPECT_FALSE(r.ContainsWithEdges({16, 25}));
    EXPECT_FALSE(r.ContainsWithEdges({9, 20}));
}

TEST(GeometryTest, IntersectionOfDisjointOrTouchingRectanglesIsEmpty) {
    const _rect a = _rect::Bounds(0, 0, 10, 10);
    EXPECT_EQ(Intersect(a, _rect::Bounds(5, 5, 10, 10)), (_rect{5, 5, 10, 10}));
    EXPECT_TRUE(Intersect(a, _rect::Bounds(10, 0, 5, 5)).Empty());
    EXPECT_TRUE(Intersect(a, _rect::Bounds(-20, -20, 5, 5)).Empty());
}

TEST(GeometryTest, CentringInAWorkAreaThatDoesNotStartAtZero) {
    const _rect work{100, 50, 1380, 1074};  // a docked bar took the left 100 pixels
    EXPECT_EQ(CentredOrigin(work, 381, 62), (_point{100 + (1280 - 381) / 2, 50 + (1024 - 62) / 2}));
    // Larger than the area: pinned to its top-left corner, never off screen.
    EXPECT_EQ(CentredOrigin(work, 2000, 2000), (_point{100, 50}));
}

TEST(GeometryTest, MinimumSizes) {
    EXPECT_EQ(AtLeast(200, 383), 383);
    EXPECT_EQ(AtLeast(500, 383), 500);
    EXPECT_EQ(AtLeast(10, 0), 10);
}

}  // namespace
}  // namespace corvex
