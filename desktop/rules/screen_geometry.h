// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn::desktop {

// A rectangle on the desktop in screen (device) pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A point on the desktop in screen (device) pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// How much the window manager's frame around a window adds to it, in screen pixels: across,
// down, and above the client area (the title bar and the top border).
struct FrameExtents {
    int across = 0;
    int down = 0;
    int top = 0;
};

}  // namespace rpn::desktop
