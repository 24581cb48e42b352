// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "desktop/rules/screen_geometry.h"

namespace rpn::desktop {

// Follows a frame put back from a maximised or fullscreen state, one regular check at a time.
// A window manager gives the frame its border and title bar back some time after it has given
// up the state, and a move asked for before that misses by them: the frame counts as back
// only once kRestoredChecks checks in a row find it where it belongs, and after kMaxChecks
// checks the manager is left to its own way.
class RestoreWatch {
  public:
    static constexpr int kRestoredChecks = 4;
    static constexpr int kMaxChecks = 40;

    enum class Step {
        // Look again at the next check.
        Wait,
        // The frame stands elsewhere: ask for the place again, and look again.
        MoveAgain,
        // Back where it belongs, or given up on: no more checks.
        Stop,
    };

    // Starts the count for a frame just asked to go back.
    void Start();
    // One check. `busy`: a move asked for is not carried out yet. `standing`: where the frame
    // stands in the normal state; no place while it is still on its way out of the other one.
    Step Check(bool busy, std::optional<ScreenPoint> standing, ScreenPoint belongs);

  private:
    int checks_ = 0;
    int checksAtPlace_ = 0;
};

}  // namespace rpn::desktop
