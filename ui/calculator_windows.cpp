// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/calculator_windows.h"

namespace rpn::ui {

CalculatorWindows::CalculatorWindows(MainWindowOptions options)
    : main_(std::make_unique<MainWindow>(options)),
      keypad_(new KeypadWindow(main_->keypad(), main_->layoutScale(), main_.get())) {
    main_->AttachKeypad(keypad_);
}

CalculatorWindows::~CalculatorWindows() = default;

}  // namespace rpn::ui
