// SPDX-License-Identifier: GPL-3.0-or-later
#include <variant>

#include "engine/calculator.h"
#include "engine/exponential.h"
#include "engine/x87.h"

namespace rpn {

namespace {

// Lets one visit take the rule of each shape.
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Spelled out for compilers that do not deduce an aggregate's arguments themselves.
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

Outcome Calculator::Run(Operation operation) {
    const OperationRow& row = RowOf(operation);
    try {
        bool entryRefused = false;
        if (row.guard != Guard::None) {
            entryRefused = !CommitXQuietly();
            if (entryRefused && row.guard == Guard::CommitXFirst) {
                return kRefused;
            }
        }
        const Outcome outcome = Apply(row);
        return entryRefused && outcome == kDone ? kRefused : outcome;
    } catch (const ArithmeticFault& fault) {
        return Faulted(fault.kind());
    }
}

// The result is computed in full before the stack changes, so a faulting step has stored
// nothing.
Outcome Calculator::Apply(const OperationRow& row) {
    return std::visit(Overloaded{
                          [this](BinaryRule rule) {
                              DropWithResult(rule(state_.Y, state_.X));
                              return kDone;
                          },
                          [this](UnaryRule rule) {
                              ShowNewX(rule(state_.X));
                              return kDone;
                          },
                          [this](AngleRule rule) { return RunScientificFunction(rule); },
                          [this](Transition transition) { return (this->*transition)(); },
                      },
                      row.rule);
}

Outcome Calculator::Enter() {
    LiftStack();
    ShowX();
    // The pushed value stays in X to be typed over.
    BeginEntry();
    return kDone;
}

Outcome Calculator::Divide() {
    if (state_.X == 0) {
        // The 0 stays as a finished value: the next digit lifts it into Y.
        EndEntry();
        FocusXSelectAll();
        return kRefused;
    }
    DropWithResult(x87::Divide(state_.Y, state_.X));
    return kDone;
}

Outcome Calculator::Power() {
    // The logarithm of the base needs a positive base, even for whole exponents.
    if (state_.Y <= 0) {
        return kRefused;
    }
    DropWithResult(rpn::Power(state_.Y, state_.X));
    return kDone;
}

Outcome Calculator::Reciprocal() {
    if (state_.X == 0) {
        return kRefused;
    }
    ShowNewX(x87::Divide(1.0L, state_.X));
    return kDone;
}

Outcome Calculator::SquareRoot() {
    if (state_.X <= 0) {
        return kRefused;
    }
    ShowNewX(rpn::Power(state_.X, 0.5L));
    return kDone;
}

Outcome Calculator::ChangeSign() {
    ShowNewX(-state_.X);
    // A digit typed next replaces the negated number instead of lifting it.
    BeginEntry();
    return kDone;
}

Outcome Calculator::ClearX() {
    state_.X = 0;
    state_.CommittedX = 0;
    window_.SetFieldText(Field::X, "0");
    FocusXSelectAll();
    BeginEntry();
    return kDone;
}

Outcome Calculator::ClearAll() {
    state_.Y = 0;
    state_.Z = 0;
    state_.T = 0;
    ShowNewX(0);
    BeginEntry();
    return kDone;
}

Outcome Calculator::RollDown() {
    const Register x = state_.X;
    state_.X = state_.Y;
    state_.Y = state_.Z;
    state_.Z = state_.T;
    state_.T = x;
    ShowX();
    return kDone;
}

Outcome Calculator::RollUp() {
    const Register x = state_.X;
    state_.X = state_.T;
    state_.T = state_.Z;
    state_.Z = state_.Y;
    state_.Y = x;
    ShowX();
    return kDone;
}

Outcome Calculator::SwapXY() {
    const Register x = state_.X;
    state_.X = state_.Y;
    state_.Y = x;
    ShowX();
    return kDone;
}

Outcome Calculator::Store() {
    // No refresh: the entry stays as typed, and the next digit lifts it.
    state_.MemoryRegister = state_.X;
    FocusXSelectAll();
    EndEntry();
    return kDone;
}

Outcome Calculator::Recall() {
    // A rejected entry has already been reset to 0, and that 0 is lifted like any other X.
    LiftStack();
    ShowNewX(state_.MemoryRegister);
    return kDone;
}

}  // namespace rpn
