// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/register.h"

namespace rpn {

// The angle conversions, whatever the angle mode.
Register DegreesToRadians(Register x);
Register RadiansToDegrees(Register x);

// The scientific functions of X in the angle mode (degrees when `degrees`); each raises
// ArithmeticFault where its result is undefined or out of range.
Register SineRule(Register x, bool degrees);
Register CosineRule(Register x, bool degrees);
Register TangentRule(Register x, bool degrees);
Register ArcSineRule(Register x, bool degrees);
Register ArcCosineRule(Register x, bool degrees);
Register ArcTangentRule(Register x, bool degrees);
Register Log10Rule(Register x, bool degrees);
Register TenToXRule(Register x, bool degrees);
Register NaturalLogRule(Register x, bool degrees);
Register NaturalExpRule(Register x, bool degrees);

}  // namespace rpn
