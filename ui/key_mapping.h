// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "entry/keyboard_commands.h"
#include "layout/control_key.h"

class QKeyEvent;

namespace rpn::ui {

// The key of a key event among those the keyboard commands know (C, V, X, the arrows up and
// down, Page Up and Page Down); Key::Other for any other key.
rpn::Key KeyOf(const QKeyEvent& event);

rpn::KeyModifiers ModifiersOf(const QKeyEvent& event);

// The single-byte character that the keystroke types, as a character event would carry it:
// Enter 13, Backspace 8, Esc 27, Ctrl with a letter its control character (Ctrl+C 3), a
// printable Latin-1 character itself, any other printable character "?". None for keys that
// type nothing (arrows, Delete, F1, Alt combinations).
std::optional<char> CharacterOf(const QKeyEvent& event);

// The control key that the keystroke is, whether or not a control has it: Alt (and Shift) with
// a letter or digit, or a function key alone; no key for anything else, and none with Ctrl or
// Meta held.
rpn::ui::ControlKey ControlKeyOf(const QKeyEvent& event);

// Whether the keystroke holds Alt (without Ctrl) and would type a character: no such keystroke
// types into X, whether a control has it or not.
bool TypesWithAlt(const QKeyEvent& event);

}  // namespace rpn::ui
