// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn::ui {

// Makes the accessible tree say what the calculator's widgets are: the main window and the
// keypad window (not fillers), the register fields that cannot be typed into read-only and not
// editable. Installed once; later calls do nothing.
void InstallAccessibleInterfaces();

}  // namespace rpn::ui
