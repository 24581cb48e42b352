// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/register.h"

namespace rpn {

// Display width of a register field.
inline constexpr int kDisplayWidth = 14;

// The display text of a register: "0", an integer, a fixed text cut to `width` characters
// with `decimalSeparator`, or the scientific form. At most `width` characters for every
// finite value. Never fails.
std::string FormatRegister(Register x, int width, char decimalSeparator);

// Scientific form: [blanks] sign-or-blank d '.' (n-1 digits) 'E' sign 4-digit exponent,
// n = width - 8 held within 2..18. Always '.'.
std::string FormatScientific(Register x, int width);

// Fixed form: precision held within 2..18 significant digits, decimals within 0..18,
// for magnitudes below 10^precision.
std::string FormatFixed(Register x, int precision, int decimals, char decimalSeparator);

// a × 10^n by the three powers-of-ten tables, one rounding per table step. |n| >= 5120
// gives +infinity or 0. Raises ArithmeticFault(Overflow) when a step overflows.
Register MultiplyByPowerOfTen(Register a, int32_t n);

// Every ',' becomes '.'.
std::string CommaToPoint(std::string_view text);

struct ParseResult {
    Register value = 0;
    // 0 on success; otherwise the 1-based position of the first character that cannot be
    // read, or length + 1 when the text ended where more was required.
    int32_t failurePosition = 0;
    bool ok() const { return failurePosition == 0; }
};

// Reads an entry text digit by digit. Raises ArithmeticFault(Overflow) for a value beyond
// the register range whose decimal scale stays below 5120.
ParseResult ParseEntry(std::string_view text);

}  // namespace rpn
