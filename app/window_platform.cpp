// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_platform.h"

namespace rpn {
namespace {

bool WaylandSession(const PlatformFacts& facts) {
    return facts.sessionType == "wayland" || !facts.waylandDisplay.empty();
}

// A platform name may carry options after ':' ("xcb:foo") or list several to try in turn
// ("wayland;xcb"); only a single xcb is sure to need the X server.
bool IsXcb(const std::string& platform) {
    return platform.substr(0, platform.find(':')) == "xcb";
}

}  // namespace

std::string PlatformForSession(const PlatformFacts& facts) {
    if (!facts.qpaPlatform.empty() || !facts.platformOption.empty()) {
        return "";
    }
    if (WaylandSession(facts) && !facts.display.empty()) {
        return "xcb";
    }
    return "";
}

bool UsesXServer(const PlatformFacts& facts) {
    if (!facts.platformOption.empty()) {
        return IsXcb(facts.platformOption);
    }
    if (!facts.qpaPlatform.empty()) {
        return IsXcb(facts.qpaPlatform);
    }
    return !WaylandSession(facts);
}

}  // namespace rpn
