// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/screen_length.h"

#include <gtest/gtest.h>

namespace {

struct LengthCase {
    int designed;
    int dpi;
    int device;
};

class ScreenLengthTest : public testing::TestWithParam<LengthCase> {};

// On X11 the toolkit's logical resolution is 96 dots per inch, and the screen's own comes in
// as the device pixel ratio.
TEST_P(ScreenLengthTest, RoundsToLogicalPixelsFirst) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(rpn::ui::DeviceLength(c.designed, 96.0 / 120.0, c.dpi / 96.0), c.device)
        << c.designed << " at " << c.dpi << " dpi";
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, ScreenLengthTest,
    testing::Values(LengthCase{522, 96, 418},
                    // 417.6 logical pixels are 418, and 418 × 1.25 = 522.5 rounds up, not to
                    // the 522 that the designed width would give scaled in one step.
                    LengthCase{522, 120, 523}, LengthCase{228, 120, 228},
                    // 626.4 in one step, 627 in two; 273.6 in one, 273 in two.
                    LengthCase{522, 144, 627}, LengthCase{228, 144, 273}, LengthCase{522, 192, 836},
                    LengthCase{228, 192, 364}));

}  // namespace
