// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/geometry_place.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

#include "tests/desktop/screen_point_printer.h"

using rpn::desktop::CornerFor;
using rpn::desktop::DesktopAround;
using rpn::desktop::GeometryPlace;
using rpn::desktop::ScreenPoint;
using rpn::desktop::ScreenRect;

namespace {

// A second monitor left of the primary one, lower and smaller: the desktop reaches from its
// left edge to the primary's right one, and from the primary's top to the second's bottom.
const std::vector<ScreenRect> kTwoScreens{{0, 0, 1920, 1080}, {-1280, 200, 1280, 1000}};

TEST(GeometryPlace, OffsetsFromTheFarEdgesCountWithTheFrame) {
    struct Case {
        const char* geometry;
        GeometryPlace place;
        ScreenPoint corner;
    };
    constexpr ScreenRect kDesktop{0, 0, 1024, 768};
    constexpr int kFrameWidth = 524;
    constexpr int kFrameHeight = 334;
    constexpr std::array<Case, 6> kCases{{
        {"+60+50", {60, false, 50, false}, {60, 50}},
        {"-0-0", {0, true, 0, true}, {1024 - 524, 768 - 334}},
        {"-10+20", {10, true, 20, false}, {1024 - 10 - 524, 20}},
        {"+10-20", {10, false, 20, true}, {10, 768 - 20 - 334}},
        // Farther than the desktop is wide: the frame stands beyond its left edge.
        {"-2000+0", {2000, true, 0, false}, {1024 - 2000 - 524, 0}},
        {"-999999999-999999999",
         {999999999, true, 999999999, true},
         {1024 - 999999999 - 524, 768 - 999999999 - 334}},
    }};
    for (const Case& c : kCases) {
        EXPECT_EQ(CornerFor(c.place, kDesktop, kFrameWidth, kFrameHeight), c.corner) << c.geometry;
    }
}

TEST(GeometryPlace, TheFarEdgesAreTheDesktopsNotTheFirstScreens) {
    const ScreenRect desktop = DesktopAround(kTwoScreens);
    EXPECT_EQ(desktop.left, -1280);
    EXPECT_EQ(desktop.top, 0);
    EXPECT_EQ(desktop.width, 1280 + 1920);
    EXPECT_EQ(desktop.height, 1200);
    EXPECT_EQ(CornerFor({0, true, 0, true}, desktop, 500, 300), (ScreenPoint{1920 - 500, 900}));
    EXPECT_EQ(CornerFor({0, false, 0, false}, desktop, 500, 300), (ScreenPoint{-1280, 0}));
}

TEST(GeometryPlace, AnOffsetBeyondThePositionsRangeStopsAtItsEnd) {
    constexpr ScreenRect kFar{INT_MAX - 10, INT_MIN + 10, 100, 100};
    EXPECT_EQ(CornerFor({999999999, false, 999999999, true}, kFar, 50, 50),
              (ScreenPoint{INT_MAX, INT_MIN}));
}

}  // namespace
