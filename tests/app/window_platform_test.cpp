// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_platform.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace rpn {
namespace {

struct PlatformCase {
    const char* name;
    PlatformFacts facts;  // QT_QPA_PLATFORM, -platform, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY
    const char* platformToSet;
    bool usesXServer;
};

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const PlatformCase& c, std::ostream* out) {
    *out << c.name;
}

class WindowPlatformTest : public ::testing::TestWithParam<PlatformCase> {};

TEST_P(WindowPlatformTest, RunsOnX11UnlessTheUserChoseOtherwise) {
    const PlatformCase& c = GetParam();
    const std::string platform = PlatformForSession(c.facts);
    EXPECT_EQ(platform, c.platformToSet);
    PlatformFacts after = c.facts;
    if (!platform.empty()) {
        after.qpaPlatform = platform;
    }
    EXPECT_EQ(UsesXServer(after), c.usesXServer);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, WindowPlatformTest,
    ::testing::Values(
        PlatformCase{"x11_session", {"", "", "x11", "", ":0"}, "", true},
        PlatformCase{"no_session_at_all", {"", "", "", "", ""}, "", true},
        PlatformCase{
            "wayland_session_with_xwayland", {"", "", "wayland", "wayland-0", ":0"}, "xcb", true},
        PlatformCase{"wayland_display_only_named", {"", "", "", "wayland-0", ":1"}, "xcb", true},
        PlatformCase{"wayland_session_type_only", {"", "", "wayland", "", ":0"}, "xcb", true},
        // Without XWayland there is no X server to run on: the toolkit chooses.
        PlatformCase{"wayland_without_xwayland", {"", "", "wayland", "wayland-0", ""}, "", false},
        // An explicit choice stands, in the environment or on the command line.
        PlatformCase{
            "environment_wayland", {"wayland", "", "wayland", "wayland-0", ":0"}, "", false},
        PlatformCase{"option_wayland", {"", "wayland", "wayland", "wayland-0", ":0"}, "", false},
        PlatformCase{"option_over_environment", {"offscreen", "xcb", "x11", "", ":0"}, "", true},
        PlatformCase{"offscreen", {"offscreen", "", "", "", ""}, "", false},
        PlatformCase{"xcb_with_options", {"xcb:foo=1", "", "", "", ":0"}, "", true},
        PlatformCase{"several_to_try", {"wayland;xcb", "", "", "", ":0"}, "", false}),
    [](const ::testing::TestParamInfo<PlatformCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace rpn
