// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/window_placement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace rpn::desktop {

namespace {

// Positions come from a file and may be anywhere in the 32-bit range: all sums in 64 bits.
struct Span {
    int64_t begin;
    int64_t end;  // one past the last pixel
};

Span Horizontal(const ScreenRect& r) {
    return {r.left, int64_t{r.left} + std::max(r.width, 1)};
}

Span Vertical(const ScreenRect& r, int height) {
    return {r.top, int64_t{r.top} + std::max(height, 1)};
}

// How many pixels `a` and `b` have in common.
int64_t Overlap(Span a, Span b) {
    return std::max<int64_t>(0, std::min(a.end, b.end) - std::max(a.begin, b.begin));
}

// How far `a` lies outside `b`; 0 when they overlap.
int64_t Gap(Span a, Span b) {
    if (a.end <= b.begin) {
        return b.begin - a.end + 1;
    }
    if (b.end <= a.begin) {
        return a.begin - b.end + 1;
    }
    return 0;
}

// `a` moved the least distance into `b`; its start at `b`'s when it is longer.
int64_t Into(Span a, Span b) {
    const int64_t length = a.end - a.begin;
    return std::max(b.begin, std::min(a.begin, b.end - length));
}

int Clamp32(double value) {
    const double lowest = std::numeric_limits<int>::min();
    const double highest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lowest, highest));
}

}  // namespace

FramedWindow FrameAround(ScreenPoint at, int clientWidth, int clientHeight,
                         const std::optional<FrameExtents>& server, FrameExtents toolkit) {
    const FrameExtents extents = server.value_or(toolkit);
    return {{at.x, at.y, clientWidth + extents.across, clientHeight + extents.down},
            extents.top > 0 ? extents.top : kAssumedTitleBarHeight};
}

ScreenPoint ReachableFramePosition(const std::vector<ScreenRect>& screens, const ScreenRect& frame,
                                   int titleHeight, GrabArea grab) {
    const Span across = Horizontal(frame);
    const Span titleBar = Vertical(frame, titleHeight);
    const Span down = Vertical(frame, frame.height);
    const ScreenRect* nearest = nullptr;
    int64_t nearestDistance = std::numeric_limits<int64_t>::max();
    for (const ScreenRect& screen : screens) {
        const Span screenAcross = Horizontal(screen);
        const Span screenDown = Vertical(screen, screen.height);
        const int64_t grabWidth = std::min<int64_t>(grab.width, across.end - across.begin);
        const int64_t grabHeight = std::min<int64_t>(grab.height, titleBar.end - titleBar.begin);
        if (Overlap(across, screenAcross) >= grabWidth &&
            Overlap(titleBar, screenDown) >= grabHeight) {
            return {frame.left, frame.top};
        }
        const int64_t distance = Gap(across, screenAcross) + Gap(titleBar, screenDown);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &screen;
        }
    }
    if (nearest == nullptr) {
        return {frame.left, frame.top};
    }
    return {static_cast<int>(Into(across, Horizontal(*nearest))),
            static_cast<int>(Into(down, Vertical(*nearest, nearest->height)))};
}

std::optional<std::size_t> ScreenHolding(const std::vector<ScreenRect>& screens,
                                         ScreenPoint point) {
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const ScreenRect& r = screens[i];
        if (point.x >= r.left && point.y >= r.top && int64_t{point.x} - r.left < r.width &&
            int64_t{point.y} - r.top < r.height) {
            return i;
        }
    }
    return std::nullopt;
}

int DeviceToLogical(int device, int origin, double ratio) {
    return Clamp32(std::round(origin + (static_cast<double>(device) - origin) / ratio));
}

int LogicalToDevice(int logical, int origin, double ratio) {
    return Clamp32(std::round(origin + (static_cast<double>(logical) - origin) * ratio));
}

int LengthToDevice(int logical, double ratio) {
    return Clamp32(std::round(logical * ratio));
}

int ScreenLengthToDevice(int logical, double ratio) {
    return Clamp32(std::floor(logical * ratio));
}

}  // namespace rpn::desktop
