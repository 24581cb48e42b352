// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn::desktop {

// What a window manager says about a window it has taken off the screen (WM_STATE iconic):
// whether it marks the window hidden (_NET_WM_STATE_HIDDEN), and whether it marks minimised
// windows that way at all (the state is among those it lists as supported).
struct IconicWindow {
    bool markedHidden = false;
    bool managerMarksHidden = false;
};

// Whether the window only stands on a workspace that is not shown. Some managers (fluxbox)
// take every window of another workspace off the screen as if minimised; a manager that
// marks minimised windows hidden tells the two apart by that mark. One that has no such mark
// leaves a minimise as the only reading.
bool OnWorkspaceNotShown(IconicWindow window);

}  // namespace rpn::desktop
