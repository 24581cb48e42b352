// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/outcome.h"

namespace rpn {

// What a key handler did with a key: whether the focused field must not see it, and how the
// operation the key ran ended, for the window to present.
struct KeyAnswer {
    bool consumed = false;
    Outcome outcome = kDone;
};

}  // namespace rpn
