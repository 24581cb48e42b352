// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPixmap>

class QToolButton;
class QWidget;

namespace rpn::ui {

// Relative luminance of an sRGB colour, 0 for black to 1 for white (WCAG 2).
double RelativeLuminance(const QColor& colour);
// The contrast ratio of two colours, 1 (the same) to 21 (black and white).
double ContrastRatio(const QColor& a, const QColor& b);

// The angle mode's red for a label on `background`: the plain red on a light background, a
// lighter red on a dark one, so that the mode reads at least 3:1 on either.
QColor AngleModeRed(const QColor& background);

// `preferred` when it reads at least 4.5:1 on `background`, else black or white, whichever
// reads better: a desktop's white on its selection blue can fall short of that.
QColor ReadableOn(const QColor& background, const QColor& preferred);

// `glyph`'s strokes in `ink`, its transparent field kept: the glyphs are drawn black, and a
// dark palette needs them light.
QPixmap InkedGlyph(const QPixmap& glyph, const QColor& ink);

// Draws the glyph on `button`'s face in `ink`.
void InkGlyphIcon(QToolButton& button, const QColor& ink);

// Brings the main window's colours that its palette cannot give to the palette now in force:
// the glyphs, the angle mode's red and the register fields' selected digits.
void FollowPalette(QWidget& window);

}  // namespace rpn::ui
