// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn {

// The control characters that a keystroke types, as the entry rules see them.
inline constexpr char kEnter = 13;
inline constexpr char kEsc = 27;
inline constexpr char kCtrlC = 3;
inline constexpr char kCtrlV = 22;
inline constexpr char kCtrlX = 24;

}  // namespace rpn
