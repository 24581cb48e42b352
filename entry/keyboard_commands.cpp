// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/keyboard_commands.h"

#include <optional>
#include <string>

#include "entry/control_characters.h"
#include "entry/field_selection.h"

namespace rpn {

void KeyboardCommands::KeyDown(Key key, KeyModifiers modifiers) {
    if (!modifiers.CtrlOnly()) {
        return;
    }
    switch (key) {
        case Key::LetterX:
            CutX();
            break;
        case Key::LetterC:
            Copy();
            break;
        case Key::LetterV:
            PasteIntoX();
            break;
        default:
            break;
    }
}

void KeyboardCommands::CutX() {
    WindowPort& window = calc_.window();
    const std::string text = window.FieldText(Field::X);
    const FieldSelection sel = SelectionOf(window, Field::X, text);
    clipboard_.SetText(text.substr(sel.start, sel.length));
    window.SetFieldText(Field::X, ReplaceSelection(text, sel, ""));
    window.SetCaret(Field::X, sel.start);
    SuppressNextKey = true;
}

void KeyboardCommands::Copy() {
    WindowPort& window = calc_.window();
    const Field source = exchange_.CopySource;
    const std::string text = window.FieldText(source);
    const FieldSelection sel = SelectionOf(window, source, text);
    clipboard_.SetText(sel.length > 0 ? text.substr(sel.start, sel.length) : text);
    window.SetCaret(source, sel.start);
    if (source == Field::X) {
        SuppressNextKey = true;
    } else {
        // The register field's own copy, when it has the focus, now finds nothing selected
        // and leaves the clipboard alone.
        exchange_.CopySource = Field::X;
    }
}

void KeyboardCommands::PasteIntoX() {
    WindowPort& window = calc_.window();
    // The keystroke's control character is swallowed whether or not the paste is taken.
    SuppressNextKey = true;
    const std::optional<std::string> offered = clipboard_.Text();
    const std::string text = window.FieldText(Field::X);
    const FieldSelection sel = SelectionOf(window, Field::X, text);
    if (!offered ||
        !EntryFits(text.size(), static_cast<std::size_t>(sel.length), offered->size())) {
        window.Beep();
        return;
    }
    window.SetFieldText(Field::X, ReplaceSelection(text, sel, *offered));
    // Before the pasted text: a paste over a shown result is lifted by the next character.
    window.SetCaret(Field::X, sel.start);
}

bool KeyboardCommands::CharacterTyped(char key) {
    if (key == kEsc) {
        closeKeypad_();
        return true;
    }
    if (SuppressNextKey) {
        SuppressNextKey = false;
        return true;
    }
    return false;
}

KeyAnswer KeyboardCommands::XKeyReleased(Key key, KeyModifiers modifiers) {
    switch (key) {
        case Key::Down:
            return Roll(Operation::RollDown);
        case Key::Up:
            return Roll(Operation::RollUp);
        case Key::PageUp:
            entry_.ToggleEntryExponentSign();
            return {};
        case Key::PageDown:
            return {false, calc_.Run(Operation::ChangeSign)};
        case Key::LetterX:
        case Key::LetterC:
        case Key::LetterV:
            return {modifiers.CtrlOnly()};
        case Key::Other:
            return {};
    }
    return {};
}

KeyAnswer KeyboardCommands::Roll(Operation roll) {
    const Outcome outcome = calc_.Run(roll);
    calc_.FocusXSelectAll();
    return {false, outcome};
}

}  // namespace rpn
