// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace rpn::ui {

// The windows are designed at 120 pixels per inch; every position, size and font is scaled by
// the screen's logical resolution over that. Qt maps a high-resolution screen onto logical
// pixels itself (a 120 pixels-per-inch screen is 96 logical pixels per inch at a device
// pixel ratio of 1.25), so the layout comes out at its designed size in device pixels.
double LayoutScaleForDpi(double logicalDotsPerInch);
// The factor for the primary screen.
double ScreenLayoutScale();

int Scaled(int designed, double scale);

// The bold serif face of the controls at `characterHeight` designed pixels.
QFont ControlFont(int characterHeight, double scale, bool bold = true);

}  // namespace rpn::ui
