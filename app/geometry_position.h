// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "desktop/rules/geometry_place.h"

namespace rpn {

// The frame position that an X geometry ("+X+Y", "WxH-X+Y", "-0-0", ...) gives: each offset
// from the desktop's left ("+") or right ("-") edge and from its top ("+") or bottom ("-")
// edge; none for a geometry without a position.
std::optional<desktop::GeometryPlace> GeometryPosition(std::string_view geometry);

}  // namespace rpn
