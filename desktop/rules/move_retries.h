// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/rules/screen_geometry.h"

namespace rpn::desktop {

// The requests that move a frame's corner to a place. Some window managers take the corner
// asked for as the client area's, or ignore a request for where the client already is: such a
// manager is asked again, off by what the frame missed by, up to kMaxRequests times in all.
class MoveRetries {
  public:
    static constexpr int kMaxRequests = 3;

    // The first request for a frame that is to stand at `asked`: what to ask the manager for.
    ScreenPoint Start(ScreenPoint asked);

    struct Next {
        enum class Step {
            // Ask for `request`, and look again.
            AskAgain,
            // This manager keeps the frame elsewhere: that is where it stands.
            GiveUp,
        } step;
        ScreenPoint request;
    };
    // What to do about a frame that stands at `seen` instead of at `asked`.
    Next Missed(ScreenPoint seen, ScreenPoint asked);

  private:
    ScreenPoint requested_;
    int requests_ = 0;
};

}  // namespace rpn::desktop
