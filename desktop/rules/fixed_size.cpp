// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/fixed_size.h"

#include <cstdlib>

namespace rpn::desktop {

namespace {

// The flags of WM_NORMAL_HINTS, and the words that hold the fields.
constexpr uint32_t kUserSize = 1u << 1;
constexpr uint32_t kProgramSize = 1u << 3;
constexpr uint32_t kMinSize = 1u << 4;
constexpr uint32_t kMaxSize = 1u << 5;
// The position, the old size fields and the gravity say where the window goes, not how big
// it may be: a restore keeps them.
constexpr uint32_t kPlacementFlags = (1u << 0) | kUserSize | (1u << 2) | kProgramSize | (1u << 9);
constexpr std::size_t kWidth = 3;
constexpr std::size_t kHeight = 4;
constexpr std::size_t kMinWidth = 5;
constexpr std::size_t kMinHeight = 6;
constexpr std::size_t kMaxWidth = 7;
constexpr std::size_t kMaxHeight = 8;
constexpr std::size_t kGravity = 17;

}  // namespace

bool HoldSize(const SizeHints& hints, DeviceSize size) {
    const auto width = static_cast<uint32_t>(size.width);
    const auto height = static_cast<uint32_t>(size.height);
    return (hints[0] & kMinSize) && (hints[0] & kMaxSize) && hints[kMinWidth] == width &&
           hints[kMinHeight] == height && hints[kMaxWidth] == width && hints[kMaxHeight] == height;
}

std::optional<SizeHints> HintsToRestore(const SizeHints& now, DeviceSize size,
                                        const std::optional<SizeHints>& kept) {
    if (HoldSize(now, size)) {
        return std::nullopt;
    }
    if (kept && HoldSize(*kept, size)) {
        return kept;
    }
    SizeHints fixed{};
    fixed[0] = (now[0] & kPlacementFlags) | kMinSize | kMaxSize;
    for (const std::size_t word : {std::size_t{1}, std::size_t{2}, kGravity}) {
        fixed[word] = now[word];
    }
    if (fixed[0] & (kUserSize | kProgramSize)) {
        fixed[kWidth] = static_cast<uint32_t>(size.width);
        fixed[kHeight] = static_cast<uint32_t>(size.height);
    }
    fixed[kMinWidth] = fixed[kMaxWidth] = static_cast<uint32_t>(size.width);
    fixed[kMinHeight] = fixed[kMaxHeight] = static_cast<uint32_t>(size.height);
    return fixed;
}

bool SizeKeeper::AskBack(DeviceSize seen, DeviceSize designed) {
    const bool near =
        std::abs(seen.width - designed.width) <= 1 && std::abs(seen.height - designed.height) <= 1;
    if (near) {
        requests_ = 0;
        return false;
    }
    if (requests_ >= kMostRequests) {
        return false;
    }
    ++requests_;
    return true;
}

}  // namespace rpn::desktop
