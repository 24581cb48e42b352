// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "desktop/rules/screen_geometry.h"

namespace rpn::desktop {

// A frame position as an X geometry gives it ("+X+Y", "-X+Y", "-0-0", ...): each offset from
// the desktop's left or right edge, and from its top or bottom edge.
struct GeometryPlace {
    int x = 0;
    bool fromRight = false;
    int y = 0;
    bool fromBottom = false;
    bool operator==(const GeometryPlace&) const = default;
};

// The frame's top-left corner for `place`, with the frame `width` by `height` on `desktop`: an
// offset from the right puts the frame's right edge that far from the desktop's, and likewise
// from the bottom.
ScreenPoint CornerFor(const GeometryPlace& place, const ScreenRect& desktop, int width, int height);

// The X desktop: the smallest rectangle that holds all of `screens`.
ScreenRect DesktopAround(const std::vector<ScreenRect>& screens);

}  // namespace rpn::desktop
