// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/rules/move_settling.h"

#include <utility>

namespace rpn::desktop {

void MoveSettling::Moved(std::optional<ScreenPoint> place, Moment when) {
    place_ = place;
    since_ = when;
}

std::optional<MoveSettling::Moment> MoveSettling::Due() const {
    if (!place_) {
        return std::nullopt;
    }
    return since_ + kSettleTime;
}

std::optional<ScreenPoint> MoveSettling::Judge(std::optional<ScreenPoint> standing, Moment now) {
    if (!place_ || now < since_ + kSettleTime) {
        return std::nullopt;
    }
    const std::optional<ScreenPoint> place = std::exchange(place_, std::nullopt);
    return standing == place ? place : std::nullopt;
}

void MoveSettling::Cancel() {
    place_.reset();
}

}  // namespace rpn::desktop
