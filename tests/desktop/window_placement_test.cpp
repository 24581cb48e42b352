#include "ui/window_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using rpn::ui::ReachableFramePosition;
using rpn::ui::ScreenPoint;
using rpn::ui::ScreenRect;

namespace {

const std::vector<ScreenRect> kOneScreen{{0, 0, 1280, 1024}};
// A second monitor left of the primary one, lower and smaller.
const std::vector<ScreenRect> kTwoScreens{{0, 0, 1920, 1080}, {-1280, 200, 1280, 800}};

constexpr int kWidth = 420;
constexpr int kHeight = 200;
constexpr int kTitleBar = 20;

struct PlacementCase {
    const char* name;
    const std::vector<ScreenRect>* screens;
    ScreenPoint asked;
    ScreenPoint placed;
};

class ReachablePosition : public testing::TestWithParam<PlacementCase> {};

TEST_P(ReachablePosition, KeepsTheTitleBarOnAScreen) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(
        ReachableFramePosition(*c.screens, {c.asked.x, c.asked.y, kWidth, kHeight}, kTitleBar),
        c.placed);
}

const PlacementCase kCases[] = {
    {"inside", &kOneScreen, {200, 100}, {200, 100}},
    {"corner", &kOneScreen, {0, 0}, {0, 0}},
    {"mostly off to the right", &kOneScreen, {1270, 500}, {1270, 500}},
    {"mostly off to the left", &kOneScreen, {-410, 500}, {-410, 500}},
    {"only the title bar left at the bottom", &kOneScreen, {100, 1010}, {100, 1010}},
    {"title bar just above the screen", &kOneScreen, {100, -20}, {100, 0}},
    {"below the screen", &kOneScreen, {100, 1024}, {100, 824}},
    {"far beyond", &kOneScreen, {5000, 5000}, {860, 824}},
    {"far before", &kOneScreen, {-5000, 300}, {0, 300}},
    {"most negative", &kOneScreen, {INT_MIN, INT_MIN}, {0, 0}},
    {"most positive", &kOneScreen, {INT_MAX, INT_MAX}, {860, 824}},
    {"on the left monitor", &kTwoScreens, {-1000, 300}, {-1000, 300}},
    {"above the left monitor", &kTwoScreens, {-1000, 0}, {-1000, 200}},
    {"below the left monitor", &kTwoScreens, {-1000, 1050}, {-1000, 800}},
    {"beyond the primary monitor", &kTwoScreens, {3000, 500}, {1500, 500}},
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

class DeviceLogical : public testing::TestWithParam<ConversionCase> {};

TEST_P(DeviceLogical, ConvertsAtTheScreensOrigin) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(rpn::ui::DeviceToLogical(c.device, c.origin, c.ratio), c.logical);
    EXPECT_EQ(rpn::ui::LogicalToDevice(c.logical, c.origin, c.ratio), c.device);
}

INSTANTIATE_TEST_SUITE_P(Ratios, DeviceLogical,
                         testing::Values(ConversionCase{60, 0, 2.0, 30},
                                         ConversionCase{1003, 0, 1.0, 1003},
                                         ConversionCase{1000, 0, 1.25, 800},
                                         ConversionCase{2000, 1920, 2.0, 1960},
                                         ConversionCase{-1280, -1280, 2.0, -1280},
                                         ConversionCase{-1080, -1280, 2.0, -1180}));

}  // namespace
