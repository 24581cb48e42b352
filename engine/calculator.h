// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "engine/next_typed.h"
#include "engine/operation.h"
#include "engine/operation_table.h"
#include "engine/outcome.h"
#include "engine/register.h"
#include "engine/window_port.h"

namespace rpn {

// The calculator's registers and flags, as a value that can be read and compared.
struct CalculatorState {
    Register X = 0;
    Register Y = 0;
    Register Z = 0;
    Register T = 0;
    // The last X that an operation produced or Enter pushed; what the session file keeps.
    Register CommittedX = 0;
    Register MemoryRegister = 0;
    // True: the X field shows a finished value, and the next typed character lifts it.
    bool StackLift = false;
    bool DegreesMode = true;
};

// The caption of the angle-mode label: "Degrees" or "Radians".
const char* AngleModeCaption(bool degreesMode);

// How ReadX takes an empty X field.
enum class EmptyEntry { ReadsAsZero, IsRefused };

// The calculator engine: the one owner of the stack rules. Every change of the registers and
// flags goes through an operation or one of the named transitions below. It reaches the window
// only through WindowPort. An operation tells how it ended in its outcome; a fault ends it
// before anything has been stored.
class Calculator {
  public:
    explicit Calculator(WindowPort& window) : window_(window) {}

    const CalculatorState& state() const { return state_; }
    WindowPort& window() { return window_; }

    // The system's decimal separator, used by the fixed form of the display; the window gives
    // it at start and when the locale changes.
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    char decimalSeparator() const { return decimalSeparator_; }

    Outcome Run(Operation operation);

    // Reads the X field's text into X. An unreadable text beeps and leaves X and its field 0;
    // an entry beyond the register range raises ArithmeticFault before X is written.
    bool ReadX(EmptyEntry empty);
    // ReadX with an empty field read as 0; an unreadable text also starts a new entry over
    // the 0, all of it selected.
    bool CommitX();
    // Commits X; a readable entry becomes the X that the session file keeps.
    void CommitXForSaving();
    // Commits X and makes it the X that the session file keeps, an unreadable entry as 0.
    void CommitXAsKept();

    // Y := X, Z := Y, T := Z; X stays.
    void LiftStack();
    // X := result, Y := Z, Z := T, T stays; the result is shown.
    void DropWithResult(Register result);
    // X := result, the stack stays; the result is shown.
    void ShowNewX(Register result);
    // Shows the four registers, all of X selected; the next typed character lifts X.
    void RefreshDisplay();
    bool EntryFinished() const { return state_.StackLift; }
    // Commits X and pushes it: the Enter key without the new entry it starts.
    void PushX();
    // The registers read from a session: shown as a finished stack.
    void LoadRegisters(Register x, Register y, Register z, Register t, Register memory);

    // The X field focused with all of its text selected.
    void FocusXSelectAll();
    // The X field focused with all of its text selected, and then the next typed character
    // as `next` says: what a window command leaves behind when it hands the keyboard back.
    void ReturnToX(NextTyped next);
    // The X that a session brought in stays a finished value, whatever the first save's
    // commit did to the entry: the next typed character lifts it.
    void KeepLoadedXFinished();

  private:
    // Tests set the state a case starts from register by register (tests/engine/state_access.h).
    friend struct CalculatorStateAccess;

    // The table's transitions reach the private steps of the calculator.
    friend std::span<const OperationRow> OperationRows();
    // Typing and the clipboard exchange begin and end entries as their keys say.
    friend class XEntry;
    friend class ClipboardExchange;

    // ReadX and CommitX without the beep: an operation answers with its outcome instead.
    bool ReadXQuietly(EmptyEntry empty);
    bool CommitXQuietly();
    Outcome Apply(const OperationRow& row);
    Outcome RunScientificFunction(AngleRule rule);

    Outcome Enter();
    Outcome Divide();
    Outcome Power();
    Outcome Reciprocal();
    Outcome SquareRoot();
    Outcome ChangeSign();
    Outcome ClearX();
    Outcome ClearAll();
    Outcome RollDown();
    Outcome RollUp();
    Outcome SwapXY();
    Outcome Store();
    Outcome Recall();
    Outcome ToggleAngleMode();
    // Shows the X that was just computed as the new finished value.
    void ShowX();
    // The X field is being typed into: the next character goes into it.
    void BeginEntry();
    // The X field holds a finished value: the next character lifts it.
    void EndEntry();

    // The display text of `value`, formatted again only when none of the last texts shown is
    // that of the same bits: a refresh shows four fields after every operation, and most of
    // them show a value that a field showed a moment before (a pushed X in Y, a dropped Z in
    // T, the zeros of an empty stack).
    std::string DisplayText(Register value);

    struct ShownText {
        Register value = 0;
        // 0 for a slot that holds no text yet.
        char decimalSeparator = 0;
        std::string text;
    };

    WindowPort& window_;
    CalculatorState state_;
    char decimalSeparator_ = '.';
    std::array<ShownText, 4> recentTexts_;
    std::size_t nextRecentText_ = 0;
};

}  // namespace rpn
