// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/size_hints.h"

namespace rpn::desktop {

namespace {

constexpr uint32_t kMinSize = 1u << 4;
constexpr uint32_t kMaxSize = 1u << 5;
constexpr uint32_t kResizeIncrement = 1u << 6;

}  // namespace

std::optional<SizeHints> WithoutResizeIncrement(const SizeHints& hints) {
    const uint32_t flags = hints[0];
    const bool fixed =
        (flags & kMinSize) && (flags & kMaxSize) && hints[5] == hints[7] && hints[6] == hints[8];
    if (!fixed || !(flags & kResizeIncrement)) {
        return std::nullopt;
    }
    SizeHints without = hints;
    without[0] &= ~kResizeIncrement;
    return without;
}

}  // namespace rpn::desktop
