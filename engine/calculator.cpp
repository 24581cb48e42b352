#include "engine/calculator.h"

#include "engine/number_text.h"

namespace rpn {

bool Calculator::CommitX() {
    // An empty entry means 0. An overflow leaves ParseEntry as ArithmeticFault, before X
    // is written.
    const std::string text = CommaToPoint(window_.FieldText(Field::X));
    const ParseResult parsed = ParseEntry(text.empty() ? std::string_view("0") : text);
    if (parsed.ok()) {
        state.X = parsed.value;
        return true;
    }
    window_.Beep();
    state.StackLift = false;
    state.X = 0;
    window_.SetFieldText(Field::X, "0");
    FocusXSelectAll();
    return false;
}

void Calculator::RefreshDisplay() {
    window_.SetFieldText(Field::Y, FormatRegister(state.Y, kDisplayWidth, decimalSeparator));
    window_.SetFieldText(Field::Z, FormatRegister(state.Z, kDisplayWidth, decimalSeparator));
    window_.SetFieldText(Field::T, FormatRegister(state.T, kDisplayWidth, decimalSeparator));
    window_.SetFieldText(Field::X, FormatRegister(state.X, kDisplayWidth, decimalSeparator));
    FocusXSelectAll();
    state.StackLift = true;
}

void Calculator::PushX() {
    if (!CommitX()) {
        return;
    }
    state.CommittedX = state.X;
    state.T = state.Z;
    state.Z = state.Y;
    state.Y = state.X;
    RefreshDisplay();
}

void Calculator::ButtonEClick() {
    PushX();
    state.StackLift = false;
}

void Calculator::FocusXSelectAll() {
    window_.FocusX();
    window_.SelectAllX();
}

const char* AngleModeCaption(bool degreesMode) { return degreesMode ? "Degrees" : "Radians"; }

}  // namespace rpn
