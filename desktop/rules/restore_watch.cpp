// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/restore_watch.h"

namespace rpn::desktop {

void RestoreWatch::Start() {
    checks_ = 0;
    checksAtPlace_ = 0;
}

RestoreWatch::Step RestoreWatch::Check(bool busy, std::optional<ScreenPoint> standing,
                                       ScreenPoint belongs) {
    if (++checks_ > kMaxChecks) {
        return Step::Stop;
    }
    if (busy) {
        return Step::Wait;
    }
    if (!standing) {
        checksAtPlace_ = 0;
        return Step::Wait;
    }
    if (*standing == belongs) {
        return ++checksAtPlace_ >= kRestoredChecks ? Step::Stop : Step::Wait;
    }
    checksAtPlace_ = 0;
    return Step::MoveAgain;
}

}  // namespace rpn::desktop
