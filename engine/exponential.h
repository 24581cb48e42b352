// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/register.h"

// Logarithms and exponentials built from the x87 steps; every step may raise
// ArithmeticFault.
namespace rpn {

// ln x, formed in one step as ln 2 * log2 x: 0 is a division by zero, x < 0 invalid.
Register NaturalLog(Register x);

// ln x / ln 10.
Register Log10(Register x);

// e^t as 2^i * 2^f with i the nearest integer to t * log2 e and |f| <= 1/2; overflows when
// 2^i does, even where e^t itself would be representable.
Register NaturalExp(Register t);

// base^exponent as e^(exponent * ln base), for base > 0 (callers guarantee it).
Register Power(Register base, Register exponent);

}  // namespace rpn
