// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "engine/calculator.h"

namespace rpn::cli {

// Opens the calculator on the stack and memory of the session file that the window of this
// program would use, as the window opens it, reading the file with the window's own limits
// and writing nothing. Returns the reason when the file cannot be used, else empty.
std::string OpenSavedSession(Calculator& calculator);

// Opens the calculator as the window opens without a session file: everything 0, X shown.
void OpenFreshSession(Calculator& calculator);

}  // namespace rpn::cli
