#include "engine/calculator.h"
#include "engine/exponential.h"
#include "engine/x87.h"

namespace rpn {

namespace {

// X := result; the stack drops (Y := Z, Z := T, T kept); the result is shown. The result is
// computed in full before this is called, so a faulting step has stored nothing.
void DropWithResult(Calculator& calculator, Register result) {
    CalculatorState& state = calculator.state;
    state.X = result;
    state.Y = state.Z;
    state.Z = state.T;
    state.CommittedX = state.X;
    calculator.RefreshDisplay();
}

void ShowNewX(Calculator& calculator, Register result) {
    calculator.state.X = result;
    calculator.state.CommittedX = result;
    calculator.RefreshDisplay();
}

}  // namespace

void Calculator::SpeedButtonPClick() {
    if (!CommitX()) {
        return;
    }
    DropWithResult(*this, x87::Add(state.Y, state.X));
}

void Calculator::SpeedButtonMClick() {
    if (!CommitX()) {
        return;
    }
    DropWithResult(*this, x87::Subtract(state.Y, state.X));
}

void Calculator::SpeedButtonMuClick() {
    if (!CommitX()) {
        return;
    }
    DropWithResult(*this, x87::Multiply(state.Y, state.X));
}

void Calculator::SpeedButtonDClick() {
    if (!CommitX()) {
        return;
    }
    if (state.X == 0) {
        // The 0 stays as a finished value: the next digit lifts it into Y.
        window_.Beep();
        state.StackLift = true;
        FocusXSelectAll();
        return;
    }
    DropWithResult(*this, x87::Divide(state.Y, state.X));
}

void Calculator::SpeedButtonYXClick() {
    if (!CommitX()) {
        return;
    }
    // The logarithm of the base needs a positive base, even for whole exponents.
    if (state.Y <= 0) {
        window_.Beep();
        return;
    }
    DropWithResult(*this, Power(state.Y, state.X));
}

void Calculator::SpeedButton1XClick() {
    if (!CommitX()) {
        return;
    }
    if (state.X == 0) {
        window_.Beep();
        return;
    }
    ShowNewX(*this, x87::Divide(1.0L, state.X));
}

void Calculator::SpeedButtonX2Click() {
    if (!CommitX()) {
        return;
    }
    ShowNewX(*this, x87::Multiply(state.X, state.X));
}

void Calculator::ButtonsqrtClick() {
    if (!CommitX()) {
        return;
    }
    if (state.X <= 0) {
        window_.Beep();
        return;
    }
    ShowNewX(*this, Power(state.X, 0.5L));
}

void Calculator::SpeedButtonPMClick() {
    if (!CommitX()) {
        return;
    }
    ShowNewX(*this, -state.X);
    // A digit typed next replaces the negated number instead of lifting it.
    state.StackLift = false;
}

void Calculator::SpeedButtonCEClick() {
    state.X = 0;
    state.CommittedX = 0;
    window_.SetFieldText(Field::X, "0");
    FocusXSelectAll();
    state.StackLift = false;
}

void Calculator::SpeedButtonCClick() {
    state.X = 0;
    state.Y = 0;
    state.Z = 0;
    state.T = 0;
    state.CommittedX = 0;
    RefreshDisplay();
    state.StackLift = false;
}

void Calculator::SpeedButtonRClick() {
    RollDown();
}

// The permutations use CommittedX as their scratch register; it ends equal to the new X.
void Calculator::RollDown() {
    if (!CommitX()) {
        return;
    }
    state.CommittedX = state.X;
    state.X = state.Y;
    state.Y = state.Z;
    state.Z = state.T;
    state.T = state.CommittedX;
    state.CommittedX = state.X;
    RefreshDisplay();
}

void Calculator::RollUp() {
    if (!CommitX()) {
        return;
    }
    state.CommittedX = state.X;
    state.X = state.T;
    state.T = state.Z;
    state.Z = state.Y;
    state.Y = state.CommittedX;
    state.CommittedX = state.X;
    RefreshDisplay();
}

void Calculator::SpeedButtonxyClick() {
    if (!CommitX()) {
        return;
    }
    state.CommittedX = state.X;
    state.X = state.Y;
    state.Y = state.CommittedX;
    state.CommittedX = state.X;
    RefreshDisplay();
}

void Calculator::ButtonSTOClick() {
    if (!CommitX()) {
        return;
    }
    // No refresh: the entry stays as typed, and the next digit lifts it.
    state.MemoryRegister = state.X;
    FocusXSelectAll();
    state.StackLift = true;
}

void Calculator::ButtonRCLClick() {
    // A rejected entry has already been reset to 0, and that 0 is lifted like any other X.
    CommitX();
    state.CommittedX = state.X;
    state.T = state.Z;
    state.Z = state.Y;
    state.Y = state.X;
    state.X = state.MemoryRegister;
    state.CommittedX = state.X;
    RefreshDisplay();
}

}  // namespace rpn
