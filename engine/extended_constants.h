// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/register.h"

// Each constant is the extended real nearest the number it names, written in hexadecimal
// so that no decimal or double rounding comes between.
namespace rpn {

inline constexpr Register kPi = 0x1.921fb54442d1846ap+1L;
inline constexpr Register kHalfPi = 0x1.921fb54442d1846ap+0L;
inline constexpr Register kOneOverPi = 0x1.45f306dc9c882a54p-2L;
inline constexpr Register kOneOver180 = 0x1.6c16c16c16c16c16p-8L;
inline constexpr Register kLnTwo = 0x1.62e42fefa39ef358p-1L;
inline constexpr Register kLog2E = 0x1.71547652b82fe178p+0L;
// Results of sin, cos and tan closer to 0 than 1e-11 are taken as 0.
inline constexpr Register kSnapLimit = 0x1.5fd7fe17964955fep-37L;

}  // namespace rpn
