// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/iconic_state.h"

namespace rpn::desktop {

bool OnWorkspaceNotShown(IconicWindow window) {
    return window.managerMarksHidden && !window.markedHidden;
}

}  // namespace rpn::desktop
