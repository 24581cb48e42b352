// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>

namespace rpn {

// A register holds an x87 80-bit extended real: 1 sign bit, 15-bit exponent, 64-bit
// significand with an explicit leading bit. Registers are copied bit for bit.
using Register = long double;

static_assert(std::numeric_limits<Register>::digits == 64,
              "registers need the x87 80-bit extended real (64-bit significand)");
static_assert(std::numeric_limits<Register>::max_exponent == 16384,
              "registers need the x87 80-bit extended real (15-bit exponent)");

// The x87 control word for register arithmetic: every exception masked (faults are
// read from the status word step by step), 64-bit precision, round to nearest.
inline constexpr unsigned short kRegisterControlWord = 0x037F;

// Loads kRegisterControlWord into the x87 unit; called once at start-up and by tests.
void InitialiseRegisterArithmetic();

// The x87 control word as it stands now.
unsigned short CurrentControlWord();

}  // namespace rpn
