// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace rpn::desktop {

// A window's normal size hints (WM_NORMAL_HINTS) as 32-bit words: flags first, minimum width
// and height at 5 and 6, maximum at 7 and 8.
inline constexpr std::size_t kSizeHintsLength = 18;
using SizeHints = std::array<uint32_t, kSizeHintsLength>;

// At a fractional device pixel ratio the toolkit gives every window a resize increment of the
// ratio rounded up, and a manager that honours it cuts a fixed size down to an even number of
// pixels. A window of fixed size has no use for an increment: these are its hints without
// one, or nothing when the hints are to stay as they are.
std::optional<SizeHints> WithoutResizeIncrement(const SizeHints& hints);

}  // namespace rpn::desktop
