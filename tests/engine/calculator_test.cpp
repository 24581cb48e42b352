// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "engine/arithmetic_fault.h"
#include "tests/engine/fake_window.h"
#include "tests/engine/state_access.h"

namespace rpn {
namespace {

using testing::FakeWindow;

class CalculatorTest : public ::testing::Test {
  protected:
    void SetUp() override { InitialiseRegisterArithmetic(); }

    void SetStack(Register x, Register y, Register z, Register t) {
        StateOf(calc).T = t;
        StateOf(calc).Z = z;
        StateOf(calc).Y = y;
        StateOf(calc).X = x;
    }

    FakeWindow window;
    Calculator calc{window};
};

TEST_F(CalculatorTest, StartsWithRegisterArithmeticAndStartValues) {
    EXPECT_EQ(CurrentControlWord(), kRegisterControlWord);
    const CalculatorState& s = StateOf(calc);
    EXPECT_EQ(s.X, 0);
    EXPECT_EQ(s.CommittedX, 0);
    EXPECT_EQ(s.MemoryRegister, 0);
    EXPECT_FALSE(s.StackLift);
    EXPECT_TRUE(s.DegreesMode);
}

// Enter on typed entries: each row types into X over a known stack and presses Enter.
struct EnterCase {
    const char* typed;
    Register x, y, z, t;
    const char* xText;
};

// Test names and failures show the case by what it is, not by its bytes.
void PrintTo(const EnterCase& c, std::ostream* out) {
    *out << "typed \"" << c.typed << "\"";
}

class EnterTest : public CalculatorTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTest, LiftsTheCommittedEntry) {
    const EnterCase& c = GetParam();
    SetStack(99, 2, 3, 4);
    window.TypeIntoX(c.typed);
    EXPECT_EQ(calc.Run(Operation::Enter), kDone);

    EXPECT_EQ(StateOf(calc).X, c.x);
    EXPECT_EQ(StateOf(calc).Y, c.y);
    EXPECT_EQ(StateOf(calc).Z, c.z);
    EXPECT_EQ(StateOf(calc).T, c.t);
    EXPECT_EQ(StateOf(calc).CommittedX, c.x);
    EXPECT_EQ(window.text(Field::X), c.xText);
    EXPECT_EQ(window.text(Field::Y), c.xText);
    EXPECT_TRUE(window.XAllSelected());
    EXPECT_FALSE(StateOf(calc).StackLift);
    EXPECT_EQ(window.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Entries, EnterTest,
                         ::testing::Values(EnterCase{"", 0, 0, 2, 3, "0"},
                                           EnterCase{"2,5", 2.5L, 2.5L, 2, 3, "2.5"},
                                           EnterCase{"1", 1, 1, 2, 3, "1"},
                                           EnterCase{" 007", 7, 7, 2, 3, "7"}));

TEST_F(CalculatorTest, UnreadableEntryBeepsAndKeepsTheStack) {
    SetStack(1, 2, 3, 4);
    StateOf(calc).CommittedX = 1;
    StateOf(calc).StackLift = true;
    window.TypeIntoX("12x");

    EXPECT_EQ(calc.Run(Operation::Enter), kRefused);
    EXPECT_EQ(window.beeps, 0);
    EXPECT_EQ(window.text(Field::X), "0");
    EXPECT_TRUE(window.XAllSelected());
    EXPECT_EQ(StateOf(calc).X, 0);
    EXPECT_FALSE(std::signbit(StateOf(calc).X));
    EXPECT_EQ(StateOf(calc).Y, 2);
    EXPECT_EQ(StateOf(calc).Z, 3);
    EXPECT_EQ(StateOf(calc).T, 4);
    EXPECT_EQ(StateOf(calc).CommittedX, 1);
    EXPECT_FALSE(StateOf(calc).StackLift);
}

TEST_F(CalculatorTest, EnterTwiceFillsTheStackAndLosesT) {
    SetStack(0, 2, 3, 4);
    window.TypeIntoX("7");
    calc.Run(Operation::Enter);
    calc.Run(Operation::Enter);

    EXPECT_EQ(StateOf(calc).X, 7);
    EXPECT_EQ(StateOf(calc).Y, 7);
    EXPECT_EQ(StateOf(calc).Z, 7);
    EXPECT_EQ(StateOf(calc).T, 2);
}

TEST_F(CalculatorTest, ResultIsCarriedAtDisplayPrecision) {
    // 2/3 shows .666666666667; the next Enter works with that text, not the full value.
    StateOf(calc).X = 2.0L / 3.0L;
    calc.RefreshDisplay();
    EXPECT_TRUE(StateOf(calc).StackLift);
    calc.Run(Operation::Enter);
    EXPECT_EQ(StateOf(calc).Y, 0.666666666667L);
    EXPECT_NE(StateOf(calc).Y, 2.0L / 3.0L);
}

TEST_F(CalculatorTest, HugeDecimalScalePushesInfinity) {
    window.TypeIntoX("1e5200");
    calc.Run(Operation::Enter);

    EXPECT_EQ(StateOf(calc).X, std::numeric_limits<Register>::infinity());
    EXPECT_EQ(StateOf(calc).Y, std::numeric_limits<Register>::infinity());
    EXPECT_EQ(window.text(Field::X), "         +Inf");
    EXPECT_EQ(window.text(Field::Y), "         +Inf");

    // The shown text does not read back: the next operation rejects it, Y keeps infinity.
    EXPECT_EQ(calc.Run(Operation::Enter), kRefused);
    EXPECT_EQ(StateOf(calc).X, 0);
    EXPECT_EQ(StateOf(calc).Y, std::numeric_limits<Register>::infinity());
}

TEST_F(CalculatorTest, EntryBeyondTheRangeFaultsAndChangesNothing) {
    SetStack(1, 2, 3, 4);
    StateOf(calc).CommittedX = 1;
    StateOf(calc).StackLift = true;
    window.TypeIntoX("1e4933");
    EXPECT_EQ(calc.Run(Operation::Enter), Faulted(FaultKind::Overflow));
    EXPECT_STREQ(ArithmeticFault(FaultKind::Overflow).what(), "Floating point overflow");
    EXPECT_EQ(window.text(Field::X), "1e4933");
    EXPECT_EQ(StateOf(calc).X, 1);
    EXPECT_EQ(StateOf(calc).Y, 2);
    EXPECT_EQ(StateOf(calc).CommittedX, 1);
    EXPECT_TRUE(StateOf(calc).StackLift);
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(CalculatorTest, RefreshShowsEveryRegisterWithTheSeparator) {
    calc.SetDecimalSeparator(',');
    SetStack(0.5L, 100.5L, -1, 0.25L);
    calc.RefreshDisplay();
    EXPECT_EQ(window.text(Field::X), ",5");
    EXPECT_EQ(window.text(Field::Y), "100,5");
    EXPECT_EQ(window.text(Field::Z), "-1");
    EXPECT_EQ(window.text(Field::T), ",25");
    EXPECT_TRUE(window.xFocused);
    EXPECT_TRUE(window.XAllSelected());
}

// A refresh does not format again a value shown a moment before: the text it reuses must be
// that of the same bits and the same separator.
TEST_F(CalculatorTest, RefreshReusesATextOnlyForTheSameValueAndSeparator) {
    SetStack(0.5L, 0.5L, 0.5L, 0.5L);
    calc.RefreshDisplay();
    EXPECT_EQ(window.text(Field::Z), ".5");
    calc.SetDecimalSeparator(',');
    calc.RefreshDisplay();
    EXPECT_EQ(window.text(Field::X), ",5");
    // The next value up, and six values in turn, more than a refresh shows.
    const Register next = std::nextafter(0.5L, 1.0L);
    SetStack(next, 2, 3, 4);
    calc.RefreshDisplay();
    EXPECT_EQ(window.text(Field::X), ",5");
    SetStack(5, 6, 7, 0.5L);
    calc.RefreshDisplay();
    EXPECT_EQ(window.text(Field::X), "5");
    EXPECT_EQ(window.text(Field::Y), "6");
    EXPECT_EQ(window.text(Field::Z), "7");
    EXPECT_EQ(window.text(Field::T), ",5");
}

}  // namespace
}  // namespace rpn
