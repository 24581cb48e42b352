#include "entry/keyboard_commands.h"

#include <optional>
#include <string>

#include "entry/field_selection.h"

namespace rpn {

namespace {

constexpr char kEsc = 27;

}  // namespace

void KeyboardCommands::FormKeyDown(int key, KeyModifiers modifiers) {
    if (!modifiers.CtrlOnly()) {
        return;
    }
    switch (key) {
        case vk::kX:
            CutX();
            break;
        case vk::kC:
            Copy();
            break;
        case vk::kV:
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
    if (!offered) {
        window.Beep();
        return;
    }
    const std::string text = window.FieldText(Field::X);
    const FieldSelection sel = SelectionOf(window, Field::X, text);
    window.SetFieldText(Field::X, ReplaceSelection(text, sel, *offered));
    // Before the pasted text: a paste over a shown result is lifted by the next character.
    window.SetCaret(Field::X, sel.start);
}

void KeyboardCommands::FormKeyPress(char& key) {
    if (key == kEsc) {
        key = 0;
        closeKeypad_();
        return;
    }
    if (SuppressNextKey) {
        SuppressNextKey = false;
        key = 0;
    }
}

void KeyboardCommands::EditXKeyUp(int& key, KeyModifiers modifiers) {
    switch (key) {
        case vk::kDown:
            calc_.RollDown();
            calc_.FocusXSelectAll();
            return;
        case vk::kUp:
            calc_.RollUp();
            calc_.FocusXSelectAll();
            return;
        case vk::kPageUp:
            entry_.SpeedButtonPMEClick();
            return;
        case vk::kPageDown:
            calc_.SpeedButtonPMClick();
            return;
        case vk::kX:
        case vk::kC:
        case vk::kV:
            if (modifiers.CtrlOnly()) {
                key = 0;
            }
            return;
        default:
            return;
    }
}

}  // namespace rpn
