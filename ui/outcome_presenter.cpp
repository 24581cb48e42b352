// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/arithmetic_fault.h"
#include "ui/main_window.h"

namespace rpn::ui {

void MainWindow::Present(Outcome outcome) {
    switch (outcome.kind) {
        case OutcomeKind::Done:
            return;
        case OutcomeKind::Refused:
            return Beep();
        case OutcomeKind::MathError:
            return ShowMathError();
        case OutcomeKind::Fault:
            // The same report as any fault that ends a user action.
            return ShowGeneralError(QString::fromLocal8Bit(ArithmeticFault(outcome.fault).what()));
    }
}

}  // namespace rpn::ui
