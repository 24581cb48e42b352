// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/arithmetic_fault.h"

namespace rpn {

const char* ArithmeticFault::what() const noexcept {
    switch (kind_) {
        case FaultKind::InvalidOperation:
            return "Invalid floating point operation";
        case FaultKind::DivisionByZero:
            return "Floating point division by zero";
        case FaultKind::Overflow:
            return "Floating point overflow";
    }
    return "Floating point error";
}

}  // namespace rpn
