// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn::ui {

// A designed length (at 120 pixels per inch) comes onto the screen rounded twice: to the
// toolkit's logical pixels by the layout factor (the logical resolution over 120), and from
// those to the screen's own pixels by the device pixel ratio, which the toolkit rounds half
// up. The window is sized by the first step and the toolkit takes the second; the layout
// tool prints both, so that what it says is the size the window has.
int LogicalLength(int designed, double layoutScale);
int DeviceLength(int designed, double layoutScale, double devicePixelRatio);

}  // namespace rpn::ui
