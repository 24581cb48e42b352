// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/x87.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <limits>
#include <string>

#include "engine/arithmetic_fault.h"
#include "engine/extended_constants.h"

namespace rpn {
namespace {

constexpr Register kInf = std::numeric_limits<Register>::infinity();
constexpr Register kTwoTo63 = 0x1p63L;

struct StepCase {
    const char* name;
    std::function<Register()> step;
    Register expected;
};

// The non-commutative steps show whether the operands reach the unit in the right order.
TEST(X87StepTest, ComputesWithOperandsInOrder) {
    const StepCase cases[] = {
        {"5 + 3", [] { return x87::Add(5, 3); }, 8},
        {"5 - 3", [] { return x87::Subtract(5, 3); }, 2},
        {"3 - 5", [] { return x87::Subtract(3, 5); }, -2},
        {"6 * 3", [] { return x87::Multiply(6, 3); }, 18},
        {"6 / 3", [] { return x87::Divide(6, 3); }, 2},
        {"3 / 6", [] { return x87::Divide(3, 6); }, 0.5L},
        {"3 * log2 8", [] { return x87::ScaledLog2(3, 8); }, 9},
        {"2^1 - 1", [] { return x87::TwoToPowerMinusOne(1); }, 1},
        {"2^-1 - 1", [] { return x87::TwoToPowerMinusOne(-1); }, -0.5L},
        {"3 * 2^4", [] { return x87::Scale(3, 4); }, 48},
        {"3 * 2^4.9 keeps the integer part", [] { return x87::Scale(3, 4.9L); }, 48},
        {"round 2.5 to even", [] { return x87::RoundToInteger(2.5L); }, 2},
        {"round 3.5 to even", [] { return x87::RoundToInteger(3.5L); }, 4},
        {"round -2.6", [] { return x87::RoundToInteger(-2.6L); }, -3},
        {"sqrt 16", [] { return x87::SquareRoot(16); }, 4},
        {"atan2(1, 1)", [] { return x87::ArcTangent2(1, 1); }, kPi / 4},
        {"atan2(1, -1)", [] { return x87::ArcTangent2(1, -1); }, kPi * 3 / 4},
        {"atan2(inf, 1)", [] { return x87::ArcTangent2(kInf, 1); }, kHalfPi},
        {"sin 0", [] { return x87::Sine(0); }, 0},
        {"cos 0", [] { return x87::Cosine(0); }, 1},
        {"1e-4000 squared underflows to 0", [] { return x87::Multiply(1e-4000L, 1e-4000L); }, 0},
        {"inexact 1 / 3 * 3", [] { return x87::Multiply(x87::Divide(1, 3), 3); }, 1},
        {"denormal operand",
         [] { return x87::Multiply(std::numeric_limits<Register>::denorm_min(), 2); },
         2 * std::numeric_limits<Register>::denorm_min()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Register result = -1;
        EXPECT_NO_THROW(result = c.step());
        EXPECT_EQ(result, c.expected);
    }
}

struct FaultCase {
    const char* name;
    std::function<Register()> step;
    FaultKind expected;
};

TEST(X87StepTest, RaisesTheFaultOfTheStep) {
    const FaultCase cases[] = {
        {"1e4000 * 1e4000", [] { return x87::Multiply(1e4000L, 1e4000L); }, FaultKind::Overflow},
        {"max + max",
         [] {
             const Register max = std::numeric_limits<Register>::max();
             return x87::Add(max, max);
         },
         FaultKind::Overflow},
        {"1 / denorm_min",
         [] { return x87::Divide(1, std::numeric_limits<Register>::denorm_min()); },
         FaultKind::Overflow},
        {"1 / 0", [] { return x87::Divide(1, 0); }, FaultKind::DivisionByZero},
        {"0 / 0", [] { return x87::Divide(0, 0); }, FaultKind::InvalidOperation},
        {"inf - inf", [] { return x87::Subtract(kInf, kInf); }, FaultKind::InvalidOperation},
        {"inf + -inf", [] { return x87::Add(kInf, -kInf); }, FaultKind::InvalidOperation},
        {"inf * 0", [] { return x87::Multiply(kInf, 0); }, FaultKind::InvalidOperation},
        {"log2 0", [] { return x87::ScaledLog2(1, 0); }, FaultKind::DivisionByZero},
        {"log2 -1", [] { return x87::ScaledLog2(1, -1); }, FaultKind::InvalidOperation},
        {"2^16384", [] { return x87::Scale(1, 16384); }, FaultKind::Overflow},
        {"sqrt -1", [] { return x87::SquareRoot(-1); }, FaultKind::InvalidOperation},
        {"sin inf", [] { return x87::Sine(kInf); }, FaultKind::InvalidOperation},
        {"cos -inf", [] { return x87::Cosine(-kInf); }, FaultKind::InvalidOperation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.step();
            ADD_FAILURE() << "no fault";
        } catch (const ArithmeticFault& fault) {
            EXPECT_EQ(fault.kind(), c.expected);
        }
    }
}

TEST(X87StepTest, FlagsOfAnEarlierStepDoNotCarryOver) {
    EXPECT_THROW(x87::Divide(1, 0), ArithmeticFault);
    EXPECT_THROW(x87::Multiply(1e4000L, 1e4000L), ArithmeticFault);
    // Plain arithmetic outside the steps leaves its own flags behind too.
    volatile Register huge = 1e4000L;
    volatile Register square = huge * huge;
    EXPECT_EQ(square, kInf);
    EXPECT_EQ(x87::Add(2, 3), 5);
}

TEST(X87StepTest, SineAndCosineAreZeroFromTwoToThe63) {
    const Register below = 0x1.fffffffffffffffep62L;  // the extended real just below 2^63
    EXPECT_EQ(x87::Sine(kTwoTo63), 0);
    EXPECT_EQ(x87::Sine(-kTwoTo63), 0);
    EXPECT_EQ(x87::Cosine(kTwoTo63), 0);
    EXPECT_EQ(x87::Sine(1e19L), 0);
    EXPECT_EQ(x87::Cosine(1e4000L), 0);
    // Still inside the unit's range: a reduced argument, never the operand itself.
    EXPECT_NE(x87::Sine(below), below);
    EXPECT_LE(x87::Sine(below), 1);
    EXPECT_NE(x87::Cosine(below), below);
    EXPECT_LE(x87::Cosine(below), 1);
}

Register LoadPi() {
    Register value;
    asm("fldpi\n\tfstpt %0" : "=m"(value) : : "st");
    return value;
}

Register LoadLnTwo() {
    Register value;
    asm("fldln2\n\tfstpt %0" : "=m"(value) : : "st");
    return value;
}

Register LoadLog2E() {
    Register value;
    asm("fldl2e\n\tfstpt %0" : "=m"(value) : : "st");
    return value;
}

Register Nearest(const char* digits) {
    return std::strtold(digits, nullptr);
}

// Each constant must be the extended real nearest its number, not a double widened.
TEST(ExtendedConstantsTest, AreTheNearestExtendedValues) {
    InitialiseRegisterArithmetic();
    EXPECT_EQ(kPi, LoadPi());
    EXPECT_EQ(kPi, Nearest("3.14159265358979323846264338327950288419716939937510"));
    EXPECT_EQ(kHalfPi, x87::Scale(kPi, -1));
    EXPECT_EQ(kHalfPi, Nearest("1.57079632679489661923132169163975144209858469968755"));
    EXPECT_EQ(kOneOverPi, Nearest("0.31830988618379067153776752674502872406891929148091"));
    EXPECT_EQ(kOneOver180, x87::Divide(1, 180));
    EXPECT_EQ(kLnTwo, LoadLnTwo());
    EXPECT_EQ(kLog2E, LoadLog2E());
    EXPECT_EQ(kSnapLimit, Nearest("1e-11"));
    EXPECT_NE(kPi, static_cast<Register>(3.14159265358979323846));
}

}  // namespace
}  // namespace rpn
