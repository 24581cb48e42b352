// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/geometry_place.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace rpn::desktop {

namespace {

// Offsets and sizes come from the command line and the screens: the sum in 64 bits, the
// result kept in the range a position has.
int Clamped(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int EdgeOffset(int offset, bool fromFar, int desktopStart, int desktopLength, int length) {
    if (!fromFar) {
        return Clamped(int64_t{desktopStart} + offset);
    }
    return Clamped(int64_t{desktopStart} + desktopLength - offset - length);
}

}  // namespace

ScreenPoint CornerFor(const GeometryPlace& place, const ScreenRect& desktop, int width,
                      int height) {
    return {EdgeOffset(place.x, place.fromRight, desktop.left, desktop.width, width),
            EdgeOffset(place.y, place.fromBottom, desktop.top, desktop.height, height)};
}

ScreenRect DesktopAround(const std::vector<ScreenRect>& screens) {
    if (screens.empty()) {
        return {};
    }
    int64_t left = screens.front().left;
    int64_t top = screens.front().top;
    int64_t right = left + screens.front().width;
    int64_t bottom = top + screens.front().height;
    for (const ScreenRect& s : screens) {
        left = std::min<int64_t>(left, s.left);
        top = std::min<int64_t>(top, s.top);
        right = std::max<int64_t>(right, int64_t{s.left} + s.width);
        bottom = std::max<int64_t>(bottom, int64_t{s.top} + s.height);
    }
    return {Clamped(left), Clamped(top), Clamped(right - left), Clamped(bottom - top)};
}

}  // namespace rpn::desktop
