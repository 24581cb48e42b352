// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculator.h"

namespace rpn {

// Tests bring the calculator into the state a case starts from, register by register.
struct CalculatorStateAccess {
    static CalculatorState& Of(Calculator& calculator) { return calculator.state_; }
};

inline CalculatorState& StateOf(Calculator& calculator) {
    return CalculatorStateAccess::Of(calculator);
}

}  // namespace rpn
