// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/register.h"

// The x87 steps of register arithmetic. Each step is one instruction of the x87 unit run in
// its own noinline function: the exception flags are cleared just before the instruction
// and read from the status word just after it, so a fault is seen at the step that caused
// it and is never masked or reordered by the compiler. A step raises ArithmeticFault on an
// invalid operation, a division by zero or an overflow; underflow, denormal operands and
// inexact results are not faults. Results are rounded to 64-bit precision, to nearest.
namespace rpn::x87 {

Register Add(Register a, Register b);       // a + b
Register Subtract(Register a, Register b);  // a - b
Register Multiply(Register a, Register b);  // a * b
Register Divide(Register a, Register b);    // a / b

// y * log2(x) in one step (fyl2x); x = 0 is a division by zero, x < 0 invalid.
Register ScaledLog2(Register y, Register x);
// 2^f - 1 in one step (f2xm1), for -1 <= f <= 1.
Register TwoToPowerMinusOne(Register f);
// x * 2^n for the integer part of n, by scaling the exponent (fscale).
Register Scale(Register x, Register n);
// x rounded to an integer, to nearest with ties to even (frndint).
Register RoundToInteger(Register x);

// Sine and cosine in radians (fsin, fcos). A finite x of magnitude 2^63 or more lies
// outside the unit's range and gives 0; an infinite x is invalid.
Register Sine(Register x);
Register Cosine(Register x);
// The angle of the point (x, y): arctangent of y / x in one step (fpatan).
Register ArcTangent2(Register y, Register x);
// Square root (fsqrt); a negative x is invalid.
Register SquareRoot(Register x);

}  // namespace rpn::x87
