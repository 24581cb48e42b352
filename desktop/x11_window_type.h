// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

namespace rpn::desktop {

// Tells the window manager that `window` is a toolbar (_NET_WM_WINDOW_TYPE_TOOLBAR) rather
// than the toolkit's utility window: window managers offer a toolbar no minimise and no
// maximise, where some offer both for a utility window whatever its other hints say. Read
// when the window is mapped; the toolkit writes the type only when it makes the window.
// Does nothing when the program does not run on an X server.
void X11MarkAsToolbar(const QWindow& window);

}  // namespace rpn::desktop
