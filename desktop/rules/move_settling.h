// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

#include "desktop/rules/screen_geometry.h"

namespace rpn::desktop {

// Decides when a place that the user or the window manager moved a frame to counts as the
// frame's normal place: once it has stood there kSettleTime. Some window managers move a
// window to the screen's corner first and blow it up to the screen only after; on a busy
// machine the two steps lie well apart. Fed with the moments things were seen; it keeps no
// clock of its own.
class MoveSettling {
  public:
    using Moment = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::milliseconds kSettleTime{600};

    // The frame was seen moved at `when`, to `place` in the normal state, or out of that state
    // (no place): the wait starts again, or ends.
    void Moved(std::optional<ScreenPoint> place, Moment when);
    // When the place waiting to settle is to be judged; nothing when none waits.
    std::optional<Moment> Due() const;
    // Judges the waiting place at `now`, with the frame standing at `standing` (no place: out
    // of the normal state). Before it is due nothing changes; after, the wait ends, and the
    // place is the answer when the frame still stands there.
    std::optional<ScreenPoint> Judge(std::optional<ScreenPoint> standing, Moment now);
    // Forgets the waiting place: the frame is being put back where it belongs.
    void Cancel();

  private:
    std::optional<ScreenPoint> place_;
    Moment since_;
};

}  // namespace rpn::desktop
