// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace rpn::ui {

// A rectangle on the desktop in screen (device) pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// How much of a title bar must lie on one screen for the user to take hold of it.
struct GrabArea {
    int width = 64;
    int height = 8;
};

// Where a window's frame may stand. A position that leaves `grab` of the title bar (the top
// `titleHeight` pixels of `frame`, or all of it when it is smaller) on one of `screens` is kept
// as it is: negative positions are normal beside a second monitor. Any other position would
// leave the window out of reach, so the whole frame moves into the screen nearest to it, as far
// as it fits.
ScreenPoint ReachableFramePosition(const std::vector<ScreenRect>& screens, const ScreenRect& frame,
                                   int titleHeight, GrabArea grab = {});

// A coordinate on a screen whose top-left corner is `origin` (the same in both systems), from
// screen pixels into the toolkit's logical pixels at `ratio` device pixels per logical pixel, and
// back.
int DeviceToLogical(int device, int origin, double ratio);
int LogicalToDevice(int logical, int origin, double ratio);

}  // namespace rpn::ui
