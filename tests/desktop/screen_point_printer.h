// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "desktop/rules/screen_geometry.h"

namespace rpn::desktop {

// Failed expectations show a point as (x, y).
inline void PrintTo(const ScreenPoint& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

}  // namespace rpn::desktop
