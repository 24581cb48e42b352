// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

namespace rpn::desktop {

// Takes WM_TAKE_FOCUS out of the WM_PROTOCOLS of `window`, a window whose WM_HINTS refuse the
// keyboard: together they say that it never takes the keyboard. The toolkit offers that
// protocol on every window, and a manager (metacity, marco, fluxbox) that sees it on a window
// refusing input picks that window to focus and hands it the keyboard by that message, which
// such a window never passes on: the keystrokes go nowhere. Without it, managers focus another
// window. Read when the window is mapped; the toolkit writes the protocols only when it makes
// the window. Does nothing when the program does not run on an X server.
void X11WithdrawTakeFocus(const QWindow& window);

}  // namespace rpn::desktop
