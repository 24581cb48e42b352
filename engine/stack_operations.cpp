// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calculator.h"
#include "engine/exponential.h"
#include "engine/x87.h"

namespace rpn {

void Calculator::Run(Operation operation) {
    switch (operation) {
        case Operation::Add:
            return RunBinary(x87::Add);
        case Operation::Subtract:
            return RunBinary(x87::Subtract);
        case Operation::Multiply:
            return RunBinary(x87::Multiply);
        case Operation::Divide:
            return Divide();
        case Operation::Power:
            return Power();
        case Operation::Reciprocal:
            return Reciprocal();
        case Operation::Square:
            return RunUnary([](Register x) { return x87::Multiply(x, x); });
        case Operation::SquareRoot:
            return SquareRoot();
        case Operation::ChangeSign:
            return ChangeSign();
        case Operation::ClearX:
            return ClearX();
        case Operation::ClearAll:
            return ClearAll();
        case Operation::RollDown:
            return RollDown();
        case Operation::RollUp:
            return RollUp();
        case Operation::SwapXY:
            return SwapXY();
        case Operation::Enter:
            return Enter();
        case Operation::Store:
            return Store();
        case Operation::Recall:
            return Recall();
        case Operation::Sine:
        case Operation::Cosine:
        case Operation::Tangent:
        case Operation::ArcSine:
        case Operation::ArcCosine:
        case Operation::ArcTangent:
        case Operation::Log10:
        case Operation::TenToX:
        case Operation::NaturalLog:
        case Operation::NaturalExp:
        case Operation::DegreesToRadians:
        case Operation::RadiansToDegrees:
        case Operation::ToggleAngleMode:
            return RunScientific(operation);
    }
}

// The result is computed in full before the stack drops, so a faulting step has stored nothing.
void Calculator::RunBinary(BinaryRule rule) {
    if (!CommitX()) {
        return;
    }
    DropWithResult(rule(state_.Y, state_.X));
}

void Calculator::RunUnary(UnaryRule rule) {
    if (!CommitX()) {
        return;
    }
    ShowNewX(rule(state_.X));
}

void Calculator::Enter() {
    PushX();
    // The pushed value stays in X to be typed over.
    BeginEntry();
}

void Calculator::Divide() {
    if (!CommitX()) {
        return;
    }
    if (state_.X == 0) {
        // The 0 stays as a finished value: the next digit lifts it into Y.
        window_.Beep();
        EndEntry();
        FocusXSelectAll();
        return;
    }
    DropWithResult(x87::Divide(state_.Y, state_.X));
}

void Calculator::Power() {
    if (!CommitX()) {
        return;
    }
    // The logarithm of the base needs a positive base, even for whole exponents.
    if (state_.Y <= 0) {
        window_.Beep();
        return;
    }
    DropWithResult(rpn::Power(state_.Y, state_.X));
}

void Calculator::Reciprocal() {
    if (!CommitX()) {
        return;
    }
    if (state_.X == 0) {
        window_.Beep();
        return;
    }
    ShowNewX(x87::Divide(1.0L, state_.X));
}

void Calculator::SquareRoot() {
    if (!CommitX()) {
        return;
    }
    if (state_.X <= 0) {
        window_.Beep();
        return;
    }
    ShowNewX(rpn::Power(state_.X, 0.5L));
}

void Calculator::ChangeSign() {
    if (!CommitX()) {
        return;
    }
    ShowNewX(-state_.X);
    // A digit typed next replaces the negated number instead of lifting it.
    BeginEntry();
}

void Calculator::ClearX() {
    state_.X = 0;
    state_.CommittedX = 0;
    window_.SetFieldText(Field::X, "0");
    FocusXSelectAll();
    BeginEntry();
}

void Calculator::ClearAll() {
    state_.Y = 0;
    state_.Z = 0;
    state_.T = 0;
    ShowNewX(0);
    BeginEntry();
}

void Calculator::RollDown() {
    if (!CommitX()) {
        return;
    }
    const Register x = state_.X;
    state_.X = state_.Y;
    state_.Y = state_.Z;
    state_.Z = state_.T;
    state_.T = x;
    ShowX();
}

void Calculator::RollUp() {
    if (!CommitX()) {
        return;
    }
    const Register x = state_.X;
    state_.X = state_.T;
    state_.T = state_.Z;
    state_.Z = state_.Y;
    state_.Y = x;
    ShowX();
}

void Calculator::SwapXY() {
    if (!CommitX()) {
        return;
    }
    const Register x = state_.X;
    state_.X = state_.Y;
    state_.Y = x;
    ShowX();
}

void Calculator::Store() {
    if (!CommitX()) {
        return;
    }
    // No refresh: the entry stays as typed, and the next digit lifts it.
    state_.MemoryRegister = state_.X;
    FocusXSelectAll();
    EndEntry();
}

void Calculator::Recall() {
    // A rejected entry has already been reset to 0, and that 0 is lifted like any other X.
    CommitX();
    LiftStack();
    ShowNewX(state_.MemoryRegister);
}

}  // namespace rpn
