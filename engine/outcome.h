// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "engine/arithmetic_fault.h"

namespace rpn {

// How an operation ended, for the window to present: a refusal is a beep, a math error the
// "Math Error" box, a fault the fault's own message.
enum class OutcomeKind { Done, Refused, MathError, Fault };

struct Outcome {
    OutcomeKind kind = OutcomeKind::Done;
    // Meaningful only for a fault.
    FaultKind fault = FaultKind::InvalidOperation;

    bool operator==(const Outcome&) const = default;
};

inline constexpr Outcome kDone{OutcomeKind::Done};
inline constexpr Outcome kRefused{OutcomeKind::Refused};
inline constexpr Outcome kMathError{OutcomeKind::MathError};

constexpr Outcome Faulted(FaultKind kind) {
    return {OutcomeKind::Fault, kind};
}

inline std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    static constexpr const char* kNames[] = {"done", "refused", "math error", "fault"};
    out << kNames[static_cast<int>(outcome.kind)];
    if (outcome.kind == OutcomeKind::Fault) {
        out << " (" << ArithmeticFault(outcome.fault).what() << ")";
    }
    return out;
}

}  // namespace rpn
