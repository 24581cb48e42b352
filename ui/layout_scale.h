#pragma once

#include <QFont>

namespace rpn::ui {

// The windows are designed at 120 pixels per inch. Their window font is first sized for the
// screen's resolution; every position, size and control font is then scaled by the ratio of
// that font's text height to its height at the designed resolution, so that the layout
// follows the text the controls have to hold. Exactly 1 at 120 pixels per inch.
double LayoutScaleForDpi(double logicalDotsPerInch);
// The factor for the primary screen.
double ScreenLayoutScale();

int Scaled(int designed, double scale);

// The bold serif face of the controls at `characterHeight` designed pixels.
QFont ControlFont(int characterHeight, double scale, bool bold = true);

}  // namespace rpn::ui
