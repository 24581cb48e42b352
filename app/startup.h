// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn {

// The program: the application object, the main window, the keypad window (hidden), and the
// event loop until the main window has closed. Returns the loop's exit code.
int RunCalculator(int& argc, char** argv);

}  // namespace rpn
