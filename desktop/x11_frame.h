// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "desktop/rules/screen_geometry.h"

class QWindow;

namespace rpn::desktop {

// A window's frame as the X server has it, in screen (device) pixels. The toolkit learns the
// frame's extents only some time after the window is mapped, and each window manager reads
// a position request a little differently; the server's window tree is the one account that
// holds under all of them.

// Whether the program runs on an X server.
bool OnX11();

// The outer top-left corner of the window manager's frame around `window`, or of the window
// itself when no window manager framed it; nothing when `window` is not on an X server or
// not mapped.
std::optional<ScreenPoint> X11FrameTopLeft(const QWindow& window);

// How much the window manager's frame around `window` adds to it. Nothing when `window` is not
// on an X server, not mapped or not framed yet.
std::optional<FrameExtents> X11FrameExtentsOf(const QWindow& window);

// Whether the window manager has `window` maximised (either way) or fullscreen.
bool X11FillsScreen(const QWindow& window);

// Asks the window manager to put the frame's outer top-left corner at `topLeft`. False when
// there is no frame to move (no window manager, or not on X): the window itself is the frame.
bool X11MoveFrame(const QWindow& window, ScreenPoint topLeft);

}  // namespace rpn::desktop
