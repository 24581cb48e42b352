// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exponential.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/arithmetic_fault.h"

namespace rpn {
namespace {

constexpr Register kInf = std::numeric_limits<Register>::infinity();
constexpr Register kE = 2.718281828459045235360287471352662497757L;
constexpr Register kOneOverE = 0.3678794411714423215955237701614608674458L;

struct ValueCase {
    const char* name;
    std::function<Register()> compute;
    Register expected;
    // Allowed distance in units of the last place: the steps round one by one.
    int ulps;
};

Register UlpDistance(Register a, Register b) {
    return std::fabs(a - b) / (std::nextafter(std::fabs(b), kInf) - std::fabs(b));
}

TEST(ExponentialTest, ComputesNearTheExactValue) {
    const ValueCase cases[] = {
        {"e^0", [] { return NaturalExp(0); }, 1, 0},
        {"e^1", [] { return NaturalExp(1); }, kE, 4},
        {"e^-1", [] { return NaturalExp(-1); }, kOneOverE, 4},
        {"2^10", [] { return Power(2, 10); }, 1024, 8},
        {"4^0.5", [] { return Power(4, 0.5L); }, 2, 4},
        {"0.5^-3", [] { return Power(0.5L, -3); }, 8, 8},
        {"10^4931", [] { return Power(10, 4931); }, 1e4931L, 1 << 16},
        {"ln 1", [] { return NaturalLog(1); }, 0, 0},
        {"ln e", [] { return NaturalLog(kE); }, 1, 2},
        {"ln +inf", [] { return NaturalLog(kInf); }, kInf, 0},
        {"log 1000", [] { return Log10(1000); }, 3, 4},
        {"log 0.01", [] { return Log10(0.01L); }, -2, 4},
        {"e^-20000 underflows to 0", [] { return NaturalExp(-20000); }, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Register result = -1;
        ASSERT_NO_THROW(result = c.compute());
        if (c.ulps == 0) {
            EXPECT_EQ(result, c.expected);
        } else {
            EXPECT_LE(UlpDistance(result, c.expected), c.ulps) << static_cast<double>(result);
        }
    }
}

struct FaultCase {
    const char* name;
    std::function<Register()> compute;
    FaultKind expected;
};

TEST(ExponentialTest, FaultsAtTheFailingStep) {
    const FaultCase cases[] = {
        {"ln 0", [] { return NaturalLog(0); }, FaultKind::DivisionByZero},
        {"ln -1", [] { return NaturalLog(-1); }, FaultKind::InvalidOperation},
        {"log 0", [] { return Log10(0); }, FaultKind::DivisionByZero},
        {"e^20000", [] { return NaturalExp(20000); }, FaultKind::Overflow},
        // 1e4932 is representable, but the integer part of the exponent rounds to 16384.
        {"10^4932", [] { return Power(10, 4932); }, FaultKind::Overflow},
        {"10^1.1e4932", [] { return Power(10, 1.1e4932L); }, FaultKind::Overflow},
        {"e^-inf", [] { return NaturalExp(-kInf); }, FaultKind::InvalidOperation},
        {"e^+inf", [] { return NaturalExp(kInf); }, FaultKind::InvalidOperation},
        {"inf^0.5", [] { return Power(kInf, 0.5L); }, FaultKind::InvalidOperation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.compute();
            ADD_FAILURE() << "no fault";
        } catch (const ArithmeticFault& fault) {
            EXPECT_EQ(fault.kind(), c.expected);
        }
    }
}

}  // namespace
}  // namespace rpn
