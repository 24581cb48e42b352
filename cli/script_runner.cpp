// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_runner.h"

#include <optional>

#include "cli/script_words.h"
#include "engine/arithmetic_fault.h"
#include "engine/number_text.h"

namespace rpn::cli {

namespace {

TokenResult Problem(std::string text) {
    return {TokenResult::Kind::Problem, std::move(text)};
}

// How the X field reads `text` as the next key commits it: the value, or the failure
// position, or the fault of a value beyond the register's range.
struct EntryReading {
    ParseResult parsed;
    std::optional<FaultKind> fault;
};

EntryReading ReadEntry(std::string_view text) {
    const std::string point = CommaToPoint(text);
    try {
        return {ParseEntry(point.empty() ? std::string_view("0") : point), std::nullopt};
    } catch (const ArithmeticFault& fault) {
        return {{}, fault.kind()};
    }
}

std::string FaultMessage(FaultKind kind) {
    // The window's general error report adds the full stop too.
    return std::string(ArithmeticFault(kind).what()) + ".";
}

// A display text without the blanks that pad +Inf and -Inf to the field's width.
std::string_view Shown(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? text : text.substr(first);
}

bool ReadsAsNumber(const EntryReading& reading) {
    return !reading.fault && reading.parsed.ok();
}

// Where a token that is no word begins like a number, it is a number written wrong;
// otherwise it is a word the calculator does not know.
bool LooksLikeANumber(std::string_view token) {
    const char first = token.front();
    return (first >= '0' && first <= '9') || first == '.' || first == ',' || first == '+' ||
           first == '-';
}

}  // namespace

ScriptRunner::ScriptRunner(char decimalSeparator)
    : calc_(window_), entry_(calc_, clipboard_, [] {}) {
    calc_.SetDecimalSeparator(decimalSeparator);
}

TokenResult ScriptRunner::Run(std::string_view token) {
    const std::optional<ScriptWord> word = FindScriptWord(token);
    if (!word) {
        return TypeEntry(token);
    }
    switch (word->action) {
        case WordAction::Operation:
            return RunOperation(word->operation);
        case WordAction::Degrees:
        case WordAction::Radians:
            // The button only toggles, and reads nothing: an entry being typed goes on.
            if (state().DegreesMode != (word->action == WordAction::Degrees)) {
                calc_.Run(Operation::ToggleAngleMode);
            }
            return {};
        case WordAction::PrintX:
            return {TokenResult::Kind::PrintX, {}};
    }
    return {};
}

TokenResult ScriptRunner::RunOperation(Operation operation) {
    xTextBefore_ = window_.Text(Field::X);
    // Roll up has no button: it is the Up arrow's, which selects all of X even when the roll
    // fails.
    const Outcome outcome = operation == Operation::RollUp
                                ? entry_.keyboard.XKeyReleased(Key::Up, {}).outcome
                                : calc_.Run(operation);
    const bool readUnreadableEntry = entryPending_ && entryUnreadable_;
    // Every operation but the angle-mode toggle reads or replaces the entry.
    if (operation != Operation::ToggleAngleMode) {
        entryPending_ = false;
    }
    if (outcome == kDone) {
        return {};
    }
    if (readUnreadableEntry && !ReadsAsNumber(ReadEntry(xTextBefore_))) {
        // The entry's own line has said it; this key only did what its commit does.
        return {};
    }
    return Failure(operation, outcome, xTextBefore_);
}

TokenResult ScriptRunner::Failure(Operation operation, Outcome outcome,
                                  const std::string& xText) const {
    if (outcome.kind == OutcomeKind::MathError) {
        return Problem("Math Error");
    }
    const EntryReading reading = ReadEntry(xText);
    if (outcome.kind == OutcomeKind::Fault) {
        return Problem(reading.fault ? "X holds " + xText + ": " + FaultMessage(*reading.fault)
                                     : FaultMessage(outcome.fault));
    }
    if (!reading.parsed.ok()) {
        return Problem("X shows " + std::string(Shown(xText)) + ", which no key reads: X is now 0");
    }
    switch (operation) {
        case Operation::Divide:
            return Problem("refused: division by zero");
        case Operation::Reciprocal:
            return Problem("refused: the reciprocal of zero");
        case Operation::Power:
            return Problem("refused: Y^X needs Y above zero");
        case Operation::SquareRoot:
            return Problem("refused: the square root needs X above zero");
        default:
            return Problem("refused");
    }
}

TokenResult ScriptRunner::TypeEntry(std::string_view token) {
    const EntryReading reading = ReadEntry(token);
    const bool readable = ReadsAsNumber(reading);
    // A word the calculator does not know is no key at all: nothing happens.
    if (!readable && !reading.fault && !LooksLikeANumber(token)) {
        return Problem("unknown operation");
    }
    if (entryPending_) {
        // Its own problem was said when it was typed.
        calc_.Run(Operation::Enter);
    }
    const int beepsBefore = window_.beeps();
    const std::string shownBefore = window_.Text(Field::X);
    entry_.xEntry.TypeKeys(token);
    entryPending_ = true;
    entryUnreadable_ = !readable;
    if (reading.fault) {
        return Problem(FaultMessage(*reading.fault));
    }
    if (!readable) {
        return Problem("not a number: the X field cannot read it from character " +
                       std::to_string(reading.parsed.failurePosition));
    }
    if (window_.beeps() != beepsBefore) {
        return Problem("X showed " + std::string(Shown(shownBefore)) +
                       ", which no key reads: it became 0 instead of moving to Y");
    }
    return {};
}

Register ScriptRunner::XValue() const {
    if (!entryPending_) {
        return state().X;
    }
    const EntryReading reading = ReadEntry(window_.Text(Field::X));
    if (reading.fault) {
        // Its commit would fault and leave X as it is.
        return state().X;
    }
    return reading.parsed.ok() ? reading.parsed.value : 0;
}

}  // namespace rpn::cli
