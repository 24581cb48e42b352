// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "ui/keypad_window.h"
#include "ui/main_window.h"

namespace rpn::ui {

// The calculator's two windows as the program runs them: the main window and the keypad
// window that belongs to it, wired to each other. Start-up and the tests build them here alone.
class CalculatorWindows {
  public:
    explicit CalculatorWindows(MainWindowOptions options = {});
    ~CalculatorWindows();
    CalculatorWindows(const CalculatorWindows&) = delete;
    CalculatorWindows& operator=(const CalculatorWindows&) = delete;

    MainWindow& main() const { return *main_; }
    KeypadWindow& keypad() const { return *keypad_; }

  private:
    std::unique_ptr<MainWindow> main_;
    // A child of the main window, so that it goes when the main window goes and never keeps
    // the program running on its own.
    KeypadWindow* keypad_;
};

}  // namespace rpn::ui
