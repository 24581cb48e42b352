// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rpn {

// What decides the toolkit's window-system platform.
struct PlatformFacts {
    std::string qpaPlatform;     // $QT_QPA_PLATFORM
    std::string platformOption;  // the -platform command-line option's value
    std::string sessionType;     // $XDG_SESSION_TYPE
    std::string waylandDisplay;  // $WAYLAND_DISPLAY
    std::string display;         // $DISPLAY
};

// The platform to set in QT_QPA_PLATFORM before the toolkit starts, or empty to leave the
// choice alone. Under Wayland a program may neither place its own windows nor keep them on
// top, so in a Wayland session that offers X11 (XWayland, DISPLAY set) the calculator runs on
// X11, unless the user chose a platform (QT_QPA_PLATFORM or -platform).
std::string PlatformForSession(const PlatformFacts& facts);

// Whether the toolkit will connect to an X server: the platform chosen (option, then
// environment, after PlatformForSession) is xcb, or none is chosen outside a Wayland session,
// where the toolkit's default is xcb.
bool UsesXServer(const PlatformFacts& facts);

}  // namespace rpn
