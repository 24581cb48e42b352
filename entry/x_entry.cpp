#include "entry/x_entry.h"

#include "entry/field_selection.h"

namespace rpn {

namespace {

constexpr char kEnter = 13;
constexpr char kCtrlC = 3;
constexpr char kCtrlX = 24;
constexpr char kCtrlV = 22;

}  // namespace

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

void XEntry::TypeKey(char ch) {
    WindowPort& window = calc_.window();
    if (calc_.state.StackLift) {
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
        window.SetFieldText(Field::X, wholeText ? typed : ReplaceSelection(text, sel, typed));
        window.FocusX();
        window.SetCaret(Field::X, sel.start + 1);
    }
    calc_.state.StackLift = false;
}

void XEntry::AppendKey(char ch) {
    WindowPort& window = calc_.window();
    window.SetFieldText(Field::X, window.FieldText(Field::X) + ch);
    window.FocusX();
    window.Deselect(Field::X);
    calc_.state.StackLift = false;
}

void XEntry::SpeedButtonPMEClick() {
    WindowPort& window = calc_.window();
    window.SetFieldText(Field::X, ToggleExponentSign(window.FieldText(Field::X)));
    calc_.state.StackLift = false;
}

void XEntry::ButtoneditClick() {
    WindowPort& window = calc_.window();
    window.FocusX();
    window.Deselect(Field::X);
    calc_.state.StackLift = false;
}

void XEntry::EditXKeyPress(char& key) {
    CalculatorState& state = calc_.state;
    switch (key) {
        case '+':
            key = 0;
            calc_.SpeedButtonPClick();
            return;
        case '-':
            key = 0;
            calc_.SpeedButtonMClick();
            return;
        case '*':
            key = 0;
            calc_.SpeedButtonMuClick();
            return;
        case '/':
            key = 0;
            calc_.SpeedButtonDClick();
            return;
        case kEnter:
            key = 0;
            calc_.ButtonEClick();
            return;
        // The three clipboard characters reach this handler only when Ctrl came with Shift or
        // Alt; the field then cuts, copies or pastes its whole text.
        case kCtrlC:
            state.StackLift = true;
            calc_.FocusXSelectAll();
            return;
        case kCtrlX:
            state.StackLift = false;
            calc_.FocusXSelectAll();
            return;
        case kCtrlV:
            calc_.FocusXSelectAll();
            if (state.StackLift) {
                calc_.PushX();
            }
            state.StackLift = true;
            return;
        default:
            if (state.StackLift) {
                calc_.PushX();
                state.StackLift = false;
            }
            return;
    }
}

}  // namespace rpn
