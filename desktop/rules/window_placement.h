// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "desktop/rules/screen_geometry.h"

namespace rpn::desktop {

// How much of a title bar must lie on one screen for the user to take hold of it.
struct GrabArea {
    int width = 64;
    int height = 8;
};

// A window's frame with its outer top-left corner at a given place, and the height of its title
// bar (with the border above it).
struct FramedWindow {
    ScreenRect frame;
    int titleHeight = 0;
};

// How much of a window's top must stay on a screen for its title bar to be reached, while the
// window manager has not said how high the title bar is.
inline constexpr int kAssumedTitleBarHeight = 20;

// The frame around a client area of `clientWidth` by `clientHeight` with its corner at `at`.
// The X server's account of the extents (`server`) holds once the window manager has framed the
// window; until then the toolkit's guess (`toolkit`) is all there is. A title bar of no height
// is one the manager has not drawn yet: it counts as kAssumedTitleBarHeight.
FramedWindow FrameAround(ScreenPoint at, int clientWidth, int clientHeight,
                         const std::optional<FrameExtents>& server, FrameExtents toolkit);

// Where a window's frame may stand. A position that leaves `grab` of the title bar (the top
// `titleHeight` pixels of `frame`, or all of it when it is smaller) on one of `screens` is kept
// as it is: negative positions are normal beside a second monitor. Any other position would
// leave the window out of reach, so the whole frame moves into the screen nearest to it, as far
// as it fits.
ScreenPoint ReachableFramePosition(const std::vector<ScreenRect>& screens, const ScreenRect& frame,
                                   int titleHeight, GrabArea grab = {});

// Which of `screens` holds `point`; nothing when it lies on none of them.
std::optional<std::size_t> ScreenHolding(const std::vector<ScreenRect>& screens, ScreenPoint point);

// A coordinate on a screen whose top-left corner is `origin` (the same in both systems), from
// screen pixels into the toolkit's logical pixels at `ratio` device pixels per logical pixel, and
// back.
int DeviceToLogical(int device, int origin, double ratio);
int LogicalToDevice(int logical, int origin, double ratio);

// A length in the toolkit's logical pixels in screen pixels, to the nearest pixel.
int LengthToDevice(int logical, double ratio);
// A screen's width or height in screen pixels. The toolkit divides the screen's device size
// and rounds it: multiplied back, it may come out a pixel larger than the screen. Rounded down
// it never does, and a frame pulled into it stays whole on the screen.
int ScreenLengthToDevice(int logical, double ratio);

}  // namespace rpn::desktop
