// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <variant>

#include "engine/arithmetic_fault.h"
#include "engine/calculator.h"
#include "engine/operation_table.h"
#include "tests/engine/calculator_rig.h"

namespace rpn {
namespace {

using testing::CalculatorRig;
using testing::Shown;
using testing::Snapshot;

constexpr Register kInf = std::numeric_limits<Register>::infinity();

struct ResultCase {
    const char* name;
    Operation operation;
    const char* typed;
    Register y, z, t;
    // The new X to the displayed digits; compared bit for bit as well when `exact`.
    Register x;
    bool exact;
    Register newY, newZ, newT;
    bool stackLift;
};

// Each row types an entry over the stack Y=5, Z=10, T=20 unless it says otherwise.
TEST(OperationsTest, ComputeTheNewStack) {
    const ResultCase cases[] = {
        {"add", Operation::Add, "3", 5, 10, 20, 8, true, 10, 20, 20, true},
        {"subtract", Operation::Subtract, "3", 5, 10, 20, 2, true, 10, 20, 20, true},
        {"subtract, comma entry", Operation::Subtract, "0,5", 5, 10, 20, 4.5L, true, 10, 20, 20,
         true},
        {"multiply", Operation::Multiply, "-3", 5, 10, 20, -15, true, 10, 20, 20, true},
        {"divide", Operation::Divide, "3", 6, 10, 20, 2, true, 10, 20, 20, true},
        {"divide, inexact", Operation::Divide, "3", 1, 10, 20, 1.0L / 3, true, 10, 20, 20, true},
        {"2 power 10", Operation::Power, "10", 2, 10, 20, 1024, false, 10, 20, 20, true},
        {"power 0.5", Operation::Power, "0.5", 2, 10, 20, std::sqrt(2.0L), false, 10, 20, 20, true},
        {"power -1", Operation::Power, "-1", 4, 10, 20, 0.25L, false, 10, 20, 20, true},
        {"reciprocal", Operation::Reciprocal, "4", 5, 10, 20, 0.25L, true, 5, 10, 20, true},
        {"reciprocal of an infinite entry", Operation::Reciprocal, "1e5200", 5, 10, 20, 0, true, 5,
         10, 20, true},
        {"square", Operation::Square, "-3", 5, 10, 20, 9, true, 5, 10, 20, true},
        {"square root", Operation::SquareRoot, "2", 5, 10, 20, std::sqrt(2.0L), false, 5, 10, 20,
         true},
        {"square root of 4", Operation::SquareRoot, "4", 5, 10, 20, 2, false, 5, 10, 20, true},
        {"change sign", Operation::ChangeSign, "3", 5, 10, 20, -3, true, 5, 10, 20, false},
        {"roll down", Operation::RollDown, "3", 5, 10, 20, 5, true, 10, 20, 3, true},
        {"roll up", Operation::RollUp, "3", 5, 10, 20, 20, true, 3, 5, 10, true},
        {"exchange", Operation::SwapXY, "3", 5, 10, 20, 5, true, 3, 10, 20, true},
        {"exchange keeps an infinite entry", Operation::SwapXY, "1e5200", 5, 10, 20, 5, true, kInf,
         10, 20, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(c.typed, c.y, c.z, c.t);
        EXPECT_EQ(rig.calc.Run(c.operation), kDone);

        const CalculatorState& s = StateOf(rig.calc);
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

// The rule a row holds must be the one its shape calls for, and each operation must find its
// own row: a missing or misplaced row would run another operation's rule.
TEST(OperationsTest, EveryOperationHasOneRowOfItsShape) {
    ASSERT_EQ(OperationRows().size(), static_cast<std::size_t>(kOperationCount));
    for (int i = 0; i < kOperationCount; ++i) {
        SCOPED_TRACE(i);
        const Operation operation = static_cast<Operation>(i);
        const OperationRow& row = RowOf(operation);
        EXPECT_EQ(row.operation, operation);
        std::visit([](auto rule) { EXPECT_NE(rule, nullptr); }, row.rule);
        switch (row.shape) {
            case Shape::Binary:
                EXPECT_FALSE(std::holds_alternative<UnaryRule>(row.rule));
                EXPECT_FALSE(std::holds_alternative<AngleRule>(row.rule));
                break;
            case Shape::Unary:
                EXPECT_FALSE(std::holds_alternative<BinaryRule>(row.rule));
                EXPECT_FALSE(std::holds_alternative<AngleRule>(row.rule));
                break;
            case Shape::Scientific:
                EXPECT_TRUE(std::holds_alternative<AngleRule>(row.rule));
                break;
            case Shape::Stack:
            case Shape::Memory:
            case Shape::Mode:
                EXPECT_TRUE(std::holds_alternative<Transition>(row.rule));
                break;
        }
    }
}

TEST(OperationsTest, ChangeSignOfZeroShowsZero) {
    CalculatorRig rig;
    rig.Prepare("0", 0, 0, 0);
    rig.calc.Run(Operation::ChangeSign);
    EXPECT_TRUE(std::signbit(StateOf(rig.calc).X));
    EXPECT_EQ(rig.window.text(Field::X), "0");
    EXPECT_FALSE(StateOf(rig.calc).StackLift);
}

struct RejectCase {
    const char* name;
    Operation operation;
    Register y;
    const char* typed;
};

// Beep only: X takes the value of its text, and nothing else changes.
TEST(OperationsTest, GuardsBeepAndChangeNothingElse) {
    const RejectCase cases[] = {
        {"power with Y = 0", Operation::Power, 0, "3"},
        {"power with Y = -0", Operation::Power, -0.0L, "3"},
        {"power with Y = -8", Operation::Power, -8, "3"},
        {"reciprocal of 0", Operation::Reciprocal, 5, "0"},
        {"reciprocal of -0", Operation::Reciprocal, 5, "-0"},
        {"square root of 0", Operation::SquareRoot, 5, "0"},
        {"square root of -4", Operation::SquareRoot, 5, "-4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(c.typed, c.y, 10, 20);
        Snapshot expected = rig.Take();
        expected.x = ParseEntry(c.typed).value;
        EXPECT_EQ(rig.calc.Run(c.operation), kRefused);

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 0);
        EXPECT_EQ(rig.window.focusRequests, 0);
        EXPECT_EQ(rig.window.text(Field::X), c.typed);
    }
}

// An unreadable entry stops every operation that commits X, recall excepted.
TEST(OperationsTest, UnreadableEntryStopsTheOperation) {
    const Operation operations[] = {
        Operation::Add,
        Operation::Subtract,
        Operation::Multiply,
        Operation::Divide,
        Operation::Power,
        Operation::Reciprocal,
        Operation::Square,
        Operation::SquareRoot,
        Operation::ChangeSign,
        Operation::RollDown,
        Operation::RollDown,
        Operation::RollUp,
        Operation::SwapXY,
        Operation::Store,
        Operation::Sine,
        Operation::Cosine,
        Operation::Tangent,
        Operation::ArcSine,
        Operation::ArcCosine,
        Operation::ArcTangent,
        Operation::Log10,
        Operation::TenToX,
        Operation::NaturalLog,
        Operation::NaturalExp,
        Operation::DegreesToRadians,
        Operation::RadiansToDegrees,
    };
    int row = 0;
    for (const Operation operation : operations) {
        SCOPED_TRACE(row++);
        CalculatorRig rig;
        rig.Prepare("12x", 5, 10, 20);
        Snapshot expected = rig.Take();
        expected.x = 0;
        // Moved in rather than assigned from the literal: GCC 12 at -O2 reports a false
        // overlap (-Wrestrict) in the inlined replace.
        expected.texts[0] = std::string("0");
        EXPECT_EQ(rig.calc.Run(operation), kRefused);

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 0);
        EXPECT_TRUE(rig.window.XAllSelected());
    }
}

struct FaultCase {
    const char* name;
    Operation operation;
    Register y;
    const char* typed;
    FaultKind kind;
};

// The fault leaves the operation before anything is stored; X keeps the value of its text.
TEST(OperationsTest, FaultLeavesEverythingAsItWas) {
    const FaultCase cases[] = {
        {"1e4000 squared", Operation::Square, 5, "1e4000", FaultKind::Overflow},
        {"add overflows", Operation::Add, 1e4932L, "1e4932", FaultKind::Overflow},
        {"divide overflows", Operation::Divide, 1e4000L, "1e-4000", FaultKind::Overflow},
        {"reciprocal of a denormal", Operation::Reciprocal, 5, "1.5e-4950", FaultKind::Overflow},
        // The exponent times ln 10 overflows: an overflow, not an invalid operation.
        {"10 power 1.1e4932", Operation::Power, 10, "1.1e4932", FaultKind::Overflow},
        {"2 power 20000", Operation::Power, 2, "20000", FaultKind::Overflow},
        {"2 power -infinity", Operation::Power, 2, "-1e5200", FaultKind::InvalidOperation},
        {"infinity times 0", Operation::Multiply, 0, "1e5200", FaultKind::InvalidOperation},
        {"infinity less infinity", Operation::Subtract, kInf, "1e5200",
         FaultKind::InvalidOperation},
        {"square root of infinity", Operation::SquareRoot, 5, "1e5200",
         FaultKind::InvalidOperation},
        {"deg>rad of 1e4932", Operation::DegreesToRadians, 5, "1e4932", FaultKind::Overflow},
        {"rad>deg of 1e4931", Operation::RadiansToDegrees, 5, "1e4931", FaultKind::Overflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.Prepare(c.typed, c.y, 10, 20);
        Snapshot expected = rig.Take();
        expected.x = ParseEntry(c.typed).value;
        EXPECT_EQ(rig.calc.Run(c.operation), Faulted(c.kind));
        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 0);
    }
}

TEST(OperationsTest, DivideByZeroBeepsAndLeavesTheZeroToBeLifted) {
    for (const char* zero : {"0", "-0"}) {
        SCOPED_TRACE(zero);
        CalculatorRig rig;
        rig.Prepare("5", 0, 10, 20);
        rig.calc.Run(Operation::Enter);
        rig.window.TypeIntoX(zero);
        rig.window.focusRequests = 0;
        Snapshot expected = rig.Take();
        expected.x = 0;
        expected.stackLift = true;
        EXPECT_EQ(rig.calc.Run(Operation::Divide), kRefused);

        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(StateOf(rig.calc).Y, 5);
        EXPECT_EQ(StateOf(rig.calc).CommittedX, 5);
        EXPECT_EQ(rig.window.beeps, 0);
        EXPECT_EQ(rig.window.focusRequests, 1);
        EXPECT_TRUE(rig.window.XAllSelected());
    }
}

TEST(OperationsTest, ClearXRewritesOnlyTheXField) {
    CalculatorRig rig;
    rig.Prepare("12x", 5, 10, 20);
    StateOf(rig.calc).StackLift = true;
    Snapshot expected = rig.Take();
    expected.x = 0;
    expected.committedX = 0;
    expected.stackLift = false;
    expected.texts[0] = "0";
    EXPECT_EQ(rig.calc.Run(Operation::ClearX), kDone);

    EXPECT_EQ(rig.Take(), expected);
    EXPECT_EQ(rig.window.beeps, 0);
    EXPECT_TRUE(rig.window.XAllSelected());
    EXPECT_TRUE(rig.window.xFocused);
}

TEST(OperationsTest, ClearAllKeepsMemoryAndAngleMode) {
    CalculatorRig rig;
    rig.Prepare("12x", 5, 10, 20);
    StateOf(rig.calc).DegreesMode = false;
    EXPECT_EQ(rig.calc.Run(Operation::ClearAll), kDone);

    const Snapshot expected{0, 0, 0, 0, 0, 42, false, false, {"0", "0", "0", "0"}};
    EXPECT_EQ(rig.Take(), expected);
    EXPECT_EQ(rig.window.beeps, 0);
    EXPECT_TRUE(rig.window.XAllSelected());
}

TEST(OperationsTest, StoreKeepsTheEntryAsTyped) {
    CalculatorRig rig;
    rig.Prepare("2,5", 5, 10, 20);
    Snapshot expected = rig.Take();
    expected.x = 2.5L;
    expected.memory = 2.5L;
    expected.stackLift = true;
    rig.calc.Run(Operation::Store);

    EXPECT_EQ(rig.Take(), expected);
    EXPECT_TRUE(rig.window.XAllSelected());
    EXPECT_TRUE(rig.window.xFocused);
}

TEST(OperationsTest, StoreClearAllRecallGivesTheMemoryBack) {
    CalculatorRig rig;
    rig.Prepare("9", 5, 10, 20);
    rig.calc.Run(Operation::Store);
    EXPECT_EQ(rig.calc.Run(Operation::ClearAll), kDone);
    rig.calc.Run(Operation::Recall);

    const Snapshot expected{9, 0, 0, 0, 9, 9, true, true, {"9", "0", "0", "0"}};
    EXPECT_EQ(rig.Take(), expected);
}

TEST(OperationsTest, RecallRightAfterEnterLiftsAgain) {
    CalculatorRig rig;
    rig.Prepare("7", 5, 10, 20);
    StateOf(rig.calc).MemoryRegister = 3;
    rig.calc.Run(Operation::Enter);
    rig.calc.Run(Operation::Recall);

    const Snapshot expected{3, 7, 7, 5, 3, 3, true, true, {"3", "7", "7", "5"}};
    EXPECT_EQ(rig.Take(), expected);
    EXPECT_TRUE(rig.window.XAllSelected());
}

TEST(OperationsTest, RecallWithUnreadableEntryLiftsZero) {
    CalculatorRig rig;
    rig.Prepare("1.2.3", 5, 10, 20);
    // The refused entry is answered, and the recall goes on.
    EXPECT_EQ(rig.calc.Run(Operation::Recall), kRefused);

    const Snapshot expected{42, 0, 5, 10, 42, 42, true, true, {"42", "0", "5", "10"}};
    EXPECT_EQ(rig.Take(), expected);
    EXPECT_EQ(rig.window.beeps, 0);
}

// Recall goes on after a rejected entry, and a scientific function reports its own faults,
// but neither catches an entry beyond the register range: the fault leaves before any change.
TEST(OperationsTest, EntryBeyondTheRangeFaultsBeforeAnyChange) {
    const Operation operations[] = {Operation::Recall, Operation::Sine, Operation::NaturalLog,
                                    Operation::Add};
    int row = 0;
    for (const Operation operation : operations) {
        SCOPED_TRACE(row++);
        CalculatorRig rig;
        rig.Prepare("1e4933", 5, 10, 20);
        const Snapshot expected = rig.Take();
        EXPECT_EQ(rig.calc.Run(operation), Faulted(FaultKind::Overflow));
        EXPECT_EQ(rig.Take(), expected);
        EXPECT_EQ(rig.window.beeps, 0);
    }
}

}  // namespace
}  // namespace rpn
