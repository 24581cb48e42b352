// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>

#include "engine/arithmetic_fault.h"
#include "engine/calculator.h"
#include "engine/exponential.h"
#include "engine/extended_constants.h"
#include "engine/scientific_rules.h"
#include "engine/x87.h"

namespace rpn {

namespace {

// The angle in radians that the trigonometric functions work on.
Register Angle(Register x, bool degreesMode) {
    return degreesMode ? DegreesToRadians(x) : x;
}

// The result of an inverse function in the current angle unit.
Register AngleResult(Register radians, bool degreesMode) {
    return degreesMode ? RadiansToDegrees(radians) : radians;
}

// Results this close to 0 are the rounding left over from a whole multiple of pi/2.
Register Snap(Register x) {
    return std::fabs(x) < kSnapLimit ? 0.0L : x;
}

Register ArcTangent(Register q) {
    return x87::ArcTangent2(q, 1.0L);
}

// sqrt(1 - x * x): invalid for |x| > 1, and X * X may overflow.
Register Cofactor(Register x) {
    return x87::SquareRoot(x87::Subtract(1.0L, x87::Multiply(x, x)));
}

}  // namespace

Register DegreesToRadians(Register x) {
    return x87::Multiply(x87::Multiply(x, kPi), kOneOver180);
}

Register RadiansToDegrees(Register x) {
    return x87::Multiply(x87::Multiply(x, 180.0L), kOneOverPi);
}

Register SineRule(Register x, bool degrees) {
    return Snap(x87::Sine(Angle(x, degrees)));
}

Register CosineRule(Register x, bool degrees) {
    if (degrees && x == 90) {
        return 0.0L;
    }
    return Snap(x87::Cosine(Angle(x, degrees)));
}

Register TangentRule(Register x, bool degrees) {
    const Register sine = x87::Sine(Angle(x, degrees));
    const Register cosine = x87::Cosine(Angle(x, degrees));
    return Snap(x87::Divide(sine, cosine));
}

Register ArcSineRule(Register x, bool degrees) {
    if (x == 1) {
        return degrees ? 90.0L : kHalfPi;
    }
    if (x == -1) {
        return degrees ? -90.0L : -kHalfPi;
    }
    return AngleResult(ArcTangent(x87::Divide(x, Cofactor(x))), degrees);
}

Register ArcCosineRule(Register x, bool degrees) {
    if (x == 0) {
        return degrees ? 90.0L : kHalfPi;
    }
    if (x == -1) {
        return degrees ? 180.0L : kPi;
    }
    const Register a = ArcTangent(x87::Divide(Cofactor(x), x));
    if (x > 0) {
        return AngleResult(a, degrees);
    }
    // The arctangent gives the angle of the fourth quadrant; acos lies in the second.
    if (degrees) {
        return x87::Multiply(x87::Add(x87::Multiply(a, kOneOverPi), 1.0L), 180.0L);
    }
    return x87::Add(a, kPi);
}

Register ArcTangentRule(Register x, bool degrees) {
    return AngleResult(ArcTangent(x), degrees);
}

Register Log10Rule(Register x, bool) {
    return Log10(x);
}

Register TenToXRule(Register x, bool) {
    return rpn::Power(10.0L, x);
}

Register NaturalLogRule(Register x, bool) {
    return NaturalLog(x);
}

Register NaturalExpRule(Register x, bool) {
    return NaturalExp(x);
}

// Computes the new X by `rule` from the committed X and shows it. A fault in the rule leaves X
// as committed from its text and ends in the "Math Error" report; the entry stays as typed, to
// be corrected in place.
Outcome Calculator::RunScientificFunction(AngleRule rule) {
    try {
        state_.X = rule(state_.X, state_.DegreesMode);
    } catch (const ArithmeticFault&) {
        BeginEntry();
        return kMathError;
    }
    ShowX();
    return kDone;
}

Outcome Calculator::ToggleAngleMode() {
    state_.DegreesMode = !state_.DegreesMode;
    FocusXSelectAll();
    window_.ShowAngleMode(AngleModeCaption(state_.DegreesMode));
    return kDone;
}

}  // namespace rpn
