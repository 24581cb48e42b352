// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace rpn::ui {

// The floating keypad as designed at 120 pixels per inch; the window scales every number
// here by the main window's factor.
inline constexpr int kKeypadClientWidth = 146;
inline constexpr int kKeypadClientHeight = 105;
inline constexpr int kKeypadDesignedLeft = 69;
inline constexpr int kKeypadDesignedTop = 277;
// Character height of the keys' bold font.
inline constexpr int kKeypadFontHeight = 13;

struct KeypadKeyLayout {
    // The designer's object name: data for the widget and for scripts.
    const char* name;
    // The character a click types into X.
    char character;
    // The key's face; empty for the point and minus keys, which show a glyph.
    const char* caption;
    // What a screen reader says for the key.
    const char* spoken;
    int left;
    int top;
    int width;
    int height;
};

std::span<const KeypadKeyLayout> KeypadKeys();

}  // namespace rpn::ui
