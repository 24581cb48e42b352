// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/move_retries.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace rpn::desktop {

namespace {

// `request` moved by the miss from `seen` to `asked`, in 64 bits and held to the 32-bit range.
int Corrected(int request, int asked, int seen) {
    const int64_t corrected = int64_t{request} + asked - seen;
    return static_cast<int>(std::clamp<int64_t>(corrected, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace

ScreenPoint MoveRetries::Start(ScreenPoint asked) {
    requested_ = asked;
    requests_ = 1;
    return requested_;
}

MoveRetries::Next MoveRetries::Missed(ScreenPoint seen, ScreenPoint asked) {
    if (requests_ >= kMaxRequests) {
        return {Next::Step::GiveUp, requested_};
    }
    requested_ = {Corrected(requested_.x, asked.x, seen.x),
                  Corrected(requested_.y, asked.y, seen.y)};
    ++requests_;
    return {Next::Step::AskAgain, requested_};
}

}  // namespace rpn::desktop
