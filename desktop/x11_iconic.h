// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWindow;

namespace rpn::desktop {

// Whether `window`, which the toolkit counts as minimised because the window manager took it
// off the screen, only stands on a workspace that is not shown (desktop/rules/iconic_state.h).
// False when the program does not run on an X server.
bool X11OnWorkspaceNotShown(const QWindow& window);

}  // namespace rpn::desktop
