// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "engine/next_typed.h"
#include "layout/main_window_layout.h"

namespace rpn::ui {

// What a window command leaves the X entry as once it has handed the keyboard back to X, all
// of it selected. Changing the window's level or opening the help leaves a number half typed
// to be finished; changing the window's size or showing the keypad makes X a finished value,
// so that the next digit starts a new number. None for the commands whose own step decides
// (the operations, the entry and clipboard commands) and for those that never return to X.
constexpr std::optional<NextTyped> EntryAfter(Command command) {
    switch (command) {
        case Command::ToggleStayOnTop:
        case Command::Help:
            return NextTyped::ContinuesEntry;
        case Command::ToggleTrigPanel:
        case Command::ToggleKeypad:
            return NextTyped::LiftsX;
        case Command::None:
        case Command::Calculate:
        case Command::EditX:
        case Command::ToggleExponentSign:
        case Command::Copy:
        case Command::Paste:
        case Command::Exit:
            return std::nullopt;
    }
    return std::nullopt;
}

// The rule of a window command that returns to X, fixed when the program is built: naming a
// command without one here does not compile.
template <Command command>
inline constexpr NextTyped kEntryAfter = EntryAfter(command).value();

}  // namespace rpn::ui
