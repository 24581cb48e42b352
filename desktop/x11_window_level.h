// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

namespace rpn::desktop {

// Tells the window manager in its older layer protocol too whether `window` stays above
// ordinary windows. The toolkit changes the window's _NET_WM_STATE_ABOVE, but some managers
// (icewm) keep a window that was mapped above in their top layer when only that state goes;
// their own layer message moves it. Managers that do not speak that protocol ignore it.
// Does nothing when the program does not run on an X server.
void X11SetStaysOnTopLayer(const QWindow& window, bool onTop);

// Asks the window manager again, in both protocols, to keep `window` above ordinary windows:
// a manager may have dropped the state while the window followed another one's level, and the
// toolkit sends the request only when its own flag changes.
void X11AskStaysOnTop(const QWindow& window);

}  // namespace rpn::desktop
