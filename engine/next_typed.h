// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn {

// What the next character typed into the X field does: goes on with the entry that stands
// there, or lifts X into Y as a finished value and starts a new number.
enum class NextTyped { ContinuesEntry, LiftsX };

}  // namespace rpn
