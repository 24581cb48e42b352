// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calculator.h"

#include <cstring>

#include "engine/number_text.h"

namespace rpn {

bool Calculator::ReadX(EmptyEntry empty) {
    if (ReadXQuietly(empty)) {
        return true;
    }
    window_.Beep();
    return false;
}

bool Calculator::ReadXQuietly(EmptyEntry empty) {
    const std::string text = CommaToPoint(window_.FieldText(Field::X));
    const bool readAsZero = text.empty() && empty == EmptyEntry::ReadsAsZero;
    // An overflow leaves ParseEntry as ArithmeticFault, before X is written.
    const ParseResult parsed = ParseEntry(readAsZero ? std::string_view("0") : text);
    state_.X = parsed.value;
    if (parsed.ok()) {
        return true;
    }
    window_.SetFieldText(Field::X, "0");
    return false;
}

bool Calculator::CommitX() {
    if (CommitXQuietly()) {
        return true;
    }
    window_.Beep();
    return false;
}

bool Calculator::CommitXQuietly() {
    if (ReadXQuietly(EmptyEntry::ReadsAsZero)) {
        return true;
    }
    BeginEntry();
    FocusXSelectAll();
    return false;
}

void Calculator::CommitXForSaving() {
    if (CommitX()) {
        state_.CommittedX = state_.X;
    }
}

void Calculator::CommitXAsKept() {
    CommitX();
    state_.CommittedX = state_.X;
}

void Calculator::LiftStack() {
    state_.T = state_.Z;
    state_.Z = state_.Y;
    state_.Y = state_.X;
}

void Calculator::DropWithResult(Register result) {
    state_.X = result;
    state_.Y = state_.Z;
    state_.Z = state_.T;
    ShowX();
}

void Calculator::ShowNewX(Register result) {
    state_.X = result;
    ShowX();
}

void Calculator::ShowX() {
    state_.CommittedX = state_.X;
    RefreshDisplay();
}

void Calculator::RefreshDisplay() {
    window_.SetFieldText(Field::Y, DisplayText(state_.Y));
    window_.SetFieldText(Field::Z, DisplayText(state_.Z));
    window_.SetFieldText(Field::T, DisplayText(state_.T));
    window_.SetFieldText(Field::X, DisplayText(state_.X));
    FocusXSelectAll();
    EndEntry();
}

std::string Calculator::DisplayText(Register value) {
    for (const ShownText& shown : recentTexts_) {
        // The 80 bits of the value; the rest of a long double is padding.
        if (shown.decimalSeparator == decimalSeparator_ &&
            std::memcmp(&shown.value, &value, 10) == 0) {
            return shown.text;
        }
    }
    ShownText& slot = recentTexts_[nextRecentText_];
    nextRecentText_ = (nextRecentText_ + 1) % recentTexts_.size();
    slot = {value, decimalSeparator_, FormatRegister(value, kDisplayWidth, decimalSeparator_)};
    return slot.text;
}

void Calculator::BeginEntry() {
    state_.StackLift = false;
}

void Calculator::EndEntry() {
    state_.StackLift = true;
}

void Calculator::PushX() {
    if (!CommitX()) {
        return;
    }
    LiftStack();
    ShowX();
}

void Calculator::LoadRegisters(Register x, Register y, Register z, Register t, Register memory) {
    state_.Y = y;
    state_.Z = z;
    state_.T = t;
    state_.MemoryRegister = memory;
    ShowNewX(x);
}

void Calculator::FocusXSelectAll() {
    window_.FocusX();
    window_.SelectAllX();
}

void Calculator::ReturnToX(NextTyped next) {
    // The focus first: a focus that makes the window active again begins an entry of its
    // own, and the command's word on the entry is the last.
    FocusXSelectAll();
    if (next == NextTyped::LiftsX) {
        EndEntry();
    } else {
        BeginEntry();
    }
}

void Calculator::KeepLoadedXFinished() {
    EndEntry();
}

const char* AngleModeCaption(bool degreesMode) {
    return degreesMode ? "Degrees" : "Radians";
}

}  // namespace rpn
