// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exponential.h"

#include "engine/extended_constants.h"
#include "engine/x87.h"

namespace rpn {

Register NaturalLog(Register x) {
    return x87::ScaledLog2(kLnTwo, x);
}

Register Log10(Register x) {
    return x87::Divide(NaturalLog(x), NaturalLog(10.0L));
}

Register NaturalExp(Register t) {
    const Register u = x87::Multiply(t, kLog2E);
    const Register i = x87::RoundToInteger(u);
    // An infinite t fails here, as infinity less infinity.
    const Register f = x87::Subtract(u, i);
    const Register p = x87::Scale(1.0L, i);
    const Register q = x87::Add(x87::TwoToPowerMinusOne(f), 1.0L);
    return x87::Multiply(p, q);
}

Register Power(Register base, Register exponent) {
    return NaturalExp(x87::Multiply(exponent, NaturalLog(base)));
}

}  // namespace rpn
