// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/window_placement.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <vector>

#include "tests/desktop/screen_point_printer.h"

using rpn::desktop::FrameAround;
using rpn::desktop::FrameExtents;
using rpn::desktop::GrabArea;
using rpn::desktop::ReachableFramePosition;
using rpn::desktop::ScreenHolding;
using rpn::desktop::ScreenPoint;
using rpn::desktop::ScreenRect;

namespace {

const std::vector<ScreenRect> kOneScreen{{0, 0, 1280, 1024}};
// A second monitor left of the primary one, lower and smaller.
const std::vector<ScreenRect> kTwoScreens{{0, 0, 1920, 1080}, {-1280, 200, 1280, 800}};

constexpr int kWidth = 420;
constexpr int kHeight = 200;
constexpr int kTitleBar = 20;

constexpr GrabArea kTitleBarGrab{64, 8};
// The least that could be called on screen: one pixel of the title bar.
constexpr GrabArea kOnePixel{1, 1};

struct PlacementCase {
    const char* name;
    const std::vector<ScreenRect>* screens;
    ScreenPoint asked;
    ScreenPoint placed;
    GrabArea grab = kTitleBarGrab;
};

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const PlacementCase& c, std::ostream* out) {
    *out << c.name;
}

class ReachablePosition : public testing::TestWithParam<PlacementCase> {};

TEST_P(ReachablePosition, KeepsEnoughOfTheTitleBarOnAScreen) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(ReachableFramePosition(*c.screens, {c.asked.x, c.asked.y, kWidth, kHeight}, kTitleBar,
                                     c.grab),
              c.placed);
}

// The frame is 420 x 200 with a 20-pixel title bar; a frame that is pulled in comes in whole.
const PlacementCase kCases[] = {
    {"inside", &kOneScreen, {200, 100}, {200, 100}},
    {"corner", &kOneScreen, {0, 0}, {0, 0}},
    {"64 pixels of the title bar left on the right", &kOneScreen, {1216, 500}, {1216, 500}},
    {"63 pixels left on the right", &kOneScreen, {1217, 500}, {860, 500}},
    {"one pixel left on the right", &kOneScreen, {1279, 500}, {860, 500}},
    {"64 pixels left on the left", &kOneScreen, {-356, 500}, {-356, 500}},
    {"63 pixels left on the left", &kOneScreen, {-357, 500}, {0, 500}},
    {"8 rows of the title bar left at the bottom", &kOneScreen, {100, 1016}, {100, 1016}},
    {"7 rows left at the bottom", &kOneScreen, {100, 1017}, {100, 824}},
    {"one row left at the bottom", &kOneScreen, {100, 1023}, {100, 824}},
    {"8 rows of the title bar left at the top", &kOneScreen, {100, -12}, {100, -12}},
    {"7 rows left at the top", &kOneScreen, {100, -13}, {100, 0}},
    {"title bar just above the screen", &kOneScreen, {100, -20}, {100, 0}},
    {"below the screen", &kOneScreen, {100, 1024}, {100, 824}},
    {"far below and far left", &kOneScreen, {-7000, 5000}, {0, 824}},
    {"far beyond", &kOneScreen, {5000, 5000}, {860, 824}},
    {"far before", &kOneScreen, {-5000, 300}, {0, 300}},
    {"most negative", &kOneScreen, {INT_MIN, INT_MIN}, {0, 0}},
    {"most positive", &kOneScreen, {INT_MAX, INT_MAX}, {860, 824}},
    {"one pixel is enough when the margin says so",
     &kOneScreen,
     {1279, 1023},
     {1279, 1023},
     kOnePixel},
    {"a margin wider than the frame asks for all of it",
     &kOneScreen,
     {861, 500},
     {860, 500},
     {1000, 8}},
    {"on the left monitor", &kTwoScreens, {-1000, 300}, {-1000, 300}},
    {"above the left monitor", &kTwoScreens, {-1000, 0}, {-1000, 200}},
    {"below the left monitor", &kTwoScreens, {-1000, 1050}, {-1000, 800}},
    {"beyond the primary monitor", &kTwoScreens, {3000, 500}, {1500, 500}},
    // Left where a removed monitor was, with a sliver on the primary one.
    {"a sliver on the primary monitor", &kTwoScreens, {1900, 500}, {1500, 500}},
};

INSTANTIATE_TEST_SUITE_P(Placements, ReachablePosition, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlacementCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

TEST(ReachablePosition, NoScreensKeepsThePosition) {
    EXPECT_EQ(ReachableFramePosition({}, {50, 60, kWidth, kHeight}, kTitleBar),
              (ScreenPoint{50, 60}));
}

TEST(ReachablePosition, WindowLargerThanTheScreenShowsItsTopLeft) {
    EXPECT_EQ(ReachableFramePosition(kOneScreen, {3000, 3000, 2000, 1500}, kTitleBar),
              (ScreenPoint{0, 0}));
}

struct ConversionCase {
    int device;
    int origin;
    double ratio;
    int logical;
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.device << " from " << c.origin << " at " << c.ratio;
}

class DeviceLogical : public testing::TestWithParam<ConversionCase> {};

TEST_P(DeviceLogical, ConvertsAtTheScreensOrigin) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(rpn::desktop::DeviceToLogical(c.device, c.origin, c.ratio), c.logical);
    EXPECT_EQ(rpn::desktop::LogicalToDevice(c.logical, c.origin, c.ratio), c.device);
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, DeviceLogical,
    testing::Values(ConversionCase{60, 0, 2.0, 30}, ConversionCase{1003, 0, 1.0, 1003},
                    ConversionCase{1000, 0, 1.25, 800}, ConversionCase{2000, 1920, 2.0, 1960},
                    ConversionCase{-1280, -1280, 2.0, -1280},
                    ConversionCase{-1080, -1280, 2.0, -1180},
                    // 144 dpi: three device pixels for two logical ones.
                    ConversionCase{138, 0, 1.5, 92}, ConversionCase{1418, 1280, 1.5, 1372},
                    ConversionCase{-299, -1280, 1.5, -626},
                    // 192 dpi.
                    ConversionCase{274, 0, 2.0, 137}, ConversionCase{2194, 1920, 2.0, 2057}));

// A screen position that no logical one stands for comes back as a device pixel that one
// does: off by the rounding to a logical pixel and back at most, and never drifting on a
// second round trip.
class DeviceRoundTrip : public testing::TestWithParam<double> {};

TEST_P(DeviceRoundTrip, LandsOnTheNearestPixelAndStaysThere) {
    const double ratio = GetParam();
    for (const int origin : {0, 1280, -1280}) {
        for (int device = origin - 40; device <= origin + 40; ++device) {
            const int once = rpn::desktop::LogicalToDevice(
                rpn::desktop::DeviceToLogical(device, origin, ratio), origin, ratio);
            EXPECT_LE(std::abs(once - device), ratio / 2 + 0.5) << device << " from " << origin;
            const int twice = rpn::desktop::LogicalToDevice(
                rpn::desktop::DeviceToLogical(once, origin, ratio), origin, ratio);
            EXPECT_EQ(twice, once) << device << " from " << origin;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(HighResolution, DeviceRoundTrip, testing::Values(1.25, 1.5, 2.0));

// A window's size is rounded to the nearest device pixel, a screen's down: a screen pulled
// in from a rounded-up size would reach a pixel past the monitor's edge.
TEST(DeviceLengths, WindowsRoundToTheNearestPixelScreensDown) {
    struct Case {
        int logical;
        double ratio;
        int window;
        int screen;
    };
    constexpr std::array<Case, 6> kCases{{
        {300, 1.0, 300, 300},
        {137, 2.0, 274, 274},
        {1366, 1.25, 1708, 1707},  // 1707.5
        {853, 1.5, 1280, 1279},    // 1279.5
        {251, 1.75, 439, 439},     // 439.25
        {-5, 1.5, -8, -8},         // -7.5: away from zero, and down
    }};
    for (const Case& c : kCases) {
        EXPECT_EQ(rpn::desktop::LengthToDevice(c.logical, c.ratio), c.window)
            << c.logical << " at " << c.ratio;
        EXPECT_EQ(rpn::desktop::ScreenLengthToDevice(c.logical, c.ratio), c.screen)
            << c.logical << " at " << c.ratio;
    }
}

// Which extents a frame is judged by: the X server's once it has them, the toolkit's guess
// before, and a title bar of no height as the assumed one.
TEST(FrameAround, TrustsTheServerOverTheToolkit) {
    struct Case {
        const char* what;
        std::optional<FrameExtents> server;
        FrameExtents toolkit;
        ScreenRect frame;
        int titleHeight;
    };
    constexpr int kAssumed = rpn::desktop::kAssumedTitleBarHeight;
    const std::array<Case, 5> cases{{
        {"framed", FrameExtents{10, 34, 29}, {4, 24, 20}, {100, 50, 310, 234}, 29},
        {"not framed yet", std::nullopt, {4, 24, 20}, {100, 50, 304, 224}, 20},
        {"no guess either", std::nullopt, {0, 0, 0}, {100, 50, 300, 200}, kAssumed},
        {"framed without a title bar",
         FrameExtents{2, 2, 0},
         {4, 24, 20},
         {100, 50, 302, 202},
         kAssumed},
        {"server's frame smaller than the guess",
         FrameExtents{0, 0, 1},
         {8, 40, 30},
         {100, 50, 300, 200},
         1},
    }};
    for (const Case& c : cases) {
        const rpn::desktop::FramedWindow framed =
            FrameAround({100, 50}, 300, 200, c.server, c.toolkit);
        EXPECT_EQ(framed.frame.left, c.frame.left) << c.what;
        EXPECT_EQ(framed.frame.top, c.frame.top) << c.what;
        EXPECT_EQ(framed.frame.width, c.frame.width) << c.what;
        EXPECT_EQ(framed.frame.height, c.frame.height) << c.what;
        EXPECT_EQ(framed.titleHeight, c.titleHeight) << c.what;
    }
}

TEST(ScreenHolding, FindsTheScreenUnderAPoint) {
    struct Case {
        ScreenPoint point;
        std::optional<std::size_t> screen;
    };
    constexpr std::array<Case, 9> kCases{{
        {{0, 0}, 0},
        {{1919, 1079}, 0},
        {{1920, 500}, std::nullopt},  // one past the right edge
        {{500, 1080}, std::nullopt},  // one past the bottom
        {{-1280, 200}, 1},
        {{-1, 999}, 1},
        {{-1, 1000}, std::nullopt},
        {{INT_MIN, INT_MIN}, std::nullopt},
        {{INT_MAX, INT_MAX}, std::nullopt},
    }};
    for (const Case& c : kCases) {
        EXPECT_EQ(ScreenHolding(kTwoScreens, c.point), c.screen)
            << "(" << c.point.x << ", " << c.point.y << ")";
    }
    EXPECT_EQ(ScreenHolding({}, {0, 0}), std::nullopt);
}

}  // namespace
