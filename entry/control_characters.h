// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn {

// The control characters that a keystroke types, as the entry rules see them.
inline constexpr char kEnter = 13;
inline constexpr char kEsc = 27;
inline constexpr char kCtrlC = 3;
inline constexpr char kCtrlV = 22;
inline constexpr char kCtrlX = 24;

// Whether the field puts `ch` into its text, rather than acting on it (Backspace, Enter and
// the other control characters).
inline bool FieldInsertsCharacter(char ch) {
    return static_cast<unsigned char>(ch) >= 0x20 && ch != 0x7f;
}

}  // namespace rpn
