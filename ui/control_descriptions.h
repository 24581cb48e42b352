// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "layout/main_window_layout.h"

class QWidget;

namespace rpn::ui {

// What a screen reader calls the register field that plays `role`: "X entry" for the field
// that takes the typing, "Y register" and so on for the others; empty for other roles.
QString FieldAccessibleName(ControlRole role);

// Gives the main window's controls that show no hint a description for a screen reader,
// which otherwise has only a caption such as "sin (x)" to say what a click does.
void DescribeUnhintedControls(QWidget& window);

// Shows or hides the Trig/Log rows and the angle mode, so that a control cut off by the
// compact view is also gone from the accessible tree and from the keyboard.
void ShowTrigArea(QWidget& window, bool shown);

}  // namespace rpn::ui
