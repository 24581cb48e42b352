#include "entry/keyboard_commands.h"

#include <algorithm>
#include <string>

namespace rpn {

namespace {

constexpr char kEsc = 27;

// The selection of `field` held within its text.
struct Selection {
    int start;
    int length;
};

Selection SelectionOf(const WindowPort& window, Field field, const std::string& text) {
    const int size = static_cast<int>(text.size());
    const int start = std::clamp(window.SelectionStart(field), 0, size);
    return {start, std::clamp(window.SelectionLength(field), 0, size - start)};
}

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
    const Selection sel = SelectionOf(window, Field::X, text);
    clipboard_.SetText(text.substr(sel.start, sel.length));
    window.SetFieldText(Field::X, text.substr(0, sel.start) + text.substr(sel.start + sel.length));
    window.SetCaret(Field::X, sel.start);
    SuppressNextKey = true;
}

void KeyboardCommands::Copy() {
    WindowPort& window = calc_.window();
    const Field source = exchange_.CopySource;
    const std::string text = window.FieldText(source);
    const Selection sel = SelectionOf(window, source, text);
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
    const std::string text = window.FieldText(Field::X);
    const Selection sel = SelectionOf(window, Field::X, text);
    const std::string pasted = clipboard_.Text();
    window.SetFieldText(Field::X,
                        text.substr(0, sel.start) + pasted + text.substr(sel.start + sel.length));
    // Before the pasted text: a paste over a shown result is lifted by the next character.
    window.SetCaret(Field::X, sel.start);
    SuppressNextKey = true;
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
