#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/arithmetic_fault.h"
#include "engine/calculator.h"
#include "tests/engine/calculator_rig.h"

namespace rpn {
namespace {

using testing::CalculatorRig;
using testing::Handler;
using testing::Shown;
using testing::Snapshot;

constexpr Register kInf = std::numeric_limits<Register>::infinity();

struct ResultCase {
    const char* name;
    Handler handler;
    Register t, z, y;
    const char* typed;
    // The new X to the displayed digits; compared bit for bit as well when `exact`.
    Register x;
    bool exact;
    Register newY, newZ, newT;
    bool stackLift;
};

// Each row types an entry over the stack T=20, Z=10, Y=5 unless it says otherwise.
TEST(OperationsTest, ComputeTheNewStack) {
    const ResultCase cases[] = {
        {"add", &Calculator::SpeedButtonPClick, 20, 10, 5, "3", 8, true, 10, 20, 20, true},
        {"subtract", &Calculator::SpeedButtonMClick, 20, 10, 5, "3", 2, true, 10, 20, 20, true},
        {"subtract, comma entry", &Calculator::SpeedButtonMClick, 20, 10, 5, "0,5", 4.5L, true, 10,
         20, 20, true},
        {"multiply", &Calculator::SpeedButtonMuClick, 20, 10, 5, "-3", -15, true, 10, 20, 20, true},
        {"divide", &Calculator::SpeedButtonDClick, 20, 10, 6, "3", 2, true, 10, 20, 20, true},
        {"divide, inexact", &Calculator::SpeedButtonDClick, 20, 10, 1, "3", 1.0L / 3, true, 10, 20,
         20, true},
        {"2 power 10", &Calculator::SpeedButtonYXClick, 20, 10, 2, "10", 1024, false, 10, 20, 20,
         true},
        {"power 0.5", &Calculator::SpeedButtonYXClick, 20, 10, 2, "0.5", std::sqrt(2.0L), false, 10,
         20, 20, true},
        {"power -1", &Calculator::SpeedButtonYXClick, 20, 10, 4, "-1", 0.25L, false, 10, 20, 20,
         true},
        {"reciprocal", &Calculator::SpeedButton1XClick, 20, 10, 5, "4", 0.25L, true, 5, 10, 20,
         true},
        {"reciprocal of an infinite entry", &Calculator::SpeedButton1XClick, 20, 10, 5, "1e5200", 0,
         true, 5, 10, 20, true},
        {"square", &Calculator::SpeedButtonX2Click, 20, 10, 5, "-3", 9, true, 5, 10, 20, true},
        {"square root", &Calculator::ButtonsqrtClick, 20, 10, 5, "2", std::sqrt(2.0L), false, 5, 10,
         20, true},
        {"square root of 4", &Calculator::ButtonsqrtClick, 20, 10, 5, "4", 2, false, 5, 10, 20,
         true},
        {"change sign", &Calculator::SpeedButtonPMClick, 20, 10, 5, "3", -3, true, 5, 10, 20,
         false},
        {"roll down", &Calculator::SpeedButtonRClick, 20, 10, 5, "3", 5, true, 10, 20, 3, true},
        {"roll down (key)", &Calculator::RollDown, 20, 10, 5, "3", 5, true, 10, 20, 3, true},
        {"roll up", &Calculator::RollUp, 20, 10, 5, "3", 20, true, 3, 5, 10, true},
        {"exchange", &Calculator::SpeedButtonxyClick, 20, 10, 5, "3", 5, true, 3, 10, 20, true},
        {"exchange keeps an infinite entry", &Calculator::SpeedButtonxyClick, 20, 10, 5, "1e5200",
         5, true, kInf, 10, 20, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(c.t, c.z, c.y, c.typed);
        (rig.calc.*c.handler)();

        const CalculatorState& s = rig.calc.state;
        EXPECT_EQ(rig.window.text(Field::X), Shown(c.x));
        if (c.exact) {
            EXPECT_EQ(s.X, c.x);
        }
        EXPECT_EQ(s.Y, c.newY);
        EXPECT_EQ(s.Z, c.newZ);
        EXPECT_EQ(s.T, c.newT);
        EXPECT_EQ(s.CommittedX, s.X);
        EXPECT_EQ(s.MemoryRegister, 42);
        EXPECT_EQ(rig.window.text(Field::Y), Shown(c.newY));
        EXPECT_EQ(rig.window.text(Field::Z), Shown(c.newZ));
        EXPECT_EQ(rig.window.text(Field::T), Shown(c.newT));
        EXPECT_EQ(s.StackLift, c.stackLift);
        EXPECT_TRUE(rig.window.xFocused);
        EXPECT_TRUE(rig.window.XAllSelected());
        EXPECT_EQ(rig.window.beeps, 0);
    }
}

TEST(OperationsTest, ChangeSignOfZeroShowsZero) {
    CalculatorRig rig;
    rig.Prepare(0, 0, 0, "0");
    rig.calc.SpeedButtonPMClick();
    EXPECT_TRUE(std::signbit(rig.calc.state.X));
    EXPECT_EQ(rig.window.text(Field::X), "0");
    EXPECT_FALSE(rig.calc.state.StackLift);
}

struct RejectCase {
    const char* name;
    Handler handler;
    Register y;
    const char* typed;
};

// Beep only: X takes the value of its text, and nothing else changes.
TEST(OperationsTest, GuardsBeepAndChangeNothingElse) {
    const RejectCase cases[] = {
        {"power with Y = 0", &Calculator::SpeedButtonYXClick, 0, "3"},
        {"power with Y = -0", &Calculator::SpeedButtonYXClick, -0.0L, "3"},
        {"power with Y = -8", &Calculator::SpeedButtonYXClick, -8, "3"},
        {"reciprocal of 0", &Calculator::SpeedButton1XClick, 5, "0"},
        {"reciprocal of -0", &Calculator::SpeedButton1XClick, 5, "-0"},
        {"square root of 0", &Calculator::ButtonsqrtClick, 5, "0"},
        {"square root of -4", &Calculator::ButtonsqrtClick, 5, "-4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(20, 10, c.y, c.typed);
        Snapshot expected = rig.Take();
        expected.x = ParseEntry(c.typed).value;
        (rig.calc.*c.handler)();

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 1);
        EXPECT_EQ(rig.window.focusRequests, 0);
        EXPECT_EQ(rig.window.text(Field::X), c.typed);
    }
}

// An unreadable entry stops every operation that commits X, recall excepted.
TEST(OperationsTest, UnreadableEntryStopsTheOperation) {
    const Handler handlers[] = {
        &Calculator::SpeedButtonPClick,  &Calculator::SpeedButtonMClick,
        &Calculator::SpeedButtonMuClick, &Calculator::SpeedButtonDClick,
        &Calculator::SpeedButtonYXClick, &Calculator::SpeedButton1XClick,
        &Calculator::SpeedButtonX2Click, &Calculator::ButtonsqrtClick,
        &Calculator::SpeedButtonPMClick, &Calculator::SpeedButtonRClick,
        &Calculator::RollDown,           &Calculator::RollUp,
        &Calculator::SpeedButtonxyClick, &Calculator::ButtonSTOClick,
        &Calculator::ButtonsinClick,     &Calculator::ButtoncosClick,
        &Calculator::ButtontanClick,     &Calculator::ButtonasinClick,
        &Calculator::ButtonacosClick,    &Calculator::ButtonatanClick,
        &Calculator::ButtonlogClick,     &Calculator::Button10XClick,
        &Calculator::ButtonlnClick,      &Calculator::ButtonexClick,
        &Calculator::ButtondegradClick,  &Calculator::ButtonraddegClick,
    };
    int row = 0;
    for (const Handler handler : handlers) {
        SCOPED_TRACE(row++);
        CalculatorRig rig;
        rig.Prepare(20, 10, 5, "12x");
        Snapshot expected = rig.Take();
        expected.x = 0;
        expected.texts[0] = "0";
        (rig.calc.*handler)();

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 1);
        EXPECT_EQ(rig.window.mathErrors, 0);
        EXPECT_TRUE(rig.window.XAllSelected());
    }
}

struct FaultCase {
    const char* name;
    Handler handler;
    Register y;
    const char* typed;
    FaultKind kind;
};

// The fault leaves the handler before anything is stored; X keeps the value of its text.
TEST(OperationsTest, FaultLeavesEverythingAsItWas) {
    const FaultCase cases[] = {
        {"1e4000 squared", &Calculator::SpeedButtonX2Click, 5, "1e4000", FaultKind::Overflow},
        {"add overflows", &Calculator::SpeedButtonPClick, 1e4932L, "1e4932", FaultKind::Overflow},
        {"divide overflows", &Calculator::SpeedButtonDClick, 1e4000L, "1e-4000",
         FaultKind::Overflow},
        {"reciprocal of a denormal", &Calculator::SpeedButton1XClick, 5, "1.5e-4950",
         FaultKind::Overflow},
        // The exponent times ln 10 overflows: an overflow, not an invalid operation.
        {"10 power 1.1e4932", &Calculator::SpeedButtonYXClick, 10, "1.1e4932", FaultKind::Overflow},
        {"2 power 20000", &Calculator::SpeedButtonYXClick, 2, "20000", FaultKind::Overflow},
        {"2 power -infinity", &Calculator::SpeedButtonYXClick, 2, "-1e5200",
         FaultKind::InvalidOperation},
        {"infinity times 0", &Calculator::SpeedButtonMuClick, 0, "1e5200",
         FaultKind::InvalidOperation},
        {"infinity less infinity", &Calculator::SpeedButtonMClick, kInf, "1e5200",
         FaultKind::InvalidOperation},
        {"square root of infinity", &Calculator::ButtonsqrtClick, 5, "1e5200",
         FaultKind::InvalidOperation},
        {"deg>rad of 1e4932", &Calculator::ButtondegradClick, 5, "1e4932", FaultKind::Overflow},
        {"rad>deg of 1e4931", &Calculator::ButtonraddegClick, 5, "1e4931", FaultKind::Overflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(20, 10, c.y, c.typed);
        Snapshot expected = rig.Take();
        expected.x = ParseEntry(c.typed).value;
        try {
            (rig.calc.*c.handler)();
            ADD_FAILURE() << "no fault";
        } catch (const ArithmeticFault& fault) {
            EXPECT_EQ(fault.kind(), c.kind);
        }
        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 0);
        EXPECT_EQ(rig.window.mathErrors, 0);
    }
}

TEST(OperationsTest, DivideByZeroBeepsAndLeavesTheZeroToBeLifted) {
    for (const char* zero : {"0", "-0"}) {
        SCOPED_TRACE(zero);
        CalculatorRig rig;
        rig.Prepare(20, 10, 0, "5");
        rig.calc.ButtonEClick();
        rig.window.TypeIntoX(zero);
        rig.window.focusRequests = 0;
        Snapshot expected = rig.Take();
        expected.x = 0;
        expected.stackLift = true;
        rig.calc.SpeedButtonDClick();

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.calc.state.Y, 5);
        EXPECT_EQ(rig.calc.state.CommittedX, 5);
        EXPECT_EQ(rig.window.beeps, 1);
        EXPECT_EQ(rig.window.focusRequests, 1);
        EXPECT_TRUE(rig.window.XAllSelected());
    }
}

TEST(OperationsTest, ClearXRewritesOnlyTheXField) {
    CalculatorRig rig;
    rig.Prepare(20, 10, 5, "12x");
    rig.calc.state.StackLift = true;
    Snapshot expected = rig.Take();
    expected.x = 0;
    expected.committedX = 0;
    expected.stackLift = false;
    expected.texts[0] = "0";
    rig.calc.SpeedButtonCEClick();

    EXPECT_EQ(rig.Take(), expected);
    EXPECT_EQ(rig.window.beeps, 0);
    EXPECT_TRUE(rig.window.XAllSelected());
    EXPECT_TRUE(rig.window.xFocused);
}

TEST(OperationsTest, ClearAllKeepsMemoryAndAngleMode) {
    CalculatorRig rig;
    rig.Prepare(20, 10, 5, "12x");
    rig.calc.state.DegreesMode = false;
    rig.calc.SpeedButtonCClick();

    const Snapshot expected{0, 0, 0, 0, 0, 42, false, false, true, {"0", "0", "0", "0"}};
    EXPECT_EQ(rig.Take(), expected);
    EXPECT_EQ(rig.window.beeps, 0);
    EXPECT_TRUE(rig.window.XAllSelected());
}

TEST(OperationsTest, StoreKeepsTheEntryAsTyped) {
    CalculatorRig rig;
    rig.Prepare(20, 10, 5, "2,5");
    Snapshot expected = rig.Take();
    expected.x = 2.5L;
    expected.memory = 2.5L;
    expected.stackLift = true;
    rig.calc.ButtonSTOClick();

    EXPECT_EQ(rig.Take(), expected);
    EXPECT_TRUE(rig.window.XAllSelected());
    EXPECT_TRUE(rig.window.xFocused);
}

TEST(OperationsTest, StoreClearAllRecallGivesTheMemoryBack) {
    CalculatorRig rig;
    rig.Prepare(20, 10, 5, "9");
    rig.calc.ButtonSTOClick();
    rig.calc.SpeedButtonCClick();
    rig.calc.ButtonRCLClick();

    const Snapshot expected{9, 0, 0, 0, 9, 9, true, true, true, {"9", "0", "0", "0"}};
    EXPECT_EQ(rig.Take(), expected);
}

TEST(OperationsTest, RecallRightAfterEnterLiftsAgain) {
    CalculatorRig rig;
    rig.Prepare(20, 10, 5, "7");
    rig.calc.state.MemoryRegister = 3;
    rig.calc.ButtonEClick();
    rig.calc.ButtonRCLClick();

    const Snapshot expected{3, 7, 7, 5, 3, 3, true, true, true, {"3", "7", "7", "5"}};
    EXPECT_EQ(rig.Take(), expected);
    EXPECT_TRUE(rig.window.XAllSelected());
}

TEST(OperationsTest, RecallWithUnreadableEntryLiftsZero) {
    CalculatorRig rig;
    rig.Prepare(20, 10, 5, "1.2.3");
    rig.calc.ButtonRCLClick();

    const Snapshot expected{42, 0, 5, 10, 42, 42, true, true, true, {"42", "0", "5", "10"}};
    EXPECT_EQ(rig.Take(), expected);
    EXPECT_EQ(rig.window.beeps, 1);
}

// Recall goes on after a rejected entry, and a scientific function reports its own faults,
// but neither catches an entry beyond the register range: the fault leaves before any change.
TEST(OperationsTest, EntryBeyondTheRangeFaultsBeforeAnyChange) {
    const Handler handlers[] = {&Calculator::ButtonRCLClick, &Calculator::ButtonsinClick,
                                &Calculator::ButtonlnClick, &Calculator::SpeedButtonPClick};
    int row = 0;
    for (const Handler handler : handlers) {
        SCOPED_TRACE(row++);
        CalculatorRig rig;
        rig.Prepare(20, 10, 5, "1e4933");
        const Snapshot expected = rig.Take();
        EXPECT_THROW((rig.calc.*handler)(), ArithmeticFault);
        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 0);
        EXPECT_EQ(rig.window.mathErrors, 0);
    }
}

}  // namespace
}  // namespace rpn
