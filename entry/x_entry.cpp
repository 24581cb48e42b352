// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/x_entry.h"

#include "entry/control_characters.h"
#include "entry/entry_text_limit.h"
#include "entry/field_selection.h"

namespace rpn {

std::string ToggleExponentSign(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    const std::size_t e = text.find('E');
    if (e == std::string::npos) {
        return text + "E+0000";
    }
    const std::size_t sign = e + 1;
    if (sign < text.size() && text[sign] == '+') {
        text[sign] = '-';
    } else if (sign < text.size() && text[sign] == '-') {
        text[sign] = '+';
    } else {
        text.insert(sign, 1, '+');
    }
    return text;
}

namespace {

// Whether one character typed into X in place of its selection leaves the entry within its
// limit.
bool FitsOneMore(const WindowPort& window) {
    const std::string text = window.FieldText(Field::X);
    const FieldSelection sel = SelectionOf(window, Field::X, text);
    return EntryFits(text.size(), static_cast<std::size_t>(sel.length), 1);
}

}  // namespace

void XEntry::TypeKey(char ch) {
    WindowPort& window = calc_.window();
    if (calc_.EntryFinished()) {
        // The field gets the character even when the shown text did not commit.
        calc_.PushX();
        window.SetFieldText(Field::X, std::string(1, ch));
        window.FocusX();
        window.SetCaret(Field::X, 1);
    } else {
        // Read before the focus moves: focusing X from the keypad window selects all of it.
        const std::string text = window.FieldText(Field::X);
        const FieldSelection sel = SelectionOf(window, Field::X, text);
        const std::string typed(1, ch);
        // A selection from the first character replaces the whole text, wherever it ends.
        const bool wholeText = sel.length > 0 && sel.start == 0;
        if (!wholeText && !EntryFits(text.size(), static_cast<std::size_t>(sel.length), 1)) {
            window.Beep();
            return;
        }
        window.SetFieldText(Field::X, wholeText ? typed : ReplaceSelection(text, sel, typed));
        window.FocusX();
        window.SetCaret(Field::X, sel.start + 1);
    }
    calc_.BeginEntry();
}

void XEntry::TypeKeys(std::string_view keys) {
    if (keys.empty()) {
        return;
    }
    TypeKey(keys.front());
    // After one typed character the caret stands alone, so each of the others would go in
    // right after the one before it: all of them at once cost one copy of the text.
    WindowPort& window = calc_.window();
    const std::string text = window.FieldText(Field::X);
    const FieldSelection caret = SelectionOf(window, Field::X, text);
    const std::string_view rest = keys.substr(1);
    window.SetFieldText(Field::X, ReplaceSelection(text, caret, std::string(rest)));
    window.SetCaret(Field::X, caret.start + static_cast<int>(rest.size()));
}

void XEntry::ToggleEntryExponentSign() {
    WindowPort& window = calc_.window();
    const std::string toggled = ToggleExponentSign(window.FieldText(Field::X));
    // The first toggle appends an exponent, which a full entry has no room for.
    if (!EntryFits(0, 0, toggled.size())) {
        window.Beep();
        return;
    }
    window.SetFieldText(Field::X, toggled);
    calc_.BeginEntry();
}

void XEntry::EditX() {
    WindowPort& window = calc_.window();
    window.FocusX();
    window.Deselect(Field::X);
    calc_.BeginEntry();
}

void XEntry::WindowBecameActive() {
    calc_.window().SelectAllX();
    calc_.BeginEntry();
}

KeyAnswer XEntry::CharacterTyped(char key) {
    switch (key) {
        case '+':
            return {true, calc_.Run(Operation::Add)};
        case '-':
            return {true, calc_.Run(Operation::Subtract)};
        case '*':
            return {true, calc_.Run(Operation::Multiply)};
        case '/':
            return {true, calc_.Run(Operation::Divide)};
        case kEnter:
            return {true, calc_.Run(Operation::Enter)};
        // The three clipboard characters reach this handler only when Ctrl came with Shift or
        // Alt; the field then cuts, copies or pastes its whole text.
        case kCtrlC:
            calc_.EndEntry();
            calc_.FocusXSelectAll();
            return {};
        case kCtrlX:
            calc_.BeginEntry();
            calc_.FocusXSelectAll();
            return {};
        case kCtrlV:
            calc_.FocusXSelectAll();
            if (calc_.EntryFinished()) {
                calc_.PushX();
            }
            calc_.EndEntry();
            return {};
        default:
            if (calc_.EntryFinished()) {
                // The lift leaves a shown number, all of it selected, for the field to replace.
                calc_.PushX();
                calc_.BeginEntry();
                return {};
            }
            if (FieldInsertsCharacter(key) && !FitsOneMore(calc_.window())) {
                calc_.window().Beep();
                return {true};
            }
            return {};
    }
}

}  // namespace rpn
