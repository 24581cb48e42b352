// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

namespace rpn::desktop {

// Asks the window manager to leave `window` out of its taskbar and its pager
// (_NET_WM_STATE_SKIP_TASKBAR and _NET_WM_STATE_SKIP_PAGER): a tool window of another window
// has no place there. Most managers leave out a transient tool window by themselves; icewm
// lists it, and a window of its own in any manager. Written on a window that is not mapped:
// managers read the state when they map a window and drop it when they unmap it, and the
// toolkit adds its own states to it. Does nothing when the program does not run on an X
// server.
void X11KeepOffTaskbar(const QWindow& window);

}  // namespace rpn::desktop
