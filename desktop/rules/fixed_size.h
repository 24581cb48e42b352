// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "desktop/rules/size_hints.h"

namespace rpn::desktop {

// A window's size in device pixels.
struct DeviceSize {
    int width = 0;
    int height = 0;

    bool operator==(const DeviceSize&) const = default;
};

// Whether `hints` hold a window at `size`: a minimum and a maximum, both of them `size`.
bool HoldSize(const SizeHints& hints, DeviceSize size);

// Any program may rewrite a window's size hints, and a window manager follows them: garbage
// there (a minimum of 7160 by 19522) blows a fixed-size window up to gigabytes of pixels. The
// hints to write back when the window's hints are `now`: nothing while they hold it at `size`;
// else `kept`, the last hints that did (the toolkit's own), when they still hold that size;
// else `now` with the size fixed again and nothing that would bend it (increment, aspect,
// base size).
std::optional<SizeHints> HintsToRestore(const SizeHints& now, DeviceSize size,
                                        const std::optional<SizeHints>& kept);

// Decides, for each size the X server reports for a fixed-size window, whether to ask for its
// designed size back. A size a device pixel off is the toolkit's own rounding at a fractional
// scale. A window manager that insists on another size is asked a few times and then let be,
// so that the two never trade requests for good; the count starts again once the window is
// seen at its size.
class SizeKeeper {
  public:
    static constexpr int kMostRequests = 3;

    bool AskBack(DeviceSize seen, DeviceSize designed);

  private:
    int requests_ = 0;
};

}  // namespace rpn::desktop
