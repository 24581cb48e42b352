// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rpn::ui {

// The key combination that runs a control's command from the keyboard. Alt with a letter
// runs an operation of the calculator (Shift added for its inverse where it has one); a
// function key runs a command of the window. The keyboard's own keys (digits, operators,
// Enter, Esc, the arrows, Page Up and Down, the Ctrl clipboard keys, F1) stay theirs.
struct ControlKey {
    enum class Kind { None, Alt, AltShift, Function };
    Kind kind = Kind::None;
    // An upper-case letter or a digit for the Alt combinations; the number of a function key.
    int code = 0;

    bool operator==(const ControlKey&) const = default;
    explicit operator bool() const { return kind != Kind::None; }
};

constexpr ControlKey AltKey(char letter) {
    return {ControlKey::Kind::Alt, letter};
}
constexpr ControlKey AltShiftKey(char letter) {
    return {ControlKey::Kind::AltShift, letter};
}
constexpr ControlKey FunctionKey(int number) {
    return {ControlKey::Kind::Function, number};
}

// The portable name of the combination, as people read it and key-sequence parsers take it:
// "Alt+S", "Alt+Shift+S", "F2"; empty for no key.
std::string KeyName(ControlKey key);

}  // namespace rpn::ui
