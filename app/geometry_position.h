// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "session/session_data.h"

namespace rpn {

// The frame position that an X geometry ("+X+Y", "WxH+X+Y") gives, from the screen's top-left
// corner; none for a geometry without a position or with an offset from the right or bottom
// edge ("-X").
std::optional<WindowPosition> GeometryPosition(std::string_view geometry);

}  // namespace rpn
