// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>

namespace rpn {

// The three arithmetic faults of register arithmetic. Underflow and inexact results are
// never faults.
enum class FaultKind { InvalidOperation, DivisionByZero, Overflow };

// Raised by the step that faults; an operation that does not catch it is abandoned before
// it stores anything, and the window shows what() followed by "." in its error report.
class ArithmeticFault : public std::exception {
  public:
    explicit ArithmeticFault(FaultKind kind) : kind_(kind) {}
    FaultKind kind() const { return kind_; }
    // "Floating point overflow", "Invalid floating point operation" or
    // "Floating point division by zero".
    const char* what() const noexcept override;

  private:
    FaultKind kind_;
};

}  // namespace rpn
